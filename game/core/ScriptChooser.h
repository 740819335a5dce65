#pragma once
// The developer's script chooser of the "viewer" start: a small window listing the
// compiled scripts found under scr\.  Up and Down (Page Up, Page Down, Home, End, the
// wheel) move the cursor, Space or a click marks a script, Enter or a double click
// plays the marked scripts (the one under the cursor when none is marked), Esc or
// the close box cancels, which ends the program.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "engine/base/AppBase.h"

// What the window shows and does, without the window.
class CScriptChooserModel {
public:
    explicit CScriptChooserModel(std::vector<std::string> names) : m_Names(std::move(names)) {}

    const std::vector<std::string>& GetNames() const { return m_Names; }
    size_t GetCursor() const { return m_Cursor; }
    size_t GetTop() const { return m_Top; }
    bool IsMarked(size_t index) const { return m_Marked.count(index) != 0; }

    // Moves the cursor by `delta` rows (clamped) and keeps it within `visibleRows` of the top.
    void Move(int32_t delta, size_t visibleRows);
    void MoveTo(size_t index, size_t visibleRows);
    void ToggleMark();
    // The marked names in list order; the name under the cursor when none is marked;
    // empty for an empty list.
    std::vector<std::string> GetChoice() const;

private:
    void _Scroll(size_t visibleRows);

    std::vector<std::string> m_Names;
    size_t m_Cursor = 0;
    size_t m_Top = 0;
    std::set<size_t> m_Marked;
};

class CScriptChooser : public CAppBase {
public:
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 480;
    static constexpr int32_t kRowHeight = 18;
    static constexpr int32_t kListTop = 40;

    explicit CScriptChooser(std::vector<std::string> names);
    ~CScriptChooser() override;

    // Shows the window and waits for the choice; false when cancelled (or when there is
    // no display to show it on).  The chosen names are game paths under scr\.
    bool Choose(std::vector<std::string>* scripts);

    // The scripts under scr\ as the chooser lists them: "scr\\" + name.
    static std::vector<std::string> ListScripts();

    // Draws the list into a 32-bit B,G,R,X picture of kWidth × kHeight.
    void Render(std::vector<uint8_t>* pixels) const;

protected:
    std::string GetWindowTitle() const override { return "スクリプト選択"; }
    int32_t GetClientWidth() const override { return kWidth; }
    int32_t GetClientHeight() const override { return kHeight; }
    int MainProc() override;

private:
    static size_t _VisibleRows();

    CScriptChooserModel m_Model;
    bool m_Accepted = false;
};
