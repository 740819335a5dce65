#include "game/core/ScriptChooser.h"

#include <algorithm>

#include "engine/base/Keyboard.h"
#include "engine/base/Log.h"
#include "engine/base/Mouse.h"
#include "engine/file/FileList.h"
#include "platform/font/FontFace.h"
#include "platform/sys/SjisCodec.h"
#include "platform/window/PlatformWindow.h"

// ---- model ----

void CScriptChooserModel::_Scroll(size_t visibleRows) {
    if (visibleRows == 0) visibleRows = 1;
    if (m_Cursor < m_Top) {
        m_Top = m_Cursor;
    } else if (m_Cursor >= m_Top + visibleRows) {
        m_Top = m_Cursor + 1 - visibleRows;
    }
}

void CScriptChooserModel::Move(int32_t delta, size_t visibleRows) {
    if (m_Names.empty()) return;
    int64_t c = static_cast<int64_t>(m_Cursor) + delta;
    c = std::clamp<int64_t>(c, 0, static_cast<int64_t>(m_Names.size()) - 1);
    m_Cursor = static_cast<size_t>(c);
    _Scroll(visibleRows);
}

void CScriptChooserModel::MoveTo(size_t index, size_t visibleRows) {
    if (index >= m_Names.size()) return;
    m_Cursor = index;
    _Scroll(visibleRows);
}

void CScriptChooserModel::ToggleMark() {
    if (m_Names.empty()) return;
    if (!m_Marked.erase(m_Cursor)) m_Marked.insert(m_Cursor);
}

std::vector<std::string> CScriptChooserModel::GetChoice() const {
    std::vector<std::string> out;
    if (m_Names.empty()) return out;
    if (m_Marked.empty()) {
        out.push_back(m_Names[m_Cursor]);
        return out;
    }
    for (size_t i : m_Marked) out.push_back(m_Names[i]);
    return out;
}

// ---- window ----

namespace {

constexpr int32_t kGlyphHeight = 16;
constexpr int32_t kGlyphWidth = 8;
constexpr int32_t kMargin = 8;

void FillRect(std::vector<uint8_t>& px, int32_t x0, int32_t y0, int32_t x1, int32_t y1, uint8_t r, uint8_t g, uint8_t b) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, CScriptChooser::kWidth);
    y1 = std::min(y1, CScriptChooser::kHeight);
    for (int32_t y = y0; y < y1; ++y) {
        for (int32_t x = x0; x < x1; ++x) {
            uint8_t* p = &px[(static_cast<size_t>(y) * CScriptChooser::kWidth + x) * 4];
            p[0] = b;
            p[1] = g;
            p[2] = r;
            p[3] = 0;
        }
    }
}

// Shift-JIS text in light grey at (x, y), cut at the right edge.
void DrawText(std::vector<uint8_t>& px, int32_t x, int32_t y, const std::string& text) {
    CFontFace& font = CFontFace::Get();
    if (!font.IsAvailable()) return;
    SGlyphImage glyph;
    for (size_t i = 0; i < text.size();) {
        size_t len = SjisCharLength(text.data(), text.size(), i);
        uint32_t code = static_cast<uint8_t>(text[i]);
        if (len == 2) code = (code << 8) | static_cast<uint8_t>(text[i + 1]);
        i += len;
        const int32_t advance = len == 2 ? kGlyphWidth * 2 : kGlyphWidth;
        if (x + advance > CScriptChooser::kWidth - kMargin) break;
        if (font.RenderGlyph(SjisCodeToCodePoint(code), kGlyphHeight, kGlyphWidth, &glyph)) {
            for (int32_t gy = 0; gy < glyph.height; ++gy) {
                for (int32_t gx = 0; gx < glyph.width; ++gx) {
                    int32_t px_ = x + glyph.left + gx;
                    int32_t py_ = y + glyph.top + gy;
                    if (px_ < 0 || py_ < 0 || px_ >= CScriptChooser::kWidth || py_ >= CScriptChooser::kHeight) continue;
                    uint8_t c = glyph.coverage[static_cast<size_t>(gy) * glyph.width + gx];
                    uint8_t* p = &px[(static_cast<size_t>(py_) * CScriptChooser::kWidth + px_) * 4];
                    for (int k = 0; k < 3; ++k) {
                        p[k] = static_cast<uint8_t>(std::max<int>(p[k], c * 230 / 255));
                    }
                }
            }
        }
        x += advance;
    }
}

}  // namespace

CScriptChooser::CScriptChooser(std::vector<std::string> names) : m_Model(std::move(names)) {}

CScriptChooser::~CScriptChooser() { Stop(); }

std::vector<std::string> CScriptChooser::ListScripts() {
    std::vector<std::string> names = ListGameFiles("scr", "txt", true);
    for (std::string& n : names) n = "scr\\" + n;
    return names;
}

size_t CScriptChooser::_VisibleRows() { return static_cast<size_t>((kHeight - kListTop - kMargin) / kRowHeight); }

void CScriptChooser::Render(std::vector<uint8_t>* pixels) const {
    std::vector<uint8_t>& px = *pixels;
    px.assign(static_cast<size_t>(kWidth) * kHeight * 4, 0);
    FillRect(px, 0, 0, kWidth, kHeight, 24, 24, 32);
    const auto& names = m_Model.GetNames();
    if (names.empty()) {
        DrawText(px, kMargin, kMargin, "scr\\ にスクリプトがありません  (Esc:終了)");
        return;
    }
    DrawText(px, kMargin, kMargin, "↑↓:移動  Space:選択  Enter:再生  Esc:終了");
    const size_t rows = _VisibleRows();
    for (size_t r = 0; r < rows && m_Model.GetTop() + r < names.size(); ++r) {
        const size_t i = m_Model.GetTop() + r;
        const int32_t y = kListTop + static_cast<int32_t>(r) * kRowHeight;
        if (i == m_Model.GetCursor()) {
            FillRect(px, kMargin, y, kWidth - kMargin, y + kRowHeight, 48, 64, 120);
        }
        DrawText(px, kMargin + 4, y + 1, (m_Model.IsMarked(i) ? "* " : "  ") + names[i]);
    }
}

bool CScriptChooser::Choose(std::vector<std::string>* scripts) {
    m_Accepted = false;
    if (!Run()) {
        DebugPrintf("CScriptChooser::Choose() ウィンドウを作成できません");
        Stop();
        return false;
    }
    Wait();
    Stop();
    if (!m_Accepted) {
        return false;
    }
    *scripts = m_Model.GetChoice();
    return !scripts->empty();
}

int CScriptChooser::MainProc() {
    WindowHandle window = GetHWnd();
    if (!window) return -1;
    if (CPlatformWindow::IsHeadless()) {
        DebugPrintf("CScriptChooser::MainProc() 表示できる画面がありません");
        return -1;
    }
    class CCloseListener : public IMessageListener {
    public:
        bool closed = false;
        intptr_t OnMessage(WindowHandle, uint32_t message, uintptr_t, intptr_t) override {
            if (message == WindowMsg::kClose) closed = true;
            return 0;
        }
    } close;
    CKeyboard keyboard;
    CMouse mouse;
    window->AddListener(&close);
    window->AddListener(&keyboard);
    window->AddListener(&mouse);
    const size_t rows = _VisibleRows();
    std::vector<uint8_t> pixels;
    bool dirty = true;
    while (!IsEndRequested() && !close.closed) {
        window->PumpMessages();
        keyboard.Update();
        mouse.Update();
        const size_t before = m_Model.GetCursor();
        if (keyboard.IsPressed(VKey::kEscape)) break;
        if (keyboard.IsPressed(VKey::kReturn)) {
            m_Accepted = true;
            break;
        }
        if (keyboard.IsPressed(VKey::kUp)) m_Model.Move(-1, rows);
        if (keyboard.IsPressed(VKey::kDown)) m_Model.Move(1, rows);
        if (keyboard.IsPressed(VKey::kPrior)) m_Model.Move(-static_cast<int32_t>(rows), rows);
        if (keyboard.IsPressed(VKey::kNext)) m_Model.Move(static_cast<int32_t>(rows), rows);
        if (keyboard.IsPressed(VKey::kHome)) m_Model.MoveTo(0, rows);
        if (keyboard.IsPressed(VKey::kEnd) && !m_Model.GetNames().empty()) m_Model.MoveTo(m_Model.GetNames().size() - 1, rows);
        if (int32_t wheel = mouse.GetWheel()) m_Model.Move(-wheel * 3, rows);
        if (keyboard.IsPressed(VKey::kSpace)) {
            m_Model.ToggleMark();
            dirty = true;
        }
        if (mouse.IsPressed(CMouse::kLeft)) {
            SPoint p = mouse.GetPosition();
            if (p.y >= kListTop) {
                size_t index = m_Model.GetTop() + static_cast<size_t>((p.y - kListTop) / kRowHeight);
                if (index < m_Model.GetNames().size()) {
                    m_Model.MoveTo(index, rows);
                    if (mouse.IsDoubleClicked()) {
                        m_Accepted = true;
                        break;
                    }
                    m_Model.ToggleMark();
                    dirty = true;
                }
            }
        }
        if (dirty || before != m_Model.GetCursor()) {
            Render(&pixels);
            window->PresentFrame(pixels.data(), kWidth, kHeight, kWidth * 4);
            dirty = false;
        }
        if (SleepOrEnd(16)) break;
    }
    window->RemoveListener(&mouse);
    window->RemoveListener(&keyboard);
    window->RemoveListener(&close);
    return 0;
}
