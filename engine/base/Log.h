#pragma once
// The one print for errors and traces.  A line goes to the debugger output, to
// every registered listener (the debug window's line buffer, test captures) and,
// once enabled at start-up, to log.txt in the game folder.
#include <mutex>
#include <string>
#include <vector>

// printf-style; the text is cut at 2,048 bytes and one trailing line feed is dropped.
void DebugPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The same line for log.txt and the listeners only, not the debugger output (the
// terminal): for what is no fault, a save not yet written on a first start.
void DebugPrintfLogOnly(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Starts writing every line to the file at `nativePath` (truncated first).
bool EnableLogFile(const std::string& nativePath);
void DisableLogFile();

class ILogListener {
public:
    virtual ~ILogListener() = default;
    virtual void OnLogLine(const std::string& line) = 0;
};

void AddLogListener(ILogListener* listener);
void RemoveLogListener(ILogListener* listener);
// Debugger output on or off (tests that expect many failures may quiet it).
void SetDebugOutputEnabled(bool enabled);

// Collects the lines printed while it lives.
class CLogCapture : public ILogListener {
public:
    CLogCapture();
    ~CLogCapture() override;
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    void OnLogLine(const std::string& line) override;
    std::vector<std::string> GetLines() const;
    // True when some line contains `text`.
    bool Contains(const std::string& text) const;
    size_t Count() const;
    void Clear();

private:
    mutable std::mutex m_Mutex;
    std::vector<std::string> m_Lines;
};
