#include "game/stage/command/GameTranslatorFactory.h"

#include "game/stage/command/GameCommandTable.h"

IAdvTranslator* CGameTranslatorFactory::Create(uint32_t code) {
    CGameCommandTable& table = CGameCommandTable::GetInstance();
    CGameCommand* handler = table.Get(code < CGameCommandTable::kCodeCount ? code : 0);
    if (handler) handler->SetScene(m_Scene);
    return handler;
}
