// The screen test kit itself: sheets read back through the engine's loader and the
// probes, the game driver's input, frames and sound recording.
#include <gtest/gtest.h>

#include <set>

#include "engine/base/Log.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SceneRequest.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/Sheet.h"

using namespace screentest;

TEST(Sheet, CellsHaveDistinctStableColoursAndKeepTheirFirstRowAndColumn) {
    const kit::SSheetSpec s = kit::MakeSheet("obj\\a.bmp", 60, 50, 3, 5);
    const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
    ASSERT_EQ(px.size(), 60u * 50u);
    std::set<uint32_t> colours;
    for (int r = 0; r < 5; ++r) {
        for (int c = 0; c < 3; ++c) {
            const uint32_t colour = kit::CellColour("OBJ/A.BMP", c, r);
            EXPECT_EQ(colour, kit::CellColour("obj\\a.bmp", c, r)) << "case and slashes do not count";
            EXPECT_NE(colour & 0xFFFFFFu, 0x00FF00u);
            colours.insert(colour);
            for (int i = 0; i < 10; ++i) {
                EXPECT_EQ(px[(r * 10) * 60 + c * 20 + i * 2], colour);
                EXPECT_EQ(px[(r * 10 + i) * 60 + c * 20], colour);
            }
        }
    }
    EXPECT_EQ(colours.size(), 15u);
    EXPECT_NE(kit::CellColour("obj\\b.bmp", 0, 0), kit::CellColour("obj\\a.bmp", 0, 0));
}

TEST(Sheet, BmpAndPngLoadAsDrawnAndTheProbeFindsEveryCell) {
    SetDebugOutputEnabled(false);
    CObjectDriver d;
    kit::SSheetSpec bmp = kit::MakeSheet("obj\\s.bmp", 40, 30, 2, 3);
    bmp.areas.push_back({0, 0, 4, 4, kit::kKeyGreen});
    kit::SSheetSpec png = kit::MakeSheet("obj\\t.png", 32, 16, 2, 1);
    png.areas.push_back({16, 0, 16, 8, 0x00000000u});  // transparent top half of cell 1
    ASSERT_TRUE(d.Probe().Write(d.Folder(), bmp));
    ASSERT_TRUE(d.Probe().Write(d.Folder(), png));
    CImagePlane a, b;
    ASSERT_TRUE(a.Load("obj\\s.bmp"));
    ASSERT_TRUE(b.Load("obj\\t.png"));
    d.Draw([&] {
        a.Draw(100, 50);
        b.Draw(300, 200);
    });
    const SFrame f = d.Pixels();
    EXPECT_EQ(f.At(101, 51), 0x00FF00u) << "a BMP keeps the key colour as it is";
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\s.bmp", 1, 2, 120, 70));
    EXPECT_EQ(d.Probe().At(f, 138, 78).Describe(), "obj\\s.bmp (1, 2)");
    EXPECT_EQ(d.Probe().At(f, 300 + 20, 200 + 3).Describe(), "no cell") << "alpha 0 shows the black frame";
    EXPECT_EQ(d.Probe().At(f, 300 + 20, 200 + 12).Describe(), "obj\\t.png (1, 0)");
    EXPECT_TRUE(d.Probe().Absent(f, "obj\\t.png", 5, 5));
    SetDebugOutputEnabled(true);
}

namespace {

// A scene that plays the decide sound when decide is pressed and the cancel sound on a key.
class CSoundScene : public CSceneBase, public CSceneObjectBase {
public:
    void Update() override {
        if (IsDecidePressed()) GetGameMain()->PlayChannel0();
        if (IsCancelPressed()) GetGameMain()->PlayChannel2();
        ++updates;
    }
    void Draw() override {}
    int updates = 0;
};

class CSoundFactory : public ISceneFactory {
public:
    std::unique_ptr<CSceneBase> Create(int32_t id) override {
        if (id != 5) return nullptr;
        auto s = std::make_unique<CSoundScene>();
        last = s.get();
        return s;
    }
    CSoundScene* last = nullptr;
};

}  // namespace

TEST(GameDriver, InputReachesOneFrameAndStartedSoundsAreRecordedOnce) {
    SetDebugOutputEnabled(false);
    CSoundFactory factory;
    CGameDriver::SSetup setup;
    setup.sceneFactory = &factory;
    CGameDriver d(setup);
    d.Start(5);
    ASSERT_TRUE(d.Frame());
    ASSERT_NE(factory.last, nullptr);
    EXPECT_TRUE(d.Sounds().Take().empty());

    d.Click(10, 10);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(d.Sounds().LastFrame(), (std::vector<std::string>{"ch0"}));
    ASSERT_TRUE(d.Frame(2));
    EXPECT_EQ(d.Sounds().Take(), (std::vector<std::string>{"ch0"})) << "a playing sound is not noted again";

    d.Key(27);
    d.Click(10, 10);
    ASSERT_TRUE(d.Frame());
    EXPECT_EQ(d.Sounds().Take(), (std::vector<std::string>{"ch0", "ch2"}));
    EXPECT_EQ(factory.last->updates, 5);
    EXPECT_EQ(d.Pixels().At(400, 300), 0u) << "the frame was drawn black";
    SetDebugOutputEnabled(true);
}
