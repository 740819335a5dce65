#pragma once
// Picture sheets made from code: a picture cut into columns × rows equal cells, each
// filled with a colour derived from (file name, column, row) and labelled with its
// column and row (and, for a control, the word of its role), so that a point of a
// drawn screen tells which cell of which sheet covers it and a player can tell the
// controls apart.  Areas painted over the cells give colour-keyed (0xFF00FF00),
// transparent or translucent parts.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/Geometry.h"

namespace kit {

// Opaque pure green: the colour key of the texture loaders.
constexpr uint32_t kKeyGreen = 0xFF00FF00u;

// A button's sheet has a column per button and a row per look, in the buttons' order:
// normal, pointer over, checked, checked and pointer over, locked (disabled).
constexpr int32_t kButtonLooks = 5;
constexpr int32_t kLockedLook = 4;

struct SArea {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t argb = kKeyGreen;
    // In a cell area: the cell's own colour at the alpha of `argb` (a translucent cell
    // that still tells which cell it is).
    bool tint = false;
};

// A word drawn anywhere on a sheet (a board's captions beside the numbers a screen draws
// on it), in black or white by the colour under its corner.
struct SCaption {
    int32_t x = 0;
    int32_t y = 0;
    std::string text;
    int32_t scale = 1;
};

struct SSheetSpec {
    // A game path such as "obj\\h002_000.bmp"; ".png" writes a PNG, anything else a BMP.
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
    int32_t columns = 1;
    int32_t rows = 1;
    // Each cell gets its column and row in small black or white digits one pixel in from
    // its top-left corner, where the cell is large enough.  The first row and column of
    // a cell always keep the cell's colour.
    bool label = true;
    // The word of the control a cell shows ("New game", "Yes"), drawn right of its label
    // in the same ink (twice the size where the cell has room, else below the label or
    // cut short to fit), never past the cell nor (but with `wordsFillCell`) below its
    // upper half, so that the cell's centre keeps its plain colour.  A column's word is
    // drawn in each of its rows (buttons: a column per button, a row per look);
    // `rowWords` serve sheets whose rows are the controls, for columns without a word of
    // their own.
    std::vector<std::string> columnWords;
    std::vector<std::string> rowWords;
    // The words may reach down to the cell's last rows: for a row too low to hold a
    // legible word in its upper half (16 pixels), where a probe then finds the cell's
    // plain colour beside the word rather than at its centre.
    bool wordsFillCell = false;
    // The row of a button sheet's locked look, -1 for none: its cells are greyed and
    // their words struck through, so that a disabled control is told from an enabled one
    // at a glance.  MakeControls sets it for a sheet of kButtonLooks rows.
    int32_t lockedRow = -1;
    // Painted over the cells, in picture pixels; `cellAreas` the same inside every cell,
    // in cell pixels.  A sheet with an area that is not opaque is written as PNG bytes
    // whatever its name, so the alpha is kept (a BMP has none).
    std::vector<SArea> areas;
    std::vector<SArea> cellAreas;
    // Areas leave each cell's first row and column, label and word as they are, so that
    // the probe still finds the cell and a player still reads it; false paints areas
    // over everything (a keyed sky without the grid's lines).
    bool areasKeepLabels = true;
    // Drawn last.
    std::vector<SCaption> captions;
    // How much of a column's cells shows, from their left edge (no entry or 0: the whole
    // cell): the rest is left clear (alpha 0), and the label and word keep to the part
    // that shows; a button whose picture is narrower than its cell.
    std::vector<int32_t> shownWidths;
    // PNG bytes whatever the name says (the decoders of the picture planes go by the
    // first bytes): a picture with transparent parts under a ".bmp" name.
    bool png = false;
};

// A labelled sheet without areas.
SSheetSpec MakeSheet(const std::string& name, int32_t width, int32_t height, int32_t columns = 1, int32_t rows = 1);
// A sheet of controls: `words` name its columns.  A sheet of kButtonLooks rows is a
// button sheet, its last row the locked look.
SSheetSpec MakeControls(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows,
                        std::vector<std::string> words);

// The word drawn into a cell: its column's, else its row's, else none.
std::string CellWord(const SSheetSpec& spec, int32_t column, int32_t row);
// The width of a column's cells that shows (SSheetSpec::shownWidths).
int32_t ShownWidth(const SSheetSpec& spec, int32_t column);
// The sheet needs PNG bytes: asked for, named ".png", or an area is not opaque, or a
// column's cells show in part.
bool WritesPng(const SSheetSpec& spec);

// The opaque colour of a cell: the same for the same (name, column, row) on every run;
// its channels stay within 0x30..0xCF, so it is never black, white or a key colour.
// The name counts without regard to case or slash direction.
uint32_t CellColour(const std::string& name, int32_t column, int32_t row);
// The colour a cell of the sheet is filled with: the one above, greyed in the locked row.
uint32_t CellColour(const SSheetSpec& spec, int32_t column, int32_t row);
// Where a cell's label and word are drawn (its first row and column included),
// cell-relative; empty when the cell has no label.
SRect WordBox(const SSheetSpec& spec, int32_t column, int32_t row);
// Where a caption is drawn, in picture pixels.
SRect CaptionBox(const SCaption& caption);
// The picture, A8R8G8B8, top row first.
std::vector<uint32_t> MakeSheetPixels(const SSheetSpec& spec);
// File images of A8R8G8B8 pixels: an uncompressed 24-bit BMP (alpha dropped) and an
// 8-bit RGBA PNG.
std::vector<uint8_t> EncodeBmp24(const std::vector<uint32_t>& argb, int32_t width, int32_t height);
std::vector<uint8_t> EncodePng(const std::vector<uint32_t>& argb, int32_t width, int32_t height);
// The sheet's file as its name asks (BMP or PNG).
std::vector<uint8_t> EncodeSheet(const SSheetSpec& spec);
// Writes the sheet below a native folder (ending in '/'): the game path's backslashes
// become folders.  False when the file cannot be written.
bool WriteSheet(const std::string& folder, const SSheetSpec& spec);

// Writes bytes to a native path, making its folders first.
bool WriteBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes);
// A game path below a native folder: folder + the path with '\' turned into '/'.
std::string NativeFilePath(const std::string& folder, const std::string& gamePath);

}  // namespace kit
