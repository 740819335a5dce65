#include "tools/kit/Sheet.h"

#include "tools/kit/TinyFont.h"

#include <png.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace kit {

namespace {

std::string CanonicalName(const std::string& name) {
    std::string s = name;
    for (char& c : s) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

uint32_t Mix32(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

bool IsPng(const std::string& name) {
    std::string n = CanonicalName(name);
    return n.size() >= 4 && n.compare(n.size() - 4, 4, ".png") == 0;
}

void PutLe(std::vector<uint8_t>* out, size_t at, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) (*out)[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Draws the decimal digits of `value` from (x, y); returns the x after them, or -1 when
// they would pass `right`.
int32_t LabelNumber(std::vector<uint32_t>* px, int32_t width, int32_t x, int32_t y, int32_t right, int32_t value,
                    uint32_t ink) {
    const std::string digits = std::to_string(value);
    if (x + static_cast<int32_t>(digits.size()) * 4 - 1 > right) return -1;
    for (char d : digits) {
        DrawWord(px, width, x, y, std::string(1, d), 1, ink, EGlyphs::Small);
        x += 4;
    }
    return x;
}


// Where a cell's label and word go: the digits "c.r" one pixel in from its corner, the
// word beside them.
struct SLabelPlace {
    bool shown = false;
    int32_t right = 0;   // one past the last ink column
    int32_t bottom = 0;  // one past the last ink row
    std::string word;
    int32_t wordX = 0, wordY = 0, wordScale = 1;
    EGlyphs glyphs = EGlyphs::Regular;
};

SLabelPlace PlaceLabel(const SSheetSpec& spec, int32_t c, int32_t r, int32_t cw, int32_t ch) {
    SLabelPlace p;
    if (!spec.label || ch < 7) return p;
    const int32_t left = c * cw + 1, top = r * ch + 1;
    const int32_t right = c * cw + ShownWidth(spec, c) - 2;
    const int32_t bottom = (r + 1) * ch - 2;
    const int32_t digits = static_cast<int32_t>(std::to_string(c).size() + std::to_string(r).size());
    // Three-column digits a column apart, the dot taking two columns.
    const int32_t labelEnd = left + digits * 4 + 1;
    if (labelEnd > right) return p;
    p.shown = true;
    p.right = labelEnd;
    p.bottom = top + 5;
    std::string word = CellWord(spec, c, r);
    if (word.empty()) return p;
    // The word keeps to the cell's upper half, unless the sheet lets it fill the cell: a
    // control's centre stays its plain colour for whoever checks that it shows.
    const int32_t wordBottom = spec.wordsFillCell ? bottom : std::min(bottom, r * ch + ch / 2 - 2);
    // Beside the label, large where there is room; else below it; else in the small
    // glyphs (a row too low for the others), beside or below, a little further from the
    // label's digits of the same size; else cut to fit.
    const int32_t besideX = labelEnd + 2, smallX = labelEnd + 4;
    auto fits = [&](int32_t x, int32_t y, int32_t scale, EGlyphs glyphs, const std::string& w) {
        return x + WordWidth(w, scale, glyphs) - 1 <= right && y + GlyphHeight(glyphs) * scale - 1 <= wordBottom;
    };
    struct STry {
        int32_t x, y, scale;
        EGlyphs glyphs;
    };
    const STry tries[] = {{besideX, top, 2, EGlyphs::Regular},
                          {besideX, top, 1, EGlyphs::Regular},
                          {left, top + 7, 1, EGlyphs::Regular},
                          {smallX, top, 1, EGlyphs::Small},
                          {left, top + 7, 1, EGlyphs::Small}};
    bool placed = false;
    for (const STry& t : tries) {
        if (fits(t.x, t.y, t.scale, t.glyphs, word)) {
            p.wordX = t.x, p.wordY = t.y, p.wordScale = t.scale, p.glyphs = t.glyphs;
            placed = true;
            break;
        }
    }
    if (!placed) {
        while (!word.empty() && !fits(smallX, top, 1, EGlyphs::Small, word)) word.pop_back();
        if (word.empty()) return p;
        p.wordX = smallX, p.wordY = top, p.wordScale = 1, p.glyphs = EGlyphs::Small;
    }
    p.word = word;
    p.right = std::max(p.right, p.wordX + WordWidth(word, p.wordScale, p.glyphs));
    p.bottom = std::max(p.bottom, p.wordY + GlyphHeight(p.glyphs) * p.wordScale);
    return p;
}

uint32_t InkFor(uint32_t colour) {
    const uint32_t luma = ((colour >> 16) & 0xFF) * 3 + ((colour >> 8) & 0xFF) * 6 + (colour & 0xFF);
    return luma > 128 * 10 ? 0xFF000000u : 0xFFFFFFFFu;
}

void DrawLabel(const SSheetSpec& spec, int32_t c, int32_t r, int32_t cw, int32_t ch, std::vector<uint32_t>* px) {
    const SLabelPlace place = PlaceLabel(spec, c, r, cw, ch);
    if (!place.shown) return;
    const uint32_t ink = InkFor(CellColour(spec, c, r));
    const int32_t y = r * ch + 1;
    int32_t x = LabelNumber(px, spec.width, c * cw + 1, y, place.right + 1, c, ink);
    (*px)[static_cast<size_t>(y + 4) * spec.width + x] = ink;  // the dot between the numbers
    LabelNumber(px, spec.width, x + 2, y, place.right + 1, r, ink);
    DrawWord(px, spec.width, place.wordX, place.wordY, place.word, place.wordScale, ink, place.glyphs);
    if (r == spec.lockedRow && !place.word.empty()) {
        // Struck through at the glyphs' middle row, a column past the word on either side
        // (longer than a "-"): the word stays legible.
        const int32_t strikeY = place.wordY + GlyphHeight(place.glyphs) / 2 * place.wordScale;
        const int32_t width = WordWidth(place.word, place.wordScale, place.glyphs) + 2;
        for (int32_t dy = 0; dy < place.wordScale; ++dy) {
            std::fill_n(px->begin() + static_cast<ptrdiff_t>(strikeY + dy) * spec.width + place.wordX - 1, width, ink);
        }
    }
}

// The cell's first row and column and the box round its label and word in the plain
// colour again, then the label and word.
void KeepGridAndLabel(const SSheetSpec& spec, int32_t c, int32_t r, int32_t cw, int32_t ch, std::vector<uint32_t>* px) {
    const uint32_t colour = CellColour(spec, c, r);
    const int32_t x0 = c * cw, y0 = r * ch;
    std::fill_n(px->begin() + static_cast<ptrdiff_t>(y0) * spec.width + x0, cw, colour);
    for (int32_t y = y0; y < y0 + ch; ++y) (*px)[static_cast<size_t>(y) * spec.width + x0] = colour;
    const SLabelPlace place = PlaceLabel(spec, c, r, cw, ch);
    if (!place.shown) return;
    const int32_t right = std::min(place.right + 1, x0 + cw), bottom = std::min(place.bottom + 1, y0 + ch);
    for (int32_t y = y0; y < bottom; ++y) {
        std::fill(px->begin() + static_cast<ptrdiff_t>(y) * spec.width + x0,
                  px->begin() + static_cast<ptrdiff_t>(y) * spec.width + right, colour);
    }
    DrawLabel(spec, c, r, cw, ch, px);
}

void PaintArea(const SArea& a, uint32_t cellColour, int32_t clipX, int32_t clipY, int32_t clipW, int32_t clipH,
               int32_t width, std::vector<uint32_t>* px) {
    const uint32_t argb = a.tint ? (a.argb & 0xFF000000u) | (cellColour & 0x00FFFFFFu) : a.argb;
    const int32_t x0 = std::max(clipX + a.x, clipX), y0 = std::max(clipY + a.y, clipY);
    const int32_t x1 = std::min(clipX + a.x + a.width, clipX + clipW), y1 = std::min(clipY + a.y + a.height, clipY + clipH);
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) (*px)[static_cast<size_t>(y) * width + x] = argb;
    }
}

void PaintAreas(const SSheetSpec& spec, int32_t cw, int32_t ch, std::vector<uint32_t>* px) {
    for (const SArea& a : spec.areas) {
        PaintArea(SArea{a.x, a.y, a.width, a.height, a.argb, false}, 0, 0, 0, spec.width, spec.height, spec.width, px);
    }
    for (int32_t r = 0; r < spec.rows; ++r) {
        for (int32_t c = 0; c < spec.columns; ++c) {
            const uint32_t colour = CellColour(spec, c, r);
            for (const SArea& a : spec.cellAreas) PaintArea(a, colour, c * cw, r * ch, cw, ch, spec.width, px);
        }
    }
}

}  // namespace

SSheetSpec MakeSheet(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows) {
    SSheetSpec s;
    s.name = name;
    s.width = width;
    s.height = height;
    s.columns = columns;
    s.rows = rows;
    return s;
}

SSheetSpec MakeControls(const std::string& name, int32_t width, int32_t height, int32_t columns, int32_t rows,
                        std::vector<std::string> words) {
    SSheetSpec s = MakeSheet(name, width, height, columns, rows);
    s.columnWords = std::move(words);
    if (rows == kButtonLooks) s.lockedRow = kLockedLook;
    return s;
}

std::string CellWord(const SSheetSpec& spec, int32_t column, int32_t row) {
    if (column >= 0 && static_cast<size_t>(column) < spec.columnWords.size() && !spec.columnWords[column].empty()) {
        return spec.columnWords[column];
    }
    if (row >= 0 && static_cast<size_t>(row) < spec.rowWords.size()) return spec.rowWords[row];
    return {};
}

int32_t ShownWidth(const SSheetSpec& spec, int32_t column) {
    const int32_t cw = spec.columns > 0 ? spec.width / spec.columns : 0;
    const int32_t shown = column >= 0 && static_cast<size_t>(column) < spec.shownWidths.size() ? spec.shownWidths[column] : 0;
    return shown > 0 && shown < cw ? shown : cw;
}

bool WritesPng(const SSheetSpec& spec) {
    if (spec.png || IsPng(spec.name)) return true;
    for (int32_t c = 0; c < static_cast<int32_t>(spec.shownWidths.size()) && c < spec.columns; ++c) {
        if (ShownWidth(spec, c) < spec.width / spec.columns) return true;
    }
    for (const auto* list : {&spec.areas, &spec.cellAreas}) {
        for (const SArea& a : *list) {
            if ((a.argb >> 24) != 0xFF) return true;
        }
    }
    return false;
}

uint32_t CellColour(const std::string& name, int32_t column, int32_t row) {
    uint32_t h = 2166136261u;
    for (unsigned char c : CanonicalName(name)) {
        h = (h ^ c) * 16777619u;
    }
    h = Mix32(h ^ Mix32(static_cast<uint32_t>(column) * 0x9E3779B1u) ^ Mix32(static_cast<uint32_t>(row) + 0x51ED27u));
    auto channel = [](uint32_t v) { return 0x30u + (v & 0xFFu) % 0xA0u; };
    return 0xFF000000u | channel(h >> 16) << 16 | channel(h >> 8) << 8 | channel(h);
}

uint32_t CellColour(const SSheetSpec& spec, int32_t column, int32_t row) {
    const uint32_t colour = CellColour(spec.name, column, row);
    if (row != spec.lockedRow) return colour;
    // Greyed: each channel a quarter of its way from the grey of the same lightness, so
    // the cell keeps a trace of its own colour (and stays apart from its neighbours).
    const int32_t r = (colour >> 16) & 0xFF, g = (colour >> 8) & 0xFF, b = colour & 0xFF;
    const int32_t grey = (r * 3 + g * 6 + b) / 10;
    auto toward = [grey](int32_t channel) { return static_cast<uint32_t>(grey + (channel - grey) / 4); };
    return 0xFF000000u | toward(r) << 16 | toward(g) << 8 | toward(b);
}

SRect WordBox(const SSheetSpec& spec, int32_t column, int32_t row) {
    if (spec.columns <= 0 || spec.rows <= 0) return {};
    const int32_t cw = spec.width / spec.columns, ch = spec.height / spec.rows;
    const SLabelPlace place = PlaceLabel(spec, column, row, cw, ch);
    if (!place.shown) return {};
    return SRect{0, 0, std::min(place.right + 1 - column * cw, cw), std::min(place.bottom + 1 - row * ch, ch)};
}

SRect CaptionBox(const SCaption& caption) {
    return SRect{caption.x, caption.y, caption.x + WordWidth(caption.text, caption.scale),
                 caption.y + kGlyphHeight * caption.scale};
}

std::vector<uint32_t> MakeSheetPixels(const SSheetSpec& spec) {
    if (spec.width <= 0 || spec.height <= 0 || spec.columns <= 0 || spec.rows <= 0) return {};
    std::vector<uint32_t> px(static_cast<size_t>(spec.width) * spec.height, 0xFF000000u);
    const int32_t cw = spec.width / spec.columns;
    const int32_t ch = spec.height / spec.rows;
    for (int32_t r = 0; r < spec.rows; ++r) {
        for (int32_t c = 0; c < spec.columns; ++c) {
            const uint32_t colour = CellColour(spec, c, r);
            for (int32_t y = r * ch; y < (r + 1) * ch; ++y) {
                std::fill_n(px.begin() + static_cast<ptrdiff_t>(y) * spec.width + c * cw, cw, colour);
            }
        }
    }
    if (spec.areasKeepLabels) {
        PaintAreas(spec, cw, ch, &px);
        for (int32_t r = 0; r < spec.rows; ++r) {
            for (int32_t c = 0; c < spec.columns; ++c) KeepGridAndLabel(spec, c, r, cw, ch, &px);
        }
    } else {
        for (int32_t r = 0; r < spec.rows; ++r) {
            for (int32_t c = 0; c < spec.columns; ++c) DrawLabel(spec, c, r, cw, ch, &px);
        }
        PaintAreas(spec, cw, ch, &px);
    }
    for (const SCaption& c : spec.captions) {
        const int32_t column = std::clamp(c.x / cw, 0, spec.columns - 1), row = std::clamp(c.y / ch, 0, spec.rows - 1);
        DrawWord(&px, spec.width, c.x, c.y, c.text, c.scale, InkFor(CellColour(spec, column, row)));
    }
    for (int32_t c = 0; c < spec.columns; ++c) {
        const int32_t shown = ShownWidth(spec, c);
        for (int32_t y = 0; y < spec.height && shown < cw; ++y) {
            std::fill_n(px.begin() + static_cast<ptrdiff_t>(y) * spec.width + c * cw + shown, cw - shown, 0x00000000u);
        }
    }
    return px;
}

std::vector<uint8_t> EncodeBmp24(const std::vector<uint32_t>& argb, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * height) return {};
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> b(54 + rowBytes * height, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutLe(&b, 2, static_cast<uint32_t>(b.size()), 4);
    PutLe(&b, 10, 54, 4);
    PutLe(&b, 14, 40, 4);
    PutLe(&b, 18, static_cast<uint32_t>(width), 4);
    PutLe(&b, 22, static_cast<uint32_t>(height), 4);
    PutLe(&b, 26, 1, 2);
    PutLe(&b, 28, 24, 2);
    PutLe(&b, 34, static_cast<uint32_t>(rowBytes * height), 4);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* row = &b[54 + static_cast<size_t>(height - 1 - y) * rowBytes];
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            row[x * 3] = static_cast<uint8_t>(p);
            row[x * 3 + 1] = static_cast<uint8_t>(p >> 8);
            row[x * 3 + 2] = static_cast<uint8_t>(p >> 16);
        }
    }
    return b;
}

namespace {
void PngSink(png_structp png, png_bytep data, size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void PngFlush(png_structp) {}
bool PngRun(png_structp png, png_infop info, std::vector<png_bytep>* rows) {
    if (setjmp(png_jmpbuf(png))) return false;
    png_set_rows(png, info, rows->data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    return true;
}
}  // namespace

std::vector<uint8_t> EncodePng(const std::vector<uint32_t>& argb, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * height) return {};
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, PngSink, PngFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height), std::vector<png_byte>(static_cast<size_t>(width) * 4));
    std::vector<png_bytep> pointers;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * width + x];
            png_byte* q = &rows[y][static_cast<size_t>(x) * 4];
            q[0] = static_cast<png_byte>(p >> 16);
            q[1] = static_cast<png_byte>(p >> 8);
            q[2] = static_cast<png_byte>(p);
            q[3] = static_cast<png_byte>(p >> 24);
        }
        pointers.push_back(rows[y].data());
    }
    const bool ok = PngRun(png, info, &pointers);
    png_destroy_write_struct(&png, &info);
    return ok ? out : std::vector<uint8_t>{};
}

std::vector<uint8_t> EncodeSheet(const SSheetSpec& spec) {
    const std::vector<uint32_t> px = MakeSheetPixels(spec);
    if (px.empty()) return {};
    return WritesPng(spec) ? EncodePng(px, spec.width, spec.height) : EncodeBmp24(px, spec.width, spec.height);
}

std::string NativeFilePath(const std::string& folder, const std::string& gamePath) {
    std::string rel = gamePath;
    std::replace(rel.begin(), rel.end(), '\\', '/');
    return folder + rel;
}

bool WriteBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes) {
    std::error_code ec;
    const std::filesystem::path p(nativePath);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

bool WriteSheet(const std::string& folder, const SSheetSpec& spec) {
    const std::vector<uint8_t> bytes = EncodeSheet(spec);
    return !bytes.empty() && WriteBytes(NativeFilePath(folder, spec.name), bytes);
}

}  // namespace kit
