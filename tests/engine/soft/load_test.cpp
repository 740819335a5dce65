// Loading pictures into surfaces at every source and destination depth, with and
// without an alpha plane, and restoring loaded surfaces.
#include <gtest/gtest.h>

#include <png.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/soft/DIBSectionSurface.h"
#include "engine/soft/DIBSurface.h"
#include "engine/soft/PixelPack.h"
#include "engine/soft/SoftSurfaceProxy.h"
#include "tests/engine/soft/PixelModel.h"
#include "tests/support/TestSupport.h"

using namespace pixelmodel;

namespace {

const int kDepths[] = {15, 16, 24, 32};

void Put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
    for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}

// A BMP file of a top-down picture of `depth` (15: 16-bit without masks, 16: with
// 5-6-5 masks), written bottom row first.
std::vector<uint8_t> MakeBmp(const std::vector<uint8_t>& picture, int width, int height, int depth) {
    const int bpp = Bpp(depth);
    const int rowBytes = (width * bpp + 3) & ~3;
    const bool masks = depth == 16;
    const uint32_t offset = 54 + (masks ? 12 : 0);
    std::vector<uint8_t> f;
    f.push_back('B');
    f.push_back('M');
    Put32(f, offset + static_cast<uint32_t>(rowBytes * height));
    Put32(f, 0);
    Put32(f, offset);
    Put32(f, 40);
    Put32(f, static_cast<uint32_t>(width));
    Put32(f, static_cast<uint32_t>(height));
    Put16(f, 1);
    Put16(f, static_cast<uint32_t>(depth == 15 ? 16 : depth));
    Put32(f, masks ? 3 : 0);
    Put32(f, static_cast<uint32_t>(rowBytes * height));
    Put32(f, 2835);
    Put32(f, 2835);
    Put32(f, 0);
    Put32(f, 0);
    if (masks) {
        Put32(f, 0xF800);
        Put32(f, 0x07E0);
        Put32(f, 0x001F);
    }
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = picture.data() + static_cast<size_t>(y) * width * bpp;
        f.insert(f.end(), row, row + width * bpp);
        for (int p = width * bpp; p < rowBytes; ++p) f.push_back(0);
    }
    return f;
}

std::vector<uint8_t> RandomPicture(std::mt19937& rng, int width, int height, int depth) {
    std::vector<uint8_t> p(static_cast<size_t>(width) * height * Bpp(depth));
    for (auto& b : p) b = static_cast<uint8_t>(rng());
    if (depth == 15) {
        for (size_t i = 1; i < p.size(); i += 2) p[i] &= 0x7F;  // bit 15 clear, as the decoder gives it
    }
    return p;
}

class LoadTest : public ::testing::Test {
protected:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope{m_Dir.Path()};

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        EXPECT_TRUE(testsupport::WriteFileBytes(m_Dir.Path() + name, bytes));
        return name;
    }
};

}  // namespace

TEST_F(LoadTest, EverySourceAndDestinationDepth) {
    for (int section = 0; section < 2; ++section) {
        for (int sd : kDepths) {
            std::mt19937 rng(static_cast<uint32_t>(sd * 31 + section));
            const int width = 11, height = 5;
            const std::vector<uint8_t> picture = RandomPicture(rng, width, height, sd);
            const std::string name = Write("pic" + std::to_string(sd) + ".bmp", MakeBmp(picture, width, height, sd));
            for (int dd : kDepths) {
                std::unique_ptr<CDIBSurface> s;
                if (section) {
                    s = std::make_unique<CDIBSectionSurface>(nullptr);
                } else {
                    s = std::make_unique<CDIBSurface>(nullptr);
                }
                s->SetAutoRegister(false);
                ASSERT_TRUE(s->LoadFromFile(name.c_str(), dd, section != 0)) << sd << " -> " << dd;
                EXPECT_EQ(s->GetBitDepth(), dd);
                EXPECT_EQ(s->GetSize(), (SSize{width, height}));
                EXPECT_EQ(s->GetFileName(), name);
                EXPECT_EQ(s->GetColorKey(), 0x00FF00u);
                EXPECT_FALSE(s->HasAlphaPlane());
                for (int y = 0; y < height; ++y) {
                    for (int x = 0; x < width; ++x) {
                        uint8_t expect[4] = {};
                        ModelPixel(dd, sd, picture.data() + (static_cast<size_t>(y) * width + x) * Bpp(sd), expect);
                        const uint8_t* got = s->GetBits() + y * s->GetPitch() + x * Bpp(dd);
                        for (int i = 0; i < Bpp(dd); ++i) {
                            ASSERT_EQ(got[i], expect[i]) << sd << " -> " << dd << " at " << x << "," << y;
                        }
                    }
                    // Row padding stays zero.
                    for (int b = width * Bpp(dd); b < s->GetPitch(); ++b) ASSERT_EQ(s->GetBits()[y * s->GetPitch() + b], 0);
                }
            }
        }
    }
}

TEST_F(LoadTest, AlphaPlaneComesWithThePicture) {
    const int width = 5, height = 3;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    for (int i = 0; i < width * height; ++i) {
        rgba[4 * i + 0] = static_cast<uint8_t>(10 * i);  // R
        rgba[4 * i + 1] = 0x40;                          // G
        rgba[4 * i + 2] = 0x80;                          // B
        rgba[4 * i + 3] = static_cast<uint8_t>(17 * i);  // A
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = width;
    image.height = height;
    image.format = PNG_FORMAT_RGBA;
    const std::string path = m_Dir.Path() + "alpha.png";
    ASSERT_TRUE(png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr));

    CSoftSurfaceProxy p(nullptr);
    p.SetAutoRegister(false);
    ASSERT_TRUE(p.LoadFromFile("alpha.png", 16, true));
    ASSERT_TRUE(p.HasAlphaPlane());
    EXPECT_TRUE(p.IsAlphaEnabled());
    EXPECT_EQ(p.GetFormatFlags(), 0x16);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int i = y * width + x;
            EXPECT_EQ(p.GetAlpha(x, y), static_cast<uint8_t>(17 * i));
            EXPECT_EQ(p.GetPixel(x, y), Expand565To888(PackColor565((static_cast<uint32_t>(10 * i) << 16) | 0x4080)));
        }
    }
}

TEST_F(LoadTest, RestoreReloadsFromTheFile) {
    std::mt19937 rng(5);
    const std::vector<uint8_t> picture = RandomPicture(rng, 4, 4, 24);
    const std::string name = Write("r.bmp", MakeBmp(picture, 4, 4, 24));
    CDIBSurface s(nullptr);
    s.SetAutoRegister(false);
    ASSERT_TRUE(s.LoadFromFile(name.c_str(), 32, false));
    s.SetColorKey(0x0000FF);
    s.SetColorKeyEnabled(true);
    s.Clear(0);
    const int old = GdiGetDesktopBitsPerPixel();
    GdiSetDesktopBitsPerPixel(24);
    ASSERT_TRUE(s.Restore());
    GdiSetDesktopBitsPerPixel(old);
    EXPECT_EQ(s.GetBitDepth(), 24);
    EXPECT_EQ(std::vector<uint8_t>(s.GetBits(), s.GetBits() + 12), std::vector<uint8_t>(picture.begin(), picture.begin() + 12));
    EXPECT_EQ(s.GetColorKey(), 0x00FF0000u);
    EXPECT_TRUE(s.IsColorKeyEnabled());
    // The file gone: Restore fails and the surface is left released.
    testsupport::WriteFileBytes(m_Dir.Path() + "r.bmp", {});
    EXPECT_FALSE(s.Restore());
    EXPECT_FALSE(s.IsCreated());
}

TEST_F(LoadTest, MissingOrBrokenFiles) {
    CLogCapture log;
    CDIBSurface s(nullptr);
    s.SetAutoRegister(false);
    EXPECT_FALSE(s.LoadFromFile("missing.bmp", 32, false));
    EXPECT_FALSE(s.IsCreated());
    const std::string name = Write("cut.bmp", std::vector<uint8_t>{'B', 'M', 1, 2, 3});
    EXPECT_FALSE(s.LoadFromFile(name.c_str(), 32, false));
    EXPECT_FALSE(s.LoadFromFile(nullptr, 32, false));
    EXPECT_FALSE(s.IsCreated());
    EXPECT_GE(log.Count(), 2u);
}
