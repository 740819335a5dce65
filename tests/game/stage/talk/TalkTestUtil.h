#pragma once
// The talk tests' own helpers: a game folder with pictures written into it, a screen
// on the software graphics device, and back-buffer probes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/draw/ImagePlane.h"
#include "game/core/SystemData.h"
#include "game/stage/talk/TalkEnvironment.h"
#include "tests/engine/draw/DrawTestUtil.h"
#include "tests/support/TestSupport.h"

namespace talktest {

// A picture of one colour.
inline std::vector<uint32_t> Solid(uint32_t argb, int w, int h) { return std::vector<uint32_t>(static_cast<size_t>(w) * h, argb); }

// Vertical bands of colours, `band` pixels wide each.
inline std::vector<uint32_t> Bands(const std::vector<uint32_t>& colours, int band, int h) {
    const int w = band * static_cast<int>(colours.size());
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = colours[static_cast<size_t>(x / band)];
    return px;
}

// Writes a 24-bit bitmap at a game path such as "obj\\a.bmp" of the game folder `folder`
// (the current one).
inline void WritePictureIn(const std::string& folder, const std::string& path, const std::vector<uint32_t>& px, int w,
                           int h) {
    std::string native = folder + path;
    for (char& c : native) {
        if (c == '\\') c = '/';
    }
    ASSERT_TRUE(testsupport::MakeParentDirs(native));
    CImagePlane plane;
    ASSERT_TRUE(plane.CreateFromArgb(px.data(), w, h, w));
    ASSERT_TRUE(plane.SaveBitmap(path));
}

class CTalkTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Scope = std::make_unique<testsupport::CGameFolderScope>(m_Dir.Path());
        m_Screen = std::make_unique<drawtest::CTestScreen>();
        ASSERT_NE(Device(), nullptr);
        Clear();
    }
    void TearDown() override {
        m_Screen.reset();
        m_Scope.reset();
    }

    CD3DDevice* Device() { return m_Screen->Device(); }
    void Clear() { Device()->Clear(0xFF000000u); }

    // Writes a 24-bit bitmap at a game path such as "obj\\a.bmp".
    void WritePicture(const std::string& path, const std::vector<uint32_t>& px, int w, int h) {
        WritePictureIn(m_Dir.Path(), path, px, w, h);
    }

    uint32_t Probe(int x, int y) { return drawtest::Pixel(drawtest::ReadTarget(*Device()), x, y); }

    testsupport::CTempDir m_Dir;
    std::unique_ptr<testsupport::CGameFolderScope> m_Scope;
    std::unique_ptr<drawtest::CTestScreen> m_Screen;
};

}  // namespace talktest
