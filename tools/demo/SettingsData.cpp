// The settings menu (scene 16) and its six pages.
#include <algorithm>
#include <climits>

#include "game/menus/settings/CancelActionPage.h"
#include "game/menus/settings/DisplayOptionPage.h"
#include "game/menus/settings/InfoPage.h"
#include "game/menus/settings/MessageOptionPage.h"
#include "game/menus/settings/SliderSet.h"
#include "game/menus/settings/SoundOptionPage.h"
#include "game/menus/settings/SystemMenuScene.h"
#include "game/menus/settings/VoiceOptionPage.h"
#include "tools/demo/DemoWriter.h"
#include "tools/kit/TinyFont.h"

namespace demo {

namespace {

// The pages' backgrounds reach from under the headers (y 88) to the bottom edge.
constexpr int32_t kPageHeight = 600 - CMenuPage::kBackgroundAt.y;
constexpr int32_t kCaptionScale = 2;
// The height of the option buttons (the 14 × 3 sheet's cells) and of the minus and plus
// buttons (the 2 × 3 sheet's, SharedData.cpp).
constexpr int32_t kOptionHeight = 32;
constexpr int32_t kStepHeight = 24;
// The slider's fill, whose size is also where a slider answers at its place.
constexpr int32_t kFillWidth = 240;
constexpr int32_t kFillHeight = 16;

// The name of a row whose controls stand at `row` (screen pixels, `height` high),
// written into the page's background at x `x`, level with the controls' middle.
kit::SCaption RowCaption(int32_t x, SPoint row, int32_t height, const char* text) {
    const int32_t captionHeight = kit::kGlyphHeight * kCaptionScale;
    return kit::SCaption{x - CMenuPage::kBackgroundAt.x, row.y + (height - captionHeight) / 2 - CMenuPage::kBackgroundAt.y,
                         text, kCaptionScale};
}

// A page's background of 200 × 256 cells (400 × 256 with `wide` cells) with its rows'
// names: the labels of a page's rows are part of its picture.
kit::SSheetSpec PageBackground(const char* file, std::vector<kit::SCaption> captions, bool wide = false) {
    kit::SSheetSpec s = kit::MakeSheet(file, 800, kPageHeight, wide ? 2 : 4, 2);
    s.captions = std::move(captions);
    return s;
}

// The second row's 16 and 32 bits are the colour depth of the full screen only: the
// window keeps the desktop's.
std::vector<kit::SCaption> DisplayCaptions() {
    using P = CDisplayOptionPage;
    const char* names[] = {"Screen", "Full-screen colours", "Effects", "Waits", "Ask first", "Event panel"};
    std::vector<kit::SCaption> out;
    for (size_t row = 0; row < 6; ++row) out.push_back(RowCaption(8, P::kPlaces[2 * row], kOptionHeight, names[row]));
    return out;
}

std::vector<kit::SCaption> MessageCaptions() {
    using P = CMessageOptionPage;
    return {RowCaption(24, P::kLayout.steps[0], kStepHeight, "Text speed"),
            RowCaption(24, P::kOptionPlaces[0], kOptionHeight, "Skip"),
            RowCaption(24, P::kOptionPlaces[2], kOptionHeight, "Auto mode"),
            RowCaption(24, P::kLayout.steps[2], kStepHeight, "Auto speed"),
            RowCaption(24, P::kLayout.steps[4], kStepHeight, "Opacity")};
}

std::vector<kit::SCaption> SoundCaptions() {
    using P = CSoundOptionPage;
    return {RowCaption(24, P::kLayout.steps[0], kStepHeight, "Music"),
            RowCaption(24, P::kLayout.steps[2], kStepHeight, "Effects"),
            RowCaption(24, P::kLayout.steps[4], kStepHeight, "Voices")};
}

std::vector<kit::SCaption> VoiceCaptions() {
    std::vector<kit::SCaption> out;
    for (int j = 0; j < CVoiceOptionPage::kButtonCount / 2; ++j) {
        // Left of the ON button: the left column from x 16, the right one 160 pixels
        // before its buttons, clear of the left column's OFF buttons.
        const int32_t x = j < 8 ? 16 : CVoiceOptionPage::Place(16).x - 160;
        out.push_back(RowCaption(x, CVoiceOptionPage::Place(2 * j), kOptionHeight, kVoiceCaptions[j]));
    }
    return out;
}

// Where every slider of both pages answers, in the frame picture's pixels: the fill's
// rectangle at each slider's place taken in common (the auto speed's lies a row higher
// in its frame than the others').
SRect AnsweringTrack() {
    SRect common{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    for (const CSliderSet::SLayout* layout : {&CMessageOptionPage::kLayout, &CSoundOptionPage::kLayout}) {
        for (size_t i = 0; i < CSliderSet::kCount; ++i) {
            const int32_t x = layout->fills[i].x - layout->frames[i].x, y = layout->fills[i].y - layout->frames[i].y;
            common = SRect{std::max(common.left, x), std::max(common.top, y), std::min(common.right, x + kFillWidth),
                           std::min(common.bottom, y + kFillHeight)};
        }
    }
    return common;
}

}  // namespace

void WriteSettingsData(CDemoWriter& out) {
    // The two headers under the tab bar (its sheet is a shared one), the page and
    // command buttons (9 × 5 cells of 72 × 28) and the option buttons the pages share
    // (14 × 3 cells of 88 × 32).
    out.Sheet(kit::MakeSheet(CSystemMenuScene::kHeaderLeft, 280, 88, 2, 1));
    out.Sheet(kit::MakeControls(CSystemMenuScene::kCommandSheet, 648, 140, 9, 5,
                                {"Screen", "Text", "Sound", "Voice", "Cancel key", "Info", "Defaults", "OK", "Cancel"}));
    // Columns: the screen modes (0 to 3), on and off, the skip modes, the sound tests and
    // the five things the cancel key may do in a scene: hide the message window, open the
    // in-game menu (the window's second set of buttons), skip while held, open the save or
    // the load screen (docs/controls.md).
    // The ON and OFF pictures show only on the part of their cells where the voice page's
    // switches answer (the display and message pages use them too).
    kit::SSheetSpec options = kit::MakeControls(CSystemMenuScene::kOptionSheet, 1232, 96, 14, 3,
                                                {"Window", "Full", "16 bit", "32 bit", "On", "Off", "Read", "All", "Test",
                                                 "Hide", "Menu", "Skip", "Save", "Load"});
    options.shownWidths.assign(CSystemMenuScene::kOptionColumns, 0);
    for (int32_t c : {CVoiceOptionPage::kOnColumn, CVoiceOptionPage::kOffColumn}) {
        options.shownWidths[static_cast<size_t>(c)] = options.width / options.columns - CVoiceOptionPage::kRightMargin;
    }
    out.Sheet(options);
    // Page backgrounds drawn at (0, 88) down to the bottom edge, with the names of their
    // rows; the information page's at (72, 88).  The cancel page names its one row above
    // it, and the display page its full-screen colours, in cells as wide as the names.
    out.Sheet(PageBackground(CDisplayOptionPage::kBackgroundFile, DisplayCaptions(), true));
    out.Sheet(PageBackground(CMessageOptionPage::kBackgroundFile, MessageCaptions()));
    out.Sheet(PageBackground(CSoundOptionPage::kBackgroundFile, SoundCaptions()));
    out.Sheet(PageBackground(CVoiceOptionPage::kBackgroundFile, VoiceCaptions()));
    const SPoint cancelRow = CCancelActionPage::Place(0);
    out.Sheet(PageBackground(CCancelActionPage::kBackgroundFile,
                             {RowCaption(cancelRow.x, SPoint{cancelRow.x, cancelRow.y - kOptionHeight - 8}, kOptionHeight,
                                         "Esc, Enter, right click:")},
                             true));
    out.Sheet(kit::MakeSheet(CInfoPage::kBackgroundFile, 656, kPageHeight, 4, 2));
    // Sliders: a frame and a fill of 240 × 16 (ten 24-pixel cells, so a screenshot shows
    // how far it is drawn); the minus and plus buttons are the guide's arrows
    // (SharedData.cpp).  The frame is a plate wider than the track, drawn from 13 pixels
    // left of where a slider answers: its track is marked on it, a light edge round a
    // dark groove, exactly where every slider answers, so that an empty slider (at 0 no
    // fill is drawn) shows where a press takes it and nothing beside it looks like the
    // track.
    kit::SSheetSpec frame = kit::MakeSheet(CSliderSet::kFrameFile, 272, 40, 4, 1);
    const SRect track = AnsweringTrack();
    frame.areas = {{track.left, track.top, track.Width(), track.Height(), 0xFFE0E0E0u},
                   {track.left + 1, track.top + 1, track.Width() - 2, track.Height() - 2, 0xFF282828u}};
    frame.areasKeepLabels = false;
    out.Sheet(frame);
    out.Sheet(kit::MakeSheet(CSliderSet::kFillFile, kFillWidth, kFillHeight, 10, 1));
    // The message window's box (drawn at (0, 416) in the game): a frame round an open
    // middle, since the stage's screens place controls under it (the food allowance's
    // question buttons at y 424 and 464, the mansion menu's last button at y 402).
    kit::SSheetSpec box = kit::MakeSheet(CMessageOptionPage::kWindowFile, 800, 184, 4, 1);
    box.areas.push_back({4, 4, 792, 176, 0x00000000u});
    out.Sheet(box);
    out.Sheet(kit::MakeControls(CInfoPage::kLinkSheet, 304, 144, 1, 3, {"Web site"}));
    out.Sheet(kit::MakeSheet(CInfoPage::kDigitSheet, 176, 24, CInfoPage::kDigitColumns, 1));
    // The test sounds; a voice that the logos already wrote stays as it is.
    // The music test, "bgm\\BGM_002.ogg", is the music room's bgm\\bgm_002.ogg: the file
    // layer matches names without regard to case (MusicRoomData.cpp writes it).
    out.Sound(CSoundOptionPage::kEffectTest, 301u, 500);
    for (size_t i = 0; i < CSoundOptionPage::kVoiceTests.size(); ++i) {
        const char* voice = CSoundOptionPage::kVoiceTests[i];
        const bool written = std::any_of(out.Files().begin(), out.Files().end(),
                                         [voice](const SDemoFile& f) { return f.path == voice; });
        if (!written) {
            out.Sound(voice, 310u + static_cast<uint32_t>(i), 800);
        }
    }
}

}  // namespace demo
