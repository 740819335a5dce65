#pragma once
// A game folder holding the message window's pictures in plain colours, and a screen
// on the software graphics device to probe what the window draws.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/draw/ImagePlane.h"
#include "tests/engine/draw/DrawTestUtil.h"
#include "tests/support/TestSupport.h"

namespace msgtest {

constexpr uint32_t kBoxColour = 0xFF204080u;
constexpr uint32_t kSheet3Colour = 0xFF00C000u;  // buttons 0 to 11
constexpr uint32_t kSheet4Colour = 0xFFC00000u;  // buttons 12, 13
constexpr uint32_t kSheet5Colour = 0xFF0000C0u;  // buttons 14 to 16
constexpr int kShapeWidth = 100;                 // nine shapes side by side
constexpr int kShapeHeight = 120;

// Mark cell i (16 × 16) and balloon shape i have colours of their own.
inline uint32_t MarkColour(int cell) { return 0xFF101010u * static_cast<uint32_t>(cell + 1) | 0xFF000000u; }
inline uint32_t ShapeColour(int shape) { return 0xFF000000u | static_cast<uint32_t>(0x20 + shape * 0x18) << 16 | 0x3030u; }

class CPictureFolder {
public:
    CPictureFolder() : m_Scope(m_Dir.Path()) {}

    // A picture of columns of colours, `width` pixels each.
    void Write(const std::string& name, const std::vector<uint32_t>& columns, int width, int height) {
        ASSERT_TRUE(testsupport::MakeParentDirs(m_Dir.Path() + name.substr(0, name.find('\\')) + "/x"));
        std::vector<uint32_t> px(static_cast<size_t>(width) * columns.size() * height);
        const size_t w = static_cast<size_t>(width) * columns.size();
        for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
            for (size_t x = 0; x < w; ++x) px[y * w + x] = columns[x / width];
        }
        CImagePlane plane;
        ASSERT_TRUE(plane.CreateFromArgb(px.data(), static_cast<int32_t>(w), height, static_cast<int32_t>(w)));
        ASSERT_TRUE(plane.SaveBitmap(name));
    }
    void WriteSolid(const std::string& name, uint32_t colour, int width, int height) { Write(name, {colour}, width, height); }

    // Everything the message window loads.
    void WriteWindowPictures() {
        WriteSolid("obj\\f000_001.bmp", kBoxColour, 800, 184);
        std::vector<uint32_t> marks, shapes;
        for (int i = 0; i < 6; ++i) marks.push_back(MarkColour(i));
        for (int i = 0; i < 9; ++i) shapes.push_back(ShapeColour(i));
        Write("obj\\f000_002.bmp", marks, 16, 16);
        Write("obj\\f000_000.bmp", shapes, kShapeWidth, kShapeHeight);
        WriteSolid("obj\\f000_003.bmp", kSheet3Colour, 12 * 80, 5 * 40);
        WriteSolid("obj\\f000_004.bmp", kSheet4Colour, 2 * 62, 5 * 31);
        // 40 high: button 14's lower part lies over button 6.
        WriteSolid("obj\\f000_005.bmp", kSheet5Colour, 3 * 79, 5 * 40);
    }

private:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
};

// The back buffer, cleared to black, and its pixels after a draw.
class CProbe {
public:
    CProbe() { m_Screen.Device()->Clear(0xFF000000u); }
    void Clear() { m_Screen.Device()->Clear(0xFF000000u); }
    void Read() { m_Pixels = drawtest::ReadTarget(*m_Screen.Device()); }
    uint32_t At(int x, int y) const { return drawtest::Pixel(m_Pixels, x, y); }

private:
    drawtest::CTestScreen m_Screen;
    std::vector<uint32_t> m_Pixels;
};

}  // namespace msgtest
