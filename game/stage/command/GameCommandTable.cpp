#include "game/stage/command/GameCommandTable.h"

#include "engine/base/Singleton.h"
#include "game/stage/command/GameCommands.h"

namespace {

template <typename T>
void Put(std::array<std::unique_ptr<CGameCommand>, CGameCommandTable::kCodeCount>& slots, uint32_t code) {
    slots[code] = std::make_unique<T>();
}

}  // namespace

CGameCommandTable::CGameCommandTable() {
    auto& s = m_Handlers;
    Put<CGameCommand>(s, 0);
    Put<CGameCommand>(s, 1);
    Put<CGameCommand02>(s, 2);
    Put<CGameCommand03>(s, 3);
    Put<CGameCommand04>(s, 4);
    Put<CGameCommand05>(s, 5);
    Put<CGameCommand06>(s, 6);
    Put<CGameCommand07>(s, 7);
    Put<CGameCommand08>(s, 8);
    Put<CGameCommand09>(s, 9);
    Put<CGameCommand10>(s, 10);
    Put<CGameCommand11>(s, 11);
    Put<CGameCommand12>(s, 12);
    Put<CGameCommand13>(s, 13);
    Put<CGameCommand14>(s, 14);
    Put<CGameCommand15>(s, 15);
    Put<CGameCommand16>(s, 16);
    Put<CGameCommand17>(s, 17);
    Put<CGameCommand18>(s, 18);
    Put<CGameCommand19>(s, 19);
    Put<CGameCommand20>(s, 20);
    Put<CGameCommand21>(s, 21);
    Put<CGameCommand22>(s, 22);
    Put<CGameCommand30>(s, 30);
    Put<CGameCommand31>(s, 31);
    Put<CGameCommand32>(s, 32);
    Put<CGameCommand33>(s, 33);
    Put<CGameCommand34>(s, 34);
    Put<CGameCommand35>(s, 35);
    Put<CGameCommand36>(s, 36);
    Put<CGameCommand37>(s, 37);
    Put<CGameCommand38>(s, 38);
    Put<CGameCommand39>(s, 39);
    Put<CGameCommand40>(s, 40);
    Put<CGameCommand41>(s, 41);
    Put<CGameCommand42>(s, 42);
    Put<CGameCommand43>(s, 43);
    Put<CGameCommand44>(s, 44);
    Put<CGameCommand45>(s, 45);
    Put<CGameCommand46>(s, 46);
    Put<CGameCommand47>(s, 47);
    Put<CGameCommand48>(s, 48);
    Put<CGameCommand50>(s, 50);
    Put<CGameCommand51>(s, 51);
    Put<CGameCommand52>(s, 52);
    Put<CGameCommand53>(s, 53);
    Put<CGameCommand54>(s, 54);
    Put<CGameCommand60>(s, 60);
    Put<CGameCommand70>(s, 70);
}

CGameCommandTable& CGameCommandTable::GetInstance() { return CLazySingleton<CGameCommandTable>::Get(); }

CGameCommand* CGameCommandTable::Get(uint32_t code) const {
    return code < kCodeCount ? m_Handlers[code].get() : nullptr;
}

int32_t CGameCommandTable::CountHandlers() const {
    int32_t n = 0;
    for (const auto& h : m_Handlers) n += h ? 1 : 0;
    return n;
}
