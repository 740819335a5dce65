// Arbitrary bytes as text: script lines and typed comments reach the layout and the
// text window unchecked, so no byte sequence may read past the text or split a
// character.
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/draw/TextLayout.h"
#include "engine/draw/TextWindow.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const STextLayout layout = CTextLayout::Layout(text, 11, 22, 2);
    size_t covered = 0;
    for (const STextChar& c : layout.chars) {
        if (c.offset + c.length > text.size() || c.offset < covered) __builtin_trap();
        covered = c.offset + c.length;
    }
    const size_t limit = size > 0 ? data[0] % 40 : 28;
    const std::string cut = CTextLayout::CutToBytes(text, limit);
    if (cut.size() > limit || text.compare(0, cut.size(), cut) != 0) __builtin_trap();
    std::string rest = text;
    while (!rest.empty()) {
        const std::string shorter = CTextLayout::DropLastChar(rest);
        if (shorter.size() >= rest.size()) __builtin_trap();
        rest = shorter;
    }

    // The same bytes typed into a 28-byte window, as characters and as keys.
    CTextWindow window;
    window.SetMaxLength(28);
    window.HandleInput();
    for (size_t i = 0; i + 1 < size; i += 2) {
        const uint8_t kind = data[i] % 4;
        const uint32_t message = kind == 0 ? WindowMsg::kChar
                                 : kind == 1 ? WindowMsg::kImeChar
                                 : kind == 2 ? WindowMsg::kKeyDown
                                             : (data[i] & 4 ? WindowMsg::kImeStartComposition : WindowMsg::kImeEndComposition);
        const uintptr_t wParam = kind == 1 ? (uintptr_t{data[i]} << 8) | data[i + 1] : kind == 2 ? 0x08 : data[i + 1];
        window.OnMessage(nullptr, message, wParam, 0);
        const std::string& typed = window.GetText();
        if (typed.size() > 28) __builtin_trap();
        // Only whole characters: every lead byte has its trail, and no control byte.
        for (size_t pos = 0; pos < typed.size(); pos += CTextLayout::CharLength(typed, pos)) {
            const uint8_t b = static_cast<uint8_t>(typed[pos]);
            if (b < 0x20 || b == 0x7F) __builtin_trap();
            if (CTextLayout::CharLength(typed, pos) == 1 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC))) __builtin_trap();
            if (CTextLayout::CharLength(typed, pos) == 2 && static_cast<uint8_t>(typed[pos + 1]) < 0x40) __builtin_trap();
        }
    }
    window.Reset();
    return 0;
}
