#pragma once
// A game on the software device started at a sample scene, its pictures written as
// kit sheets.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "engine/draw/SceneManager.h"
#include "tests/support/TestSupport.h"
#include "tests/support/screen/ScreenDriver.h"

namespace sampletest {

// The line the text and balloon samples show for effect n.
inline std::string EffectLine(int32_t n) { return FormatString("表示エフェクト%2d番なんだかんねっ!!", n); }

class CSampleGame {
public:
    CSampleGame(int32_t scene, std::vector<kit::SSheetSpec> sheets) : m_Sheets(std::move(sheets)), d(Setup()) {
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
    // One frame with the key pressed in it.
    void Key(uint32_t vk, int times = 1) {
        for (int i = 0; i < times; ++i) {
            d.Key(vk);
            d.Frame();
        }
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
    // The game's start-up logs its missing save files.
    testsupport::CQuietLog m_Quiet;
    std::vector<kit::SSheetSpec> m_Sheets;

public:
    screentest::CGameDriver d;
};

}  // namespace sampletest
