// The picture viewer (scene 12), its full view (13) and the play view (14): the screens'
// sheets, a first page of each table and every picture those pages name.
//
// The grids: 24 slots of 120 × 120 from (42, 88); a frame of 100 × 112 with the entry
// number at (31, 5) and the count at (60, 3) from its corner, the thumbnail of 88 × 66
// at (8, 30); previews of 106 × 80 beside the slot (the last column's
// stands left of it, clear of its frame).  Nothing is unlocked by the data:
// an entry opens once the game has shown its pictures or played its event.
#include <cstdio>
#include <string>

#include "engine/base/StringUtil.h"
#include "game/menus/viewer/CGViewerScene.h"
#include "game/menus/viewer/PlayViewScene.h"
#include "game/menus/viewer/ThumbnailGridScene.h"
#include "tools/demo/DemoWriter.h"

namespace demo {

namespace {

std::string Two(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// A thumbnail of the grid and a preview beside it.
void Thumbnail(CDemoWriter& out, const std::string& path) { out.Sheet(kit::MakeSheet(path, 88, 66, 2, 1)); }
void Preview(CDemoWriter& out, const std::string& name) {
    out.Sheet(kit::MakeSheet("obj\\" + name + ".bmp", 106, 80, 2, 2));
}

void WriteSheets(CDemoWriter& out) {
    out.Sheet(kit::MakeControls(CCGViewerScene::kTitle, 280, 48, 2, 1, {"Pictures"}));
    out.Sheet(kit::MakeControls(CPlayViewScene::kTitle, 280, 48, 2, 1, {"Scenes"}));
    // Ten buttons of 72 × 28: pages 1 to 6 at (424 + 72 i, 12) and (424, 40), then the
    // three sub-pages and back.
    out.Sheet(kit::MakeControls(CThumbnailGridScene::kButtonSheet, 720, 140, 10, 5,
                                {"1", "2", "3", "4", "5", "6", "Sub 1", "Sub 2", "Sub 3", "Back"}));
    // The slot frame with a window where the thumbnail goes.
    kit::SSheetSpec frame = kit::MakeSheet(CThumbnailGridScene::kFrame, 100, 112, 1, 1);
    frame.areas.push_back({8, 30, 88, 66, 0x00000000u});
    out.Sheet(frame);
    out.Sheet(kit::MakeSheet(CThumbnailGridScene::kDigits, 120, 18, 10, 1));
    out.Sheet(kit::MakeSheet(CCGViewerScene::kCountSheet, 99, 16, 11, 1));
}

// Page 1 of the picture viewer: entry 1 holds three groups (a main picture with two
// overlays, the same picture with a third, a plain picture), entries 2 to 8 one plain
// picture each.  Main pictures are full screens under "cg", overlays under "sc" with
// their places in cfg\super_sc.txt.
void WriteCGView(CDemoWriter& out) {
    std::vector<std::string> lines = {"// picture viewer, page 1: key, picture, overlays",
                                      "#p pv_cg01",
                                      "1001, cg\\ev01, sc\\ev01a, sc\\ev01b",
                                      "1002, cg\\ev01, sc\\ev01c",
                                      "1003, cg\\ev02",
                                      "##"};
    for (int e = 2; e <= 8; ++e) {
        lines.push_back("#p pv_cg" + Two(e));
        lines.push_back(std::to_string(1002 + e) + ", cg\\ev" + Two(e + 1));
        lines.push_back("##");
    }
    out.Text("cfg\\cgview1.txt", lines);
    out.Text("cfg\\super_sc.txt", {"// overlay, x, y", "ev01a 100 200", "ev01b 500 200", "ev01c 300 50"});
    for (int n = 1; n <= 9; ++n) {
        const std::string picture = "cg\\ev" + Two(n) + ".bmp";
        out.Sheet(kit::MakeSheet(picture, 800, 600, 4, 3));
        Thumbnail(out, MakeResourcePath(picture, CCGViewerScene::kThumbFolder, "bmp"));
    }
    for (int e = 1; e <= 8; ++e) Preview(out, "pv_cg" + Two(e));
    const struct {
        const char* name;
        int32_t width, height, columns, rows;
    } overlays[] = {{"ev01a", 160, 240, 1, 2}, {"ev01b", 160, 240, 1, 2}, {"ev01c", 200, 200, 2, 2}};
    for (const auto& o : overlays) {
        const std::string path = std::string("sc\\") + o.name + ".bmp";
        out.Sheet(kit::MakeSheet(path, o.width, o.height, o.columns, o.rows));
        // Small, so that the overlays of a composite thumbnail leave the cover visible.
        out.Sheet(kit::MakeSheet(MakeResourcePath(path, CCGViewerScene::kThumbFolder, "bmp"), 16, 24, 1, 1));
    }
}

// Page 1 of the play view: eight events, each unlocked by playing it.
void WritePlayView(CDemoWriter& out) {
    std::vector<std::string> lines = {"// play view, page 1: index, thumbnail, preview, event, unlocking event"};
    for (int n = 1; n <= 8; ++n) {
        const std::string event = std::to_string(100 + n);
        lines.push_back(std::to_string(n - 1) + ", pv" + Two(n) + ", pv_ev" + Two(n) + ", " + event + ", " + event);
        Thumbnail(out, MakeResourcePath("pv" + Two(n), CPlayViewScene::kThumbFolder, "bmp"));
        Preview(out, "pv_ev" + Two(n));
    }
    out.Text("cfg\\playview1.txt", lines);
}

}  // namespace

// Pages 2 to 6 hold nothing in the demo, but their tables are there: a missing table
// is logged as data the set lacks.
void WriteEmptyPages(CDemoWriter& out) {
    for (int n = 2; n <= 6; ++n) {
        const std::string page = std::to_string(n);
        out.Text("cfg\\cgview" + page + ".txt", {"// picture viewer, page " + page + ": empty"});
        out.Text("cfg\\playview" + page + ".txt", {"// play view, page " + page + ": empty"});
    }
}

void WriteViewerData(CDemoWriter& out) {
    WriteSheets(out);
    WriteCGView(out);
    WritePlayView(out);
    WriteEmptyPages(out);
}

}  // namespace demo
