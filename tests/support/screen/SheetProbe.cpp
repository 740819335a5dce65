#include "tests/support/screen/SheetProbe.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace screentest {

namespace {

// The colour under a black veil of alpha a.
uint32_t Veiled(uint32_t colour, int32_t a) {
    uint32_t out = 0;
    for (int shift : {0, 8, 16}) {
        const uint32_t c = (colour >> shift) & 0xFFu;
        out |= (c * static_cast<uint32_t>(255 - a) / 255u) << shift;
    }
    return out;
}

// Exactly, or within the veil's tolerance under a veil.
bool Near(uint32_t pixel, uint32_t colour, int32_t veil) {
    if (veil == 0) return (pixel & 0xFFFFFFu) == colour;
    for (int shift : {0, 8, 16}) {
        const int32_t d = static_cast<int32_t>((pixel >> shift) & 0xFFu) - static_cast<int32_t>((colour >> shift) & 0xFFu);
        if (std::abs(d) > SVisible::kVeilTolerance) return false;
    }
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) {
        if (c == '/') c = '\\';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}
}  // namespace

uint32_t SFrame::At(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    return pixels[static_cast<size_t>(y) * width + x];
}

std::string SCellHit::Describe() const {
    if (sheet.empty()) return "no cell";
    return sheet + " (" + std::to_string(column) + ", " + std::to_string(row) + ")";
}

void CSheetProbe::Add(const kit::SSheetSpec& sheet) {
    m_Sheets.push_back(sheet);
    const size_t index = m_Sheets.size() - 1;
    for (int32_t r = 0; r < sheet.rows; ++r) {
        for (int32_t c = 0; c < sheet.columns; ++c) {
            m_Colours[kit::CellColour(sheet, c, r) & 0xFFFFFFu] = SKey{index, c, r};
        }
    }
}

bool CSheetProbe::Write(const std::string& folder, const kit::SSheetSpec& sheet) {
    Add(sheet);
    return kit::WriteSheet(folder, sheet);
}

const kit::SSheetSpec* CSheetProbe::Find(const std::string& name) const {
    const std::string key = Lower(name);
    for (const kit::SSheetSpec& s : m_Sheets) {
        if (Lower(s.name) == key) return &s;
    }
    return nullptr;
}

SCellHit CSheetProbe::At(const SFrame& frame, int32_t x, int32_t y) const {
    auto it = m_Colours.find(frame.At(x, y) & 0xFFFFFFu);
    if (it == m_Colours.end()) return {};
    return SCellHit{m_Sheets[it->second.sheet].name, it->second.column, it->second.row};
}

SBox CSheetProbe::Locate(const SFrame& frame, const std::string& sheet, int32_t column, int32_t row) const {
    const kit::SSheetSpec* spec = Find(sheet);
    const uint32_t colour = (spec ? kit::CellColour(*spec, column, row) : kit::CellColour(sheet, column, row)) & 0xFFFFFFu;
    SBox box;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            if (frame.pixels[static_cast<size_t>(y) * frame.width + x] != colour) continue;
            if (box.empty) {
                box = SBox{x, y, x + 1, y + 1, false};
            } else {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
        }
    }
    return box;
}

void CSheetProbe::CellSize(const std::string& sheet, int32_t* width, int32_t* height) const {
    const kit::SSheetSpec* s = Find(sheet);
    *width = s ? s->width / s->columns : 0;
    *height = s ? s->height / s->rows : 0;
}

::testing::AssertionResult CSheetProbe::ShowsCellAt(const SFrame& frame, const std::string& sheet, int32_t column,
                                                    int32_t row, int32_t x, int32_t y) const {
    const SBox box = Locate(frame, sheet, column, row);
    const std::string what = sheet + " (" + std::to_string(column) + ", " + std::to_string(row) + ")";
    if (box.empty) return ::testing::AssertionFailure() << what << " is not on the screen";
    int32_t w = 0, h = 0;
    CellSize(sheet, &w, &h);
    if (box.left != x || box.top != y || box.right - box.left < w || box.bottom - box.top < h) {
        return ::testing::AssertionFailure() << what << " covers (" << box.left << ", " << box.top << ")-(" << box.right
                                             << ", " << box.bottom << "), expected its " << w << " x " << h
                                             << " cell at (" << x << ", " << y << ")";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CSheetProbe::CornersAt(const SFrame& frame, const std::string& sheet, int32_t column,
                                                  int32_t row, int32_t x, int32_t y) const {
    int32_t w = 0, h = 0;
    CellSize(sheet, &w, &h);
    const SCellHit want{Find(sheet) ? Find(sheet)->name : sheet, column, row};
    const SCellHit first = At(frame, x, y);
    const SCellHit last = At(frame, x + w - 1, y + h - 1);
    if (first.Describe() == want.Describe() && last.Describe() == want.Describe()) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected " << want.Describe() << " at (" << x << ", " << y
                                         << "): its corners show " << first.Describe() << " and " << last.Describe();
}

const std::vector<uint32_t>& CSheetProbe::_SheetPixels(const kit::SSheetSpec& s) const {
    auto it = m_Pixels.find(s.name);
    if (it == m_Pixels.end()) it = m_Pixels.emplace(s.name, kit::MakeSheetPixels(s)).first;
    return it->second;
}

bool CSheetProbe::_IsPlain(const kit::SSheetSpec& s, int32_t column, int32_t row, int32_t cx, int32_t cy) const {
    const std::vector<uint32_t>& px = _SheetPixels(s);
    const int32_t cw = s.width / s.columns, ch = s.height / s.rows;
    const uint32_t colour = kit::CellColour(s, column, row);
    if (cx < 1 || cy < 1 || cx >= cw - 1 || cy >= ch - 1) return false;
    for (int32_t dy = -1; dy <= 1; ++dy) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
            if (px[static_cast<size_t>(row * ch + cy + dy) * s.width + column * cw + cx + dx] != colour) return false;
        }
    }
    return true;
}

bool CSheetProbe::PlainPoint(const std::string& sheet, int32_t column, int32_t row, int32_t* x, int32_t* y) const {
    const kit::SSheetSpec* s = Find(sheet);
    if (!s || column < 0 || row < 0 || column >= s->columns || row >= s->rows) return false;
    const int32_t cw = s->width / s->columns, ch = s->height / s->rows;
    auto plain = [&](int32_t cx, int32_t cy) { return _IsPlain(*s, column, row, cx, cy); };
    // Rings of growing distance from the centre, each walked round from its top-left.
    const int32_t mx = cw / 2, my = ch / 2;
    for (int32_t r = 0; r <= std::max(cw, ch); ++r) {
        for (int32_t dy = -r; dy <= r; ++dy) {
            for (int32_t dx = -r; dx <= r; ++dx) {
                if (std::max(std::abs(dx), std::abs(dy)) != r || !plain(mx + dx, my + dy)) continue;
                *x = column * cw + mx + dx;
                *y = row * ch + my + dy;
                return true;
            }
        }
    }
    return false;
}

std::string CSheetProbe::_Check(const SFrame& frame, const SVisible& v) const {
    if (!v.anyOf.empty()) {
        std::string all;
        for (const SVisible& one : v.anyOf) {
            const std::string f = _Check(frame, one);
            if (f.empty()) return {};
            all += "; " + f;
        }
        return v.what + ": none shows" + all;
    }
    std::ostringstream what;
    what << v.what << ": " << v.sheet << " (" << v.column << ", ";
    if (v.row == SVisible::kEnabledLook) {
        what << "0 or 1)";
    } else {
        what << v.row << ")";
    }
    const kit::SSheetSpec* s = Find(v.sheet);
    if (!s) return what.str() + " is no sheet the probe knows";
    std::vector<int32_t> rows = {v.row};
    if (v.row == SVisible::kEnabledLook) rows = {0, 1};
    if (v.x == SVisible::kAnywhere) {
        for (int32_t row : rows) {
            const uint32_t colour = kit::CellColour(*s, v.column, row) & 0xFFFFFFu;
            const auto n = std::count_if(frame.pixels.begin(), frame.pixels.end(),
                                         [colour](uint32_t p) { return (p & 0xFFFFFFu) == colour; });
            if (n >= SVisible::kAnywherePixels) return {};
        }
        return what.str() + " is nowhere on the screen";
    }
    const int32_t cw = s->width / s->columns, ch = s->height / s->rows;
    std::ostringstream seen;
    if (v.exact.Width() > 0 || v.word) {
        for (int32_t row : rows) {
            const std::string f = _CheckExact(frame, *s, v, row, v.word ? kit::WordBox(*s, v.column, row) : v.exact);
            if (f.empty()) return {};
            seen << f;
        }
        what << " drawn at (" << v.x << ", " << v.y << ") does not show as drawn:" << seen.str();
        return what.str();
    }
    for (int32_t row : rows) {
        int32_t px = 0, py = 0;
        if (v.pointX >= 0) {
            px = v.column * cw + v.pointX;
            py = row * ch + v.pointY;
            if (!_IsPlain(*s, v.column, row, v.pointX, v.pointY)) return what.str() + ": the point asked for is not plain";
        } else if (!PlainPoint(s->name, v.column, row, &px, &py)) {
            return what.str() + " has no plain pixels to look at";
        }
        const int32_t sx = v.x + px - v.column * cw, sy = v.y + py - row * ch;
        const uint32_t colour = Veiled(kit::CellColour(*s, v.column, row), v.veilAlpha);
        bool all = true;
        for (int32_t dy = -1; dy <= 1 && all; ++dy) {
            for (int32_t dx = -1; dx <= 1 && all; ++dx) all = Near(frame.At(sx + dx, sy + dy), colour, v.veilAlpha);
        }
        if (all) return {};
        seen << " (" << sx << ", " << sy << ") shows " << At(frame, sx, sy).Describe() << ";";
    }
    what << " drawn at (" << v.x << ", " << v.y << ") does not show:" << seen.str();
    return what.str();
}

std::string CSheetProbe::_CheckExact(const SFrame& frame, const kit::SSheetSpec& s, const SVisible& v, int32_t row,
                                     const SRect& b) const {
    const std::vector<uint32_t>& px = _SheetPixels(s);
    const int32_t cw = s.width / s.columns, ch = s.height / s.rows;
    if (b.Width() <= 0 || b.left < 0 || b.top < 0 || b.right > cw || b.bottom > ch) {
        return " the box is empty or lies outside the cell;";
    }
    for (int32_t y = b.top; y < b.bottom; ++y) {
        for (int32_t x = b.left; x < b.right; ++x) {
            const uint32_t want = px[static_cast<size_t>(row * ch + y) * s.width + v.column * cw + x];
            if ((want >> 24) != 0xFF) continue;
            const uint32_t pixel = frame.At(v.x + x, v.y + y);
            if (Near(pixel, Veiled(want & 0xFFFFFFu, v.veilAlpha), v.veilAlpha)) continue;
            std::ostringstream out;
            out << std::hex << " (" << std::dec << v.x + x << ", " << v.y + y << ") shows #" << std::hex
                << (pixel & 0xFFFFFFu) << " for #" << (want & 0xFFFFFFu) << ";";
            return out.str();
        }
    }
    return {};
}

::testing::AssertionResult CSheetProbe::ShowsAll(const SFrame& frame, const std::vector<SVisible>& list) const {
    std::ostringstream failures;
    bool any = false;
    for (const SVisible& v : list) {
        const std::string f = _Check(frame, v);
        if (f.empty()) continue;
        failures << "\n  " << f;
        any = true;
    }
    if (!any) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "what must show does not:" << failures.str();
}

::testing::AssertionResult CSheetProbe::Absent(const SFrame& frame, const std::string& sheet, int32_t column,
                                               int32_t row) const {
    const SBox box = Locate(frame, sheet, column, row);
    if (box.empty) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << sheet << " (" << column << ", " << row << ") is drawn at (" << box.left
                                         << ", " << box.top << ")";
}

}  // namespace screentest
