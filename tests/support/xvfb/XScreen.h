#pragma once
// Reads an X server's screen through a connection of its own (kept apart from the
// engine's headers: Xlib's macros clash with them).
#include <cstdint>
#include <string>
#include <vector>

class CXScreenReader {
public:
    explicit CXScreenReader(const std::string& display);
    ~CXScreenReader();
    CXScreenReader(const CXScreenReader&) = delete;
    CXScreenReader& operator=(const CXScreenReader&) = delete;

    bool IsOpen() const { return m_Display != nullptr; }
    // Whether a block of w × h pixels (0x00RRGGBB, top row first) stands somewhere on
    // the screen now.
    bool Contains(const std::vector<uint32_t>& block, int w, int h);
    // The whole screen now (0x00RRGGBB, top row first); false without a connection.
    bool Capture(std::vector<uint32_t>* pixels, int* w, int* h);

private:
    void* m_Display = nullptr;
};
