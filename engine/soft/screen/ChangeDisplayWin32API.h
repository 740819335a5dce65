#pragma once
// The display-mode changer over the display settings (GdiChangeDisplaySettings).  A
// change counts as made from the moment it is tried, so that a failed change is still
// put back by Reset or at destruction.  The waits that let the display settle (100 ms
// before, 200 ms after) go through SetDisplayChangeSleep's function, which tests
// replace.
#include <cstdint>
#include <functional>

#include "engine/base/ChangeDisplay.h"

// The sleep of the display changers; an empty function restores the real sleep.
void SetDisplayChangeSleep(std::function<void(uint32_t ms)> sleep);
void DisplayChangeSleep(uint32_t ms);

class CChangeDisplayWin32API : public CChangeDisplay {
public:
    static constexpr int32_t kKind = 1;

    CChangeDisplayWin32API() = default;
    ~CChangeDisplayWin32API() override;
    CChangeDisplayWin32API(const CChangeDisplayWin32API&) = delete;
    CChangeDisplayWin32API& operator=(const CChangeDisplayWin32API&) = delete;

    bool ChangeDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    bool TestDisplayMode(int32_t width, int32_t height, int32_t bitsPerPixel) override;
    bool Reset() override;
    bool IsChanged() const override { return m_Changed; }
    int32_t GetKind() const override { return kKind; }

private:
    void _Finalize();
    bool m_Changed = false;
};
