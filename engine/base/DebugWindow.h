#pragma once
// The debug window object: a second application built at start, with its own timer
// thread.  It keeps the last lines of the log; only when the program is started with
// the developer option does it open a window of its own that shows them.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "engine/base/AppBase.h"
#include "engine/base/Log.h"

class CDebugWindow : public CAppBase, public ILogListener {
public:
    // The developer option that shows the window.
    static constexpr const char* kShowOption = "--debug-window";
    static constexpr size_t kMaxLines = 1000;
    static constexpr int32_t kWidth = 640;
    static constexpr int32_t kHeight = 400;

    CDebugWindow();
    ~CDebugWindow() override;

    // Starts the timer thread and, with `showWindow`, the window thread.
    bool Start(bool showWindow);

    void OnLogLine(const std::string& line) override;
    std::vector<std::string> GetLines() const;
    size_t GetLineCount() const;
    // Draws the last lines that fit into a 32-bit B,G,R,X picture of kWidth × kHeight.
    void RenderLines(std::vector<uint8_t>* pixels) const;

protected:
    std::string GetWindowTitle() const override { return "Debug"; }
    int32_t GetClientWidth() const override { return kWidth; }
    int32_t GetClientHeight() const override { return kHeight; }
    bool IsPrimary() const override { return false; }
    int MainProc() override;

private:
    mutable std::mutex m_Mutex;
    std::deque<std::string> m_Lines;
    uint64_t m_Version = 0;
};
