// The wide background: its textures against the resampler, what it draws where, its
// failures, its scrolling, and the game object's user count around scene changes,
// transitions and a device reset.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/draw/SceneManager.h"
#include "game/raising/wide/WideBackground.h"
#include "platform/gfx/GfxDevice.h"
#include "tests/support/screen/ScreenDriver.h"

using namespace screentest;

namespace {

constexpr const char* kTop = "obj\\b000_000.bmp";
constexpr const char* kBottom = "obj\\b000_001.bmp";
constexpr const char* kBand = "obj\\b000_002.bmp";
constexpr const char* kPicture = "obj\\b000_003.bmp";

// Strips of 8-pixel rows, a band of 32-pixel columns, and a landscape keyed green
// except for its left 200 pixels.
void WriteWideFiles(const std::string& folder, CSheetProbe* probe) {
    probe->Write(folder, kit::MakeSheet(kTop, 4, 56, 1, 7));
    probe->Write(folder, kit::MakeSheet(kBottom, 4, 40, 1, 5));
    probe->Write(folder, kit::MakeSheet(kBand, 256, 256, 8, 1));
    kit::SSheetSpec picture = kit::MakeSheet(kPicture, 2400, 432, 3, 1);
    picture.areas.push_back({200, 0, 2200, 432, kit::kKeyGreen});
    probe->Write(folder, picture);
}

std::vector<uint32_t> Texels(const CD3DTexture& texture) {
    CD3DTexture& t = const_cast<CD3DTexture&>(texture);
    std::vector<uint32_t> out(static_cast<size_t>(t.GetWidth()) * t.GetHeight());
    SGfxLockedRect locked;
    if (!t.Lock(&locked)) return {};
    for (uint32_t y = 0; y < t.GetHeight(); ++y) {
        std::memcpy(&out[static_cast<size_t>(y) * t.GetWidth()], static_cast<uint8_t*>(locked.bits) + y * locked.pitch,
                    t.GetWidth() * 4);
    }
    t.Unlock();
    return out;
}

std::vector<uint32_t> Decode(const std::string& folder, const char* name, SD3DXImageInfo* info) {
    std::vector<uint8_t> bytes;
    testsupport::ReadFileBytes(kit::NativeFilePath(folder, name), &bytes);
    std::vector<uint32_t> argb;
    D3DXDecodeImage(bytes.data(), bytes.size(), &argb, info);
    return argb;
}

class WideBackgroundTest : public ::testing::Test {
protected:
    WideBackgroundTest() {
        SetDebugOutputEnabled(false);
        WriteWideFiles(d.Folder(), &d.Probe());
    }
    ~WideBackgroundTest() override { SetDebugOutputEnabled(true); }
    SFrame DrawnFrame() {
        d.Draw([&] { wide.Draw(); });
        return d.Pixels();
    }

    CObjectDriver d;
    CWideBackground wide;
};

}  // namespace

TEST_F(WideBackgroundTest, BandAndLandscapeHoldExactlyWhatTheResamplerMakes) {
    ASSERT_TRUE(wide.Load());
    ASSERT_TRUE(wide.IsLoaded());
    SD3DXImageInfo info;
    std::vector<uint32_t> band = Decode(d.Folder(), kBand, &info);
    EXPECT_EQ(wide.GetBand().GetWidth(), 256);
    EXPECT_EQ(wide.GetBand().GetHeight(), 256);
    std::vector<uint32_t> want(256 * 256);
    D3DXResampleArgb(band.data(), 256, 256, 256, want.data(), 256, 256, D3DX_FILTER_TRIANGLE);
    EXPECT_EQ(Texels(wide.GetBand().GetTexture()), want);

    std::vector<uint32_t> picture = Decode(d.Folder(), kPicture, &info);
    std::vector<uint32_t> slice(800 * 432);
    for (int y = 0; y < 432; ++y) {
        for (int x = 0; x < 800; ++x) {
            const uint32_t p = picture[static_cast<size_t>(y) * 2400 + x];
            slice[static_cast<size_t>(y) * 800 + x] = p == kit::kKeyGreen ? 0 : p;
        }
    }
    const CD3DDeviceCaps& caps = d.Device()->GetCaps();
    const uint32_t side = CWidePicture::TextureSide(caps.GetMaxTextureWidth(), caps.GetMaxTextureHeight());
    ASSERT_EQ(wide.GetPicture().GetTexture().GetWidth(), side);
    want.assign(static_cast<size_t>(side) * side, 0);
    D3DXResampleArgb(slice.data(), 800, 432, 800, want.data(), side, side, D3DX_FILTER_TRIANGLE);
    EXPECT_EQ(Texels(wide.GetPicture().GetTexture()), want);
    EXPECT_EQ(CWidePicture::TextureSide(256, 256), 256u);
    EXPECT_EQ(CWidePicture::TextureSide(4096, 128), 512u);
}

TEST_F(WideBackgroundTest, TheBandWrapsUnderTheKeyedLandscapeAndStripsNeedTheSecondFlag) {
    ASSERT_TRUE(wide.Load());
    const std::vector<uint32_t> texels = Texels(wide.GetBand().GetTexture());
    auto texel = [&](int x, int y) { return texels[static_cast<size_t>(y) * 256 + x] & 0xFFFFFFu; };
    for (float phase : {0.0f, 0.25f}) {
        SCOPED_TRACE(phase);
        wide.GetBand().SetPhase(phase);
        const SFrame f = DrawnFrame();
        const int shift = static_cast<int>(phase * 256);
        for (int x : {260, 300, 511, 512, 700, 799}) {
            EXPECT_EQ(f.At(x, 300), texel((x + shift) % 256, 300 - 62)) << "x " << x;
        }
    }
    SFrame f = DrawnFrame();
    EXPECT_EQ(d.Probe().At(f, 100, 200).Describe(), "obj\\b000_003.bmp (0, 0)") << "the opaque part of the landscape";
    EXPECT_EQ(f.At(400, 30), 0u) << "no strip without the second flag";
    wide.ShowPart0();
    EXPECT_EQ(DrawnFrame().pixels, f.pixels) << "the first flag changes nothing";
    wide.ShowPart1();
    f = DrawnFrame();
    EXPECT_EQ(d.Probe().At(f, 0, 3).Describe(), "obj\\b000_000.bmp (0, 0)");
    EXPECT_EQ(d.Probe().At(f, 799, 50).Describe(), "obj\\b000_000.bmp (0, 6)");
    EXPECT_EQ(d.Probe().At(f, 400, 440).Describe(), "obj\\b000_001.bmp (0, 0)");
    EXPECT_EQ(d.Probe().At(f, 400, 479).Describe(), "obj\\b000_001.bmp (0, 4)");
}

TEST_F(WideBackgroundTest, ScrollingWrapsByOneAndOnlyWithABand) {
    wide.StepScroll();
    EXPECT_EQ(wide.GetBand().GetPhase(), 0.0f) << "no band, no scrolling";
    ASSERT_TRUE(wide.Load());
    wide.GetBand().SetPhase(0.99995f);
    wide.StepScroll();
    EXPECT_NEAR(wide.GetBand().GetPhase(), 0.00005f, 1e-6f);
    wide.StepScroll();
    EXPECT_NEAR(wide.GetBand().GetPhase(), 0.00015f, 1e-6f) << "the remainder carries over";
    wide.GetBand().SetPhase(0.5f);
    wide.ShowPart1();
    wide.Reload();
    EXPECT_TRUE(wide.IsLoaded());
    EXPECT_EQ(wide.GetBand().GetPhase(), 0.0f);
    EXPECT_TRUE(wide.GetTopStrip().IsLoaded());
}

TEST_F(WideBackgroundTest, MissingOrBrokenPicturesLeaveItEmptyButMissingStripsDoNotDecide) {
    struct SCase {
        const char* file;
        bool corrupt;
        bool loads;
    };
    for (const SCase c : {SCase{kBand, false, false}, SCase{kBand, true, false}, SCase{kPicture, false, false},
                          SCase{kPicture, true, false}, SCase{kTop, false, true}}) {
        SCOPED_TRACE(std::string(c.file) + (c.corrupt ? " corrupt" : " missing"));
        WriteWideFiles(d.Folder(), &d.Probe());
        const std::string path = kit::NativeFilePath(d.Folder(), c.file);
        if (c.corrupt) {
            ASSERT_TRUE(kit::WriteBytes(path, {'B', 'M', 1, 2, 3}));
        } else {
            std::remove(path.c_str());
        }
        CLogCapture log;
        EXPECT_EQ(wide.Load(), c.loads);
        EXPECT_EQ(wide.IsLoaded(), c.loads) << "IsLoaded agrees with Load";
        if (!c.loads) {
            EXPECT_FALSE(wide.GetTopStrip().IsLoaded()) << "a failed load releases everything";
            EXPECT_EQ(DrawnFrame().pixels, std::vector<uint32_t>(800 * 600, 0u));
        }
        if (!c.corrupt) {
            // The band's and the picture's loaders say nothing of a missing file; a missing
            // strip is reported by the background, once a run.
            EXPECT_EQ(log.Count(), c.file == kTop ? 1u : 0u) << "only a missing strip is logged";
        }
        wide.Release();
        EXPECT_FALSE(wide.IsLoaded());
    }
}

namespace {

// A menu screen on the wide background.
class CWideScene : public CSceneBase, public CSceneObjectBase {
public:
    CWideScene(bool part0, bool part1) : m_Part0(part0), m_Part1(part1) {}
    ~CWideScene() override { GetGameMain()->EndWideBackground(); }
    void Load() override { GetGameMain()->BeginWideBackground(m_Part0, m_Part1); }
    void Update() override { GetGameMain()->StepWideBackground(); }
    void Draw() override { GetGameMain()->DrawWideBackground(); }

private:
    bool m_Part0, m_Part1;
};

class CPlainScene : public CSceneBase, public CSceneObjectBase {
public:
    void Update() override {}
    void Draw() override {}
};

class CWideFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id == 10) return std::make_unique<CWideScene>(true, true);
        if (id == 11) return std::make_unique<CWideScene>(false, false);
        if (id == 12) return std::make_unique<CPlainScene>();
        return nullptr;
    }
};

class WideGameTest : public ::testing::Test {
protected:
    WideGameTest() : d(MakeSetup()) {}
    CGameDriver::SSetup MakeSetup() {
        SetDebugOutputEnabled(false);
        CGameDriver::SSetup s;
        s.sceneFactory = &m_Factory;
        s.prepare = [this](const std::string& folder) { WriteWideFiles(folder, &m_Probe); };
        return s;
    }
    ~WideGameTest() override { SetDebugOutputEnabled(true); }
    CWideBackground& Wide() { return d.Game().GetWideBackground(); }
    void Go(int scene, int transition, int frames) {
        d.Game().GetSceneManager().GoTo(scene);
        d.Game().GetSceneManager().Transition(transition, frames);
    }

    CWideFactory m_Factory;
    CSheetProbe m_Probe;
    CGameDriver d;
};

}  // namespace

TEST_F(WideGameTest, ScreensThatFollowEachOtherInOneUpdateKeepThePicturesAndThePhase) {
    d.Start(10);
    ASSERT_TRUE(d.Frame(5));
    EXPECT_EQ(d.Game().GetWideBackgroundUsers(), 1);
    EXPECT_NEAR(Wide().GetBand().GetPhase(), 0.0005f, 1e-6f);
    EXPECT_EQ(m_Probe.At(d.Pixels(), 400, 3).Describe(), "obj\\b000_000.bmp (0, 0)");
    Go(11, 0, 0);
    ASSERT_TRUE(d.Frame());
    EXPECT_TRUE(Wide().IsLoaded());
    EXPECT_EQ(d.Game().GetWideBackgroundUsers(), 1);
    EXPECT_NEAR(Wide().GetBand().GetPhase(), 0.0006f, 1e-6f) << "never released, so never reloaded";
    const SFrame f = d.Pixels();
    EXPECT_EQ(f.At(400, 3), 0u) << "(0, 0) shows no strips";
    EXPECT_EQ(m_Probe.At(f, 100, 200).Describe(), "obj\\b000_003.bmp (0, 0)");
}

TEST_F(WideGameTest, TheLastUserEndingInATransitionReleasesOnTheFirstFrameAfterIt) {
    d.Start(10);
    ASSERT_TRUE(d.Frame(3));
    Go(12, 1, 10);
    bool sawTransition = false;
    for (int frame = 0; frame < 20; ++frame) {
        ASSERT_TRUE(d.Frame());
        const bool running = d.Game().GetSceneManager().IsInTransition();
        sawTransition |= running;
        EXPECT_EQ(Wide().IsLoaded(), running) << "frame " << frame;
        if (!running) break;
    }
    EXPECT_TRUE(sawTransition);
    EXPECT_EQ(d.Game().GetWideBackgroundUsers(), 0);
}

TEST_F(WideGameTest, ADeviceResetReloadsWithTheBandAtPhaseZero) {
    d.Start(10);
    ASSERT_TRUE(d.Frame(10));
    d.Device()->GetDevice()->SimulateDeviceLost();
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(d.Game().GetDeviceRestoreCount(), 1u);
    EXPECT_TRUE(Wide().IsLoaded());
    EXPECT_NEAR(Wide().GetBand().GetPhase(), 0.0001f, 1e-7f) << "reloaded at 0, then one update";
    EXPECT_EQ(m_Probe.At(d.Pixels(), 100, 200).Describe(), "obj\\b000_003.bmp (0, 0)");
}
