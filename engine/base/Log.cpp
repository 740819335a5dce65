#include "engine/base/Log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "platform/sys/Process.h"

namespace {

struct LogState {
    std::recursive_mutex mutex;
    FILE* file = nullptr;
    std::vector<ILogListener*> listeners;
    bool debugOutput = true;
};

LogState& State() {
    // Never destroyed: singletons and managers report leftovers from their
    // destructors at exit, which may run after any function static built later.
    static LogState* state = new LogState;
    return *state;
}

void _Print(bool debugOutput, const char* format, va_list args) {
    char buf[2048];
    int n = std::vsnprintf(buf, sizeof(buf), format, args);
    if (n < 0) {
        return;
    }
    size_t len = std::min<size_t>(static_cast<size_t>(n), sizeof(buf) - 1);
    if (len > 0 && buf[len - 1] == '\n') {
        buf[--len] = '\0';
    }
    std::string line(buf, len);

    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    if (s.debugOutput && debugOutput) {
        PlatformDebugOutput(line.c_str());
    }
    if (s.file) {
        std::fwrite(line.data(), 1, line.size(), s.file);
        std::fwrite("\r\n", 1, 2, s.file);
        std::fflush(s.file);
    }
    // A listener may remove itself while being told; tell a copy.
    std::vector<ILogListener*> listeners = s.listeners;
    for (ILogListener* l : listeners) {
        l->OnLogLine(line);
    }
}

}  // namespace

void DebugPrintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    _Print(true, format, args);
    va_end(args);
}

void DebugPrintfLogOnly(const char* format, ...) {
    va_list args;
    va_start(args, format);
    _Print(false, format, args);
    va_end(args);
}

bool EnableLogFile(const std::string& nativePath) {
    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    if (s.file) {
        std::fclose(s.file);
    }
    s.file = std::fopen(nativePath.c_str(), "wb");
    return s.file != nullptr;
}

void DisableLogFile() {
    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    if (s.file) {
        std::fclose(s.file);
        s.file = nullptr;
    }
}

void AddLogListener(ILogListener* listener) {
    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    s.listeners.push_back(listener);
}

void RemoveLogListener(ILogListener* listener) {
    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    s.listeners.erase(std::remove(s.listeners.begin(), s.listeners.end(), listener), s.listeners.end());
}

void SetDebugOutputEnabled(bool enabled) {
    LogState& s = State();
    std::lock_guard<std::recursive_mutex> lock(s.mutex);
    s.debugOutput = enabled;
}

CLogCapture::CLogCapture() { AddLogListener(this); }

CLogCapture::~CLogCapture() { RemoveLogListener(this); }

void CLogCapture::OnLogLine(const std::string& line) {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Lines.push_back(line);
}

std::vector<std::string> CLogCapture::GetLines() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Lines;
}

bool CLogCapture::Contains(const std::string& text) const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (const std::string& l : m_Lines) {
        if (l.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

size_t CLogCapture::Count() const {
    std::lock_guard<std::mutex> lock(m_Mutex);
    return m_Lines.size();
}

void CLogCapture::Clear() {
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Lines.clear();
}
