#pragma once
// The game's own scene factory with some scenes replaced: `Patch` answers the ids it
// replaces with a scene of the test's, null for the rest, which the game's factory
// makes (built on first use, once the game object exists).  Every scene goes back
// through the game's factory, so that the kept in-game scene stays kept.
#include <memory>

#include "game/core/GameMain.h"
#include "game/core/SceneFactory.h"

namespace screentest {

class CPatchedFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (std::unique_ptr<CSceneBase> scene = Patch(id)) return scene;
        return Real().CreateScene(id);
    }
    void Release(std::unique_ptr<CSceneBase> object) override { Real().Release(std::move(object)); }

protected:
    virtual std::unique_ptr<CSceneBase> Patch(int32_t id) = 0;

private:
    CSceneFactory& Real() {
        if (!m_Real) m_Real = std::make_unique<CSceneFactory>(*GetGameMain());
        return *m_Real;
    }
    std::unique_ptr<CSceneFactory> m_Real;
};

}  // namespace screentest
