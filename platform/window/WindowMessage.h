#pragma once
// Window messages as the engine knows them: the numbers and virtual-key codes of the
// desktop system the engine was first written for, so that stored key settings and
// every listener keep their meaning.  The SDL window translates its events into these.
#include <cstdint>

class CPlatformWindow;
// The window handle of the whole program; null means none.
using WindowHandle = CPlatformWindow*;

namespace WindowMsg {
constexpr uint32_t kNull = 0x0000;
constexpr uint32_t kDestroy = 0x0002;
constexpr uint32_t kSize = 0x0005;          // wParam: kSizeRestored / kSizeMinimized; lParam: width | height << 16
constexpr uint32_t kActivate = 0x0006;      // wParam: 0 inactive, 1 active
constexpr uint32_t kSetFocus = 0x0007;
constexpr uint32_t kKillFocus = 0x0008;
constexpr uint32_t kPaint = 0x000F;
constexpr uint32_t kClose = 0x0010;
constexpr uint32_t kQuit = 0x0012;
constexpr uint32_t kActivateApp = 0x001C;   // wParam: 0 inactive, 1 active
constexpr uint32_t kKeyDown = 0x0100;       // wParam: virtual-key code; lParam bit 30: was already down
constexpr uint32_t kKeyUp = 0x0101;
constexpr uint32_t kChar = 0x0102;
constexpr uint32_t kSysKeyDown = 0x0104;
// Text entry (SDL's text input stands in for the input method): a composition starts
// and ends, and each committed character comes as kChar (a single-byte Shift-JIS
// character in wParam) or kImeChar (a double-byte one, lead << 8 | trail).
constexpr uint32_t kImeStartComposition = 0x010D;
constexpr uint32_t kImeEndComposition = 0x010E;
constexpr uint32_t kImeChar = 0x0286;
constexpr uint32_t kSysKeyUp = 0x0105;
constexpr uint32_t kMouseMove = 0x0200;     // lParam: x | y << 16 (client pixels); wParam: button flags
constexpr uint32_t kLButtonDown = 0x0201;
constexpr uint32_t kLButtonUp = 0x0202;
constexpr uint32_t kLButtonDblClk = 0x0203;
constexpr uint32_t kRButtonDown = 0x0204;
constexpr uint32_t kRButtonUp = 0x0205;
constexpr uint32_t kMButtonDown = 0x0207;
constexpr uint32_t kMButtonUp = 0x0208;
constexpr uint32_t kMouseWheel = 0x020A;    // wParam high word: signed delta, 120 per notch (positive: away from the user)
constexpr uint32_t kMouseLeave = 0x02A3;
// The first number free for the program's own messages.
constexpr uint32_t kUser = 0x0400;
// Asks the window thread to end its frame loop (PostForceClose).
constexpr uint32_t kForceClose = kUser + 0x100;

constexpr uint32_t kSizeRestored = 0;
constexpr uint32_t kSizeMinimized = 1;
constexpr uint32_t kSizeMaximized = 2;

constexpr int32_t kWheelDelta = 120;

// Button flags carried in wParam of the mouse messages.
constexpr uintptr_t kFlagLButton = 0x0001;
constexpr uintptr_t kFlagRButton = 0x0002;
constexpr uintptr_t kFlagShift = 0x0004;
constexpr uintptr_t kFlagControl = 0x0008;
constexpr uintptr_t kFlagMButton = 0x0010;

inline intptr_t MakePoint(int32_t x, int32_t y) {
    return static_cast<intptr_t>((static_cast<uint32_t>(x) & 0xFFFFu) |
                                 ((static_cast<uint32_t>(y) & 0xFFFFu) << 16));
}
// The signed 16-bit halves of a point's lParam.
inline int32_t PointX(intptr_t lParam) { return static_cast<int16_t>(lParam & 0xFFFF); }
inline int32_t PointY(intptr_t lParam) { return static_cast<int16_t>((lParam >> 16) & 0xFFFF); }
inline int32_t WheelDelta(uintptr_t wParam) { return static_cast<int16_t>((wParam >> 16) & 0xFFFF); }
}  // namespace WindowMsg

// Virtual-key codes.  Letters and digits are their upper-case ASCII codes ('A', '0').
namespace VKey {
constexpr uint32_t kLButton = 0x01;
constexpr uint32_t kRButton = 0x02;
constexpr uint32_t kMButton = 0x04;
constexpr uint32_t kBack = 0x08;
constexpr uint32_t kTab = 0x09;
constexpr uint32_t kReturn = 0x0D;
constexpr uint32_t kShift = 0x10;
constexpr uint32_t kControl = 0x11;
constexpr uint32_t kMenu = 0x12;     // Alt
constexpr uint32_t kPause = 0x13;
constexpr uint32_t kEscape = 0x1B;
constexpr uint32_t kSpace = 0x20;
constexpr uint32_t kPrior = 0x21;    // Page Up
constexpr uint32_t kNext = 0x22;     // Page Down
constexpr uint32_t kEnd = 0x23;
constexpr uint32_t kHome = 0x24;
constexpr uint32_t kLeft = 0x25;
constexpr uint32_t kUp = 0x26;
constexpr uint32_t kRight = 0x27;
constexpr uint32_t kDown = 0x28;
constexpr uint32_t kInsert = 0x2D;
constexpr uint32_t kDelete = 0x2E;
constexpr uint32_t kNumpad0 = 0x60;  // to kNumpad0 + 9
constexpr uint32_t kF1 = 0x70;       // to kF1 + 11
constexpr uint32_t kCount = 256;
}  // namespace VKey

// Receives the messages of a window, on the thread that runs the window's pump.
// The result is the message's answer (0 when a listener leaves it alone).
class IMessageListener {
public:
    virtual ~IMessageListener() = default;
    virtual intptr_t OnMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};
