#pragma once
// A game on the software device started at one of the sample scenes, with the
// scene's pictures written as kit sheets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/draw/SceneManager.h"
#include "tests/support/screen/ScreenDriver.h"

namespace sampletest {

class CSampleGame {
public:
    CSampleGame(int32_t scene, std::vector<kit::SSheetSpec> sheets)
        : m_Quiet(), m_Sheets(std::move(sheets)),
          d(Setup()) {
        for (const kit::SSheetSpec& s : m_Sheets) d.Probe().Add(s);
        d.Start(scene);
        d.Frame();
    }

    template <class T>
    T& Scene() {
        T* scene = dynamic_cast<T*>(d.Game().GetSceneManager().GetCurrentScene());
        if (!scene) throw std::runtime_error("the sample scene is not current");
        return *scene;
    }
    // One frame with a key pressed in it.
    void Key(uint32_t vk) {
        d.Key(vk);
        d.Frame();
    }
    std::string CellAt(int32_t x, int32_t y) { return d.Probe().At(d.Pixels(), x, y).Describe(); }

private:
    screentest::CGameDriver::SSetup Setup() {
        screentest::CGameDriver::SSetup setup;
        setup.prepare = [this](const std::string& folder) {
            for (const kit::SSheetSpec& s : m_Sheets) kit::WriteSheet(folder, s);
        };
        return setup;
    }

    // The game's start-up logs the missing save files.
    struct SQuiet {
        SQuiet() { SetDebugOutputEnabled(false); }
        ~SQuiet() { SetDebugOutputEnabled(true); }
    } m_Quiet;
    std::vector<kit::SSheetSpec> m_Sheets;

public:
    screentest::CGameDriver d;
};

}  // namespace sampletest
