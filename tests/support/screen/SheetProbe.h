#pragma once
// Reads a drawn screen back in terms of the kit's sheets: which cell of which sheet
// covers a point, and where a cell was drawn.  Colours are matched exactly, so probe
// pictures drawn opaque, unscaled and unfiltered (a faded or stretched draw is checked
// against computed colours instead).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/kit/Sheet.h"

namespace screentest {

// The 800 × 600 render target read back (RGB, alpha dropped).
struct SFrame {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int32_t x, int32_t y) const;  // 0xFFFFFFFF outside
};

struct SCellHit {
    std::string sheet;  // empty: no known cell's colour at that point
    int32_t column = -1;
    int32_t row = -1;
    explicit operator bool() const { return !sheet.empty(); }
    std::string Describe() const;
};

struct SBox {
    int32_t left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    bool empty = true;
};

// A cell that must show on a screen.  Drawn with its top-left corner at (x, y), it
// shows at the plain pixels nearest its centre (a 3 × 3 block of its own colour in the
// sheet, label, word and see-through parts aside); at kAnywhere, a patch of its colour
// of kAnywherePixels somewhere on the screen (a figure whose place the renderer picks).
// A row of kEnabledLook takes look 0 or 1 of a button's column: an enabled button, the
// pointer on it or not.
struct SVisible {
    static constexpr int32_t kAnywhere = -100000;
    static constexpr int32_t kEnabledLook = -1;
    static constexpr int32_t kAnywherePixels = 64;
    std::string what;
    std::string sheet;
    int32_t column = 0;
    int32_t row = 0;
    int32_t x = kAnywhere;
    int32_t y = kAnywhere;
    // When not empty, the entry shows when one of these shows (a page the screen picks
    // among several); the fields above then only name it.
    std::vector<SVisible> anyOf;
    // The cell-relative point to look at instead of the plain block nearest the centre,
    // for a cell the screen draws other things over (a board under its numbers); it must
    // be plain in the sheet.
    int32_t pointX = -1;
    int32_t pointY = -1;
    // The cell lies under a black veil of this alpha (a layer of 0x80000000 over the
    // household, the month end's dimmed picture): it shows as its colour darkened so,
    // each channel within kVeilTolerance.
    int32_t veilAlpha = 0;
    static constexpr int32_t kVeilTolerance = 2;
    // When not empty, a cell-relative box that must show exactly as the sheet draws it,
    // in place of the plain block: a caption or a label with its ink (its see-through
    // pixels aside); kit::CaptionBox gives a caption's, in picture pixels.
    SRect exact{};
    // The same for the cell's label and word (kit::WordBox in each look asked for): a
    // control's word shows, and a locked look's greyed and struck through.
    bool word = false;
};

class CSheetProbe {
public:
    void Add(const kit::SSheetSpec& sheet);
    // Writes the sheet below the folder and remembers it.
    bool Write(const std::string& folder, const kit::SSheetSpec& sheet);
    const kit::SSheetSpec* Find(const std::string& name) const;

    SCellHit At(const SFrame& frame, int32_t x, int32_t y) const;
    // The bounding box of the pixels showing the cell's colour.
    SBox Locate(const SFrame& frame, const std::string& sheet, int32_t column, int32_t row) const;
    // The cell is drawn with its top-left corner at (x, y): its box begins there and is
    // at least one cell large.
    ::testing::AssertionResult ShowsCellAt(const SFrame& frame, const std::string& sheet, int32_t column, int32_t row,
                                           int32_t x, int32_t y) const;
    // The cell's top-left and bottom-right pixels are at (x, y) and one cell further: for
    // cells whose colour shows elsewhere on the frame too.
    ::testing::AssertionResult CornersAt(const SFrame& frame, const std::string& sheet, int32_t column, int32_t row,
                                         int32_t x, int32_t y) const;
    // The cell is nowhere on the frame.
    ::testing::AssertionResult Absent(const SFrame& frame, const std::string& sheet, int32_t column, int32_t row) const;
    // The cell size of a known sheet.
    void CellSize(const std::string& sheet, int32_t* width, int32_t* height) const;
    // Every cell of the list shows (SVisible); the failure names each that does not.
    ::testing::AssertionResult ShowsAll(const SFrame& frame, const std::vector<SVisible>& list) const;
    // The sheet-relative point of the cell that the check above looks at: the centre of
    // the plain 3 × 3 block nearest the cell's centre; false when the cell has none.
    bool PlainPoint(const std::string& sheet, int32_t column, int32_t row, int32_t* x, int32_t* y) const;

private:
    struct SKey {
        size_t sheet;
        int32_t column;
        int32_t row;
    };
    std::string _Check(const SFrame& frame, const SVisible& v) const;
    // The cell-relative box `b` of `v` in look `row`: empty when it shows as drawn, else
    // where it does not.
    std::string _CheckExact(const SFrame& frame, const kit::SSheetSpec& s, const SVisible& v, int32_t row,
                            const SRect& b) const;
    const std::vector<uint32_t>& _SheetPixels(const kit::SSheetSpec& s) const;
    // The 3 × 3 block round the cell-relative point is the cell's plain colour.
    bool _IsPlain(const kit::SSheetSpec& s, int32_t column, int32_t row, int32_t cx, int32_t cy) const;

    std::vector<kit::SSheetSpec> m_Sheets;
    std::unordered_map<uint32_t, SKey> m_Colours;
    // The pixels of the sheets asked about, made once.
    mutable std::unordered_map<std::string, std::vector<uint32_t>> m_Pixels;
};

}  // namespace screentest
