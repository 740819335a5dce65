// The screen test kit itself: sheets read back through the engine's loader and the
// probes, the game driver's input, frames and sound recording.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "engine/base/Log.h"
#include "engine/draw/ImagePlane.h"
#include "engine/draw/SceneManager.h"
#include "game/core/SceneRequest.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/kit/Sheet.h"
#include "tools/kit/TinyFont.h"

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
    bmp.areas.push_back({10, 4, 4, 4, kit::kKeyGreen});
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
    EXPECT_EQ(f.At(111, 55), 0x00FF00u) << "a BMP keeps the key colour as it is";
    EXPECT_TRUE(d.Probe().ShowsCellAt(f, "obj\\s.bmp", 1, 2, 120, 70));
    EXPECT_EQ(d.Probe().At(f, 138, 78).Describe(), "obj\\s.bmp (1, 2)");
    EXPECT_EQ(d.Probe().At(f, 300 + 29, 200 + 3).Describe(), "no cell") << "alpha 0 shows the black frame";
    EXPECT_EQ(d.Probe().At(f, 300 + 20, 200 + 12).Describe(), "obj\\t.png (1, 0)");
    EXPECT_TRUE(d.Probe().Absent(f, "obj\\t.png", 5, 5));
    SetDebugOutputEnabled(true);
}

namespace {

// The box of the ink (black or white pixels) inside a cell, cell-relative; empty when none.
SBox InkBox(const std::vector<uint32_t>& px, const kit::SSheetSpec& s, int32_t c, int32_t r) {
    const int32_t cw = s.width / s.columns, ch = s.height / s.rows;
    SBox box;
    for (int32_t y = 0; y < ch; ++y) {
        for (int32_t x = 0; x < cw; ++x) {
            const uint32_t p = px[static_cast<size_t>(r * ch + y) * s.width + c * cw + x];
            if (p != 0xFF000000u && p != 0xFFFFFFFFu) continue;
            if (box.empty) box = SBox{x, y, x + 1, y + 1, false};
            box.left = std::min(box.left, x), box.top = std::min(box.top, y);
            box.right = std::max(box.right, x + 1), box.bottom = std::max(box.bottom, y + 1);
        }
    }
    return box;
}

}  // namespace

// Words go beside the label, twice the size where the cell has room, and never leave
// the cell's upper half unless the sheet lets them fill it: a long word in a narrow cell
// is cut, the centre stays plain, and every look of a button carries its word.
TEST(Sheet, WordsSitBesideTheLabelInsideTheirCell) {
    const struct {
        int32_t cellW, cellH;
        const char* word;
        int32_t wantRight, wantBottom;  // one past the ink, cell-relative
        bool fill = false;              // the sheet lets its words fill the cell
    } cases[] = {
        // "1.r" ends at column 10; a word beside it starts two columns on, at 12.
        {176, 40, "New game", 12 + kit::WordWidth("New game", 2), 15},
        {72, 32, "Back", 12 + kit::WordWidth("Back", 2), 15},
        {72, 28, "Back", 12 + kit::WordWidth("Back", 1), 8},  // doubled, it would reach the centre
        {64, 20, "Load", 12 + kit::WordWidth("Load", 1), 8},
        {20, 40, "Go", 12, 15},                                   // below the label
        // A row too low for the 5 × 7 glyphs (a music room's track) takes the 3 × 5 ones,
        // four columns after the label's digits of the same size.
        {192, 16, "Garden Flowers", 14 + kit::WordWidth("Garden Flowers", 1, kit::EGlyphs::Small), 6},
        // The same row whose words may fill the cell: doubled, down to its last rows.
        {192, 16, "Garden Flowers", 12 + kit::WordWidth("Garden Flowers", 2), 15, true},
        // Cut to what fits, in the small glyphs.
        {30, 20, "Training", 14 + kit::WordWidth("Trai", 1, kit::EGlyphs::Small), 6},
    };
    for (const auto& k : cases) {
        kit::SSheetSpec s = kit::MakeControls("obj\\w.bmp", k.cellW * 2, k.cellH * 3, 2, 3, {"", k.word});
        s.wordsFillCell = k.fill;
        const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
        for (int32_t r = 0; r < 3; ++r) {
            const SBox plain = InkBox(px, s, 0, r);
            const SBox worded = InkBox(px, s, 1, r);
            ASSERT_FALSE(plain.empty || worded.empty) << k.word;
            EXPECT_EQ(plain.right, 10) << "the label alone";
            EXPECT_EQ(worded.left, 1) << k.word;
            EXPECT_EQ(worded.top, 1) << k.word;
            EXPECT_EQ(worded.right, k.wantRight) << k.word;
            EXPECT_EQ(worded.bottom, k.wantBottom) << k.word;
            EXPECT_LE(worded.right, k.cellW - 1) << k.word;
            if (!k.fill) {
                EXPECT_LE(worded.bottom, k.cellH / 2 - 1) << k.word << ": the centre stays plain";
            }
        }
    }
    // A column without a word takes its row's.
    kit::SSheetSpec rows = kit::MakeSheet("obj\\r.bmp", 100, 60, 1, 3);
    rows.rowWords = {"A", "", "C"};
    const std::vector<uint32_t> px = kit::MakeSheetPixels(rows);
    EXPECT_GT(InkBox(px, rows, 0, 0).right, 10);
    EXPECT_EQ(InkBox(px, rows, 0, 1).right, 10);
    EXPECT_EQ(kit::CellWord(rows, 0, 2), "C");
}

// The locked look of a button sheet (its fifth row) is greyed with its word struck
// through; the other looks, and sheets that are no button sheets, keep their colours.
TEST(Sheet, TheLockedLookOfAButtonIsGreyedAndStruckThrough) {
    const kit::SSheetSpec s = kit::MakeControls("obj\\l.bmp", 2 * 200, 5 * 40, 2, 5, {"Shop", "Job"});
    ASSERT_EQ(s.lockedRow, 4);
    const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
    auto spread = [](uint32_t c) {
        const int32_t ch[3] = {static_cast<int32_t>((c >> 16) & 0xFF), static_cast<int32_t>((c >> 8) & 0xFF),
                               static_cast<int32_t>(c & 0xFF)};
        return *std::max_element(ch, ch + 3) - *std::min_element(ch, ch + 3);
    };
    for (int32_t c = 0; c < 2; ++c) {
        for (int32_t r = 0; r < 5; ++r) {
            const uint32_t own = kit::CellColour(s.name, c, r), drawn = kit::CellColour(s, c, r);
            EXPECT_EQ(px[static_cast<size_t>(r * 40 + 30) * 400 + c * 200 + 150], drawn) << c << "." << r;
            if (r < 4) {
                EXPECT_EQ(drawn, own) << c << "." << r;
                continue;
            }
            EXPECT_LE(spread(drawn), spread(own) / 4 + 1) << "greyed";
            EXPECT_NE(drawn, own);
        }
        // The word "SHOP" or "JOB" at twice the size from (12, 1): struck through on its
        // middle row (y 7 and 8) in the locked look only.
        const int32_t width = kit::WordWidth(c == 0 ? "Shop" : "Job", 2);
        for (int32_t r = 0; r < 5; ++r) {
            int32_t ink = 0;
            for (int32_t x = 12; x < 12 + width; ++x) {
                const uint32_t p = px[static_cast<size_t>(r * 40 + 7) * 400 + c * 200 + x];
                ink += p == 0xFF000000u || p == 0xFFFFFFFFu;
            }
            EXPECT_EQ(ink == width, r == 4) << c << "." << r << ": " << ink << " of " << width;
        }
        EXPECT_EQ(kit::WordBox(s, c, 4).Width(), 12 + width + 1);
    }
    EXPECT_EQ(kit::MakeSheet("obj\\l.bmp", 100, 100, 1, 5).lockedRow, -1) << "no button sheet";
    EXPECT_EQ(kit::MakeControls("obj\\l.bmp", 100, 60, 1, 3, {"On"}).lockedRow, -1) << "three looks, none locked";
}

TEST(TinyFont, GlyphsAreCapitalsOfFiveBySevenAndClipAtTheEdge) {
    std::vector<uint32_t> a(40 * 10, 0), b(40 * 10, 0);
    kit::DrawWord(&a, 40, 1, 1, "Hi!", 1, 1u);
    kit::DrawWord(&b, 40, 1, 1, "HI!", 1, 1u);
    EXPECT_EQ(a, b) << "small letters are drawn as capitals";
    // "I": the bar on top and bottom and the stem, 3 + 5 + 3 pixels.
    std::vector<uint32_t> i(8 * 9, 0);
    kit::DrawWord(&i, 8, 0, 0, "I", 1, 1u);
    EXPECT_EQ(std::count(i.begin(), i.end(), 1u), 11);
    EXPECT_EQ(kit::WordWidth("ABC", 2), 3 * 12 - 2);
    std::vector<uint32_t> small(8 * 9, 0);
    kit::DrawWord(&small, 8, 0, 0, "I", 1, 1u, kit::EGlyphs::Small);
    EXPECT_EQ(std::count(small.begin(), small.end(), 1u), 9) << "3 × 5: bars of 3 and a stem of 3";
    EXPECT_EQ(kit::WordWidth("ABC", 1, kit::EGlyphs::Small), 3 * 4 - 1);
    std::vector<uint32_t> blank(8 * 9, 0);
    kit::DrawWord(&blank, 8, 0, 0, "@~", 1, 1u);
    EXPECT_EQ(std::count(blank.begin(), blank.end(), 1u), 0) << "no glyph: a blank";
    std::vector<uint32_t> edge(6 * 4, 0);
    kit::DrawWord(&edge, 6, 3, 2, "WW", 2, 1u);  // mostly outside: nothing written past the picture
    EXPECT_EQ(edge.size(), 24u);
}

// Transparent and translucent areas keep the grid, the label and the word, and make the
// file a PNG; a keyed area that is told to paints over everything and stays a BMP.
TEST(Sheet, AreasLeaveTheGridAndLabelsAndChooseTheFileKind) {
    kit::SSheetSpec s = kit::MakeControls("obj\\a.bmp", 200, 80, 2, 2, {"Yes", "No"});
    s.cellAreas.push_back({0, 0, 100, 28, 0x00000000u});
    s.areas.push_back({0, 30, 200, 20, 0x80102030u});
    const std::vector<uint32_t> px = kit::MakeSheetPixels(s);
    for (int32_t r = 0; r < 2; ++r) {
        for (int32_t c = 0; c < 2; ++c) {
            const uint32_t colour = kit::CellColour(s.name, c, r);
            for (int32_t i = 0; i < 100; ++i) EXPECT_EQ(px[static_cast<size_t>(r * 40) * 200 + c * 100 + i], colour);
            for (int32_t i = 0; i < 40; ++i) EXPECT_EQ(px[static_cast<size_t>(r * 40 + i) * 200 + c * 100], colour);
            EXPECT_GT(InkBox(px, s, c, r).right, 10) << "the word stays";
            EXPECT_EQ(px[static_cast<size_t>(r * 40 + 25) * 200 + c * 100 + 90], 0x00000000u);
        }
    }
    EXPECT_EQ(px[static_cast<size_t>(35) * 200 + 150], 0x80102030u) << "areas in picture pixels go first";
    EXPECT_TRUE(kit::WritesPng(s));
    EXPECT_EQ(kit::EncodeSheet(s)[1], 'P');

    // A tinted cell area is the cell's own colour at the area's alpha; captions are ink
    // wherever they are put.
    kit::SSheetSpec tinted = kit::MakeSheet("obj\\t.bmp", 200, 40, 2, 1);
    tinted.cellAreas.push_back({20, 20, 40, 10, 0x80000000u, true});
    tinted.captions.push_back({170, 25, "I", 1});
    const std::vector<uint32_t> t = kit::MakeSheetPixels(tinted);
    for (int32_t c = 0; c < 2; ++c) {
        EXPECT_EQ(t[static_cast<size_t>(22) * 200 + c * 100 + 30],
                  0x80000000u | (kit::CellColour(tinted.name, c, 0) & 0xFFFFFFu));
    }
    const uint32_t ink = t[static_cast<size_t>(25) * 200 + 171];
    EXPECT_TRUE(ink == 0xFF000000u || ink == 0xFFFFFFFFu) << std::hex << ink;
    EXPECT_EQ(t[static_cast<size_t>(26) * 200 + 172], ink) << "the stem of the I";
    EXPECT_EQ(t[static_cast<size_t>(26) * 200 + 170], kit::CellColour(tinted.name, 1, 0));

    kit::SSheetSpec keyed = kit::MakeSheet("obj\\k.bmp", 40, 20, 2, 1);
    keyed.areas.push_back({0, 0, 40, 10, kit::kKeyGreen});
    keyed.areasKeepLabels = false;
    const std::vector<uint32_t> k = kit::MakeSheetPixels(keyed);
    EXPECT_EQ(k[0], kit::kKeyGreen);
    EXPECT_EQ(k[20], kit::kKeyGreen);
    EXPECT_FALSE(kit::WritesPng(keyed));
    EXPECT_EQ(kit::EncodeSheet(keyed)[0], 'B');
}

// The probe's list: a cell at its place by the plain block nearest its centre (labels
// and see-through parts aside), a button's enabled looks, anywhere, any of several, and a
// chosen point; each failure is named.
TEST(SheetProbe, ListsOfWhatMustShowPassAndFailByCell) {
    SetDebugOutputEnabled(false);
    CObjectDriver d;
    kit::SSheetSpec buttons = kit::MakeControls("obj\\b.bmp", 200, 200, 2, 5, {"Yes", "No"});
    kit::SSheetSpec framed = kit::MakeSheet("obj\\f.bmp", 100, 80, 1, 1);
    framed.areas.push_back({10, 10, 80, 60, 0x00000000u});
    ASSERT_TRUE(d.Probe().Write(d.Folder(), buttons));
    ASSERT_TRUE(d.Probe().Write(d.Folder(), framed));
    CImagePlane b, f;
    ASSERT_TRUE(b.Load("obj\\b.bmp"));
    ASSERT_TRUE(f.Load("obj\\f.bmp"));
    // Button 0 in its first look at (10, 10), button 1 locked (look 4) at (200, 10), the
    // frame at (400, 300) with look 1 of button 0 in its window.
    d.Draw([&] {
        b.DrawStretch(SRect{10, 10, 110, 50}, SRect{0, 0, 100, 40}, 0xFFFFFFFFu);
        b.DrawStretch(SRect{200, 10, 300, 50}, SRect{100, 160, 200, 200}, 0xFFFFFFFFu);
        f.Draw(400, 300);
        b.DrawStretch(SRect{420, 320, 470, 340}, SRect{0, 40, 50, 60}, 0xFFFFFFFFu);
    });
    const SFrame frame = d.Pixels();
    using V = SVisible;
    const auto ok = [&](const V& v) { return static_cast<bool>(d.Probe().ShowsAll(frame, {v})); };
    EXPECT_TRUE(ok(V{"button 0", "obj\\b.bmp", 0, V::kEnabledLook, 10, 10, {}}));
    EXPECT_TRUE(ok(V{"button 0, look 0", "obj\\b.bmp", 0, 0, 10, 10, {}}));
    EXPECT_FALSE(ok(V{"button 1 enabled", "obj\\b.bmp", 1, V::kEnabledLook, 200, 10, {}})) << "it is locked";
    EXPECT_TRUE(ok(V{"button 1 locked", "obj\\b.bmp", 1, 4, 200, 10, {}}));
    EXPECT_FALSE(ok(V{"button 0 elsewhere", "obj\\b.bmp", 0, 0, 150, 10, {}})) << "its centre would be on button 1";
    EXPECT_TRUE(ok(V{"frame", "obj\\f.bmp", 0, 0, 400, 300, {}})) << "looked at on its border, not in its window";
    EXPECT_TRUE(ok(V{"look 1 somewhere", "obj\\b.bmp", 0, 1, V::kAnywhere, V::kAnywhere, {}}));
    EXPECT_FALSE(ok(V{"look 2 somewhere", "obj\\b.bmp", 0, 2, V::kAnywhere, V::kAnywhere, {}}));
    V any{"either", "", 0, 0, 0, 0, {V{"a", "obj\\b.bmp", 1, 0, 200, 10, {}}, V{"b", "obj\\b.bmp", 1, 4, 200, 10, {}}}};
    EXPECT_TRUE(ok(any));
    V point{"frame's corner", "obj\\f.bmp", 0, 0, 400, 300, {}};
    point.pointX = 5, point.pointY = 40;
    EXPECT_TRUE(ok(point));
    point.pointX = 50;
    EXPECT_FALSE(ok(point)) << "the window is no plain point";
    // Under a half-black veil the cell shows darkened, a step or two either way.
    CSheetProbe veiled;
    veiled.Add(framed);
    const uint32_t c = kit::CellColour(framed.name, 0, 0);
    SFrame dim{100, 80, std::vector<uint32_t>(8000, 0)};
    for (uint32_t& p : dim.pixels) p = ((c >> 17) & 0x7F) << 16 | ((c >> 9) & 0x7F) << 8 | ((c >> 1) & 0x7F);
    V under{"under a veil", "obj\\f.bmp", 0, 0, 0, 0, {}};
    EXPECT_FALSE(veiled.ShowsAll(dim, {under})) << "exactly, it does not match";
    under.veilAlpha = 0x80;
    EXPECT_TRUE(veiled.ShowsAll(dim, {under}));
    under.veilAlpha = 0x40;
    EXPECT_FALSE(veiled.ShowsAll(dim, {under})) << "a lighter veil";

    // A box shown exactly as drawn: button 0's word in look 0, and in look 1 in the frame's
    // window; not look 0's there (the same word on another colour), nor look 1 at
    // (10, 10), whose look 0 was drawn stretched (the same size there).
    V word{"button 0's word", "obj\\b.bmp", 0, 0, 10, 10, {}};
    word.word = true;
    ASSERT_GT(kit::WordBox(buttons, 0, 0).Width(), 20);
    EXPECT_TRUE(ok(word));
    word.x = 420, word.y = 320;
    EXPECT_FALSE(ok(word));
    word.row = 1;
    EXPECT_TRUE(ok(word));
    word.x = word.y = 10;
    EXPECT_FALSE(ok(word));
    word.row = 0;
    word.word = false;
    word.exact = kit::WordBox(buttons, 0, 0);
    EXPECT_TRUE(ok(word)) << "the same box given";
    word.exact = SRect{0, 0, 101, 10};
    EXPECT_FALSE(ok(word)) << "a box larger than the cell";
    // Button 1's locked look, greyed and struck through, and not its normal look.
    V locked{"button 1 locked", "obj\\b.bmp", 1, 4, 200, 10, {}};
    locked.word = true;
    EXPECT_TRUE(ok(locked));
    locked.row = 0;
    EXPECT_FALSE(ok(locked));

    const ::testing::AssertionResult both = d.Probe().ShowsAll(
        frame, {V{"first", "obj\\b.bmp", 1, 0, 200, 10, {}}, V{"second", "obj\\x.bmp", 0, 0, 0, 0, {}}});
    EXPECT_NE(std::string(both.message()).find("first"), std::string::npos);
    EXPECT_NE(std::string(both.message()).find("second: obj\\x.bmp (0, 0) is no sheet"), std::string::npos) << both.message();
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
