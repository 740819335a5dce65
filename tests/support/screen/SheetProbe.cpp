#include "tests/support/screen/SheetProbe.h"

#include <algorithm>

namespace screentest {

namespace {
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
            m_Colours[kit::CellColour(sheet.name, c, r) & 0xFFFFFFu] = SKey{index, c, r};
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
    const uint32_t colour = kit::CellColour(sheet, column, row) & 0xFFFFFFu;
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

::testing::AssertionResult CSheetProbe::Absent(const SFrame& frame, const std::string& sheet, int32_t column,
                                               int32_t row) const {
    const SBox box = Locate(frame, sheet, column, row);
    if (box.empty) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << sheet << " (" << column << ", " << row << ") is drawn at (" << box.left
                                         << ", " << box.top << ")";
}

}  // namespace screentest
