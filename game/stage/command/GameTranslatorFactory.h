#pragma once
// The stage's source of command handlers: the command table's handler of a code, told
// which stage it works on.  A code beyond the table runs as the no-op of code 0; an
// empty slot of the table gives none, which the runner logs and passes over.
#include <cstdint>

#include "engine/adv/AdvTranslator.h"

class CMainGameScene;

class CGameTranslatorFactory : public IAdvTranslatorFactory {
public:
    explicit CGameTranslatorFactory(CMainGameScene* scene = nullptr) : m_Scene(scene) {}

    void SetScene(CMainGameScene* scene) { m_Scene = scene; }
    CMainGameScene* GetScene() const { return m_Scene; }

    IAdvTranslator* Create(uint32_t code) override;
    // The table keeps its handlers.
    void Release(IAdvTranslator*) override {}

private:
    CMainGameScene* m_Scene;
};
