#pragma once
// Shift-JIS text cut into characters and placed on the font's cell grid.
//
// A character is one byte, or two when the first is a lead byte (0x81 to 0x9F, 0xE0
// to 0xFC); the second byte may be anything, 0x5C ('\') included ("ソ" is 0x83 0x5C),
// and stays part of its character.  A lead byte at the very end of the text stands
// alone.  Single-byte characters (ASCII and half-width katakana) take one half-width
// cell, double-byte characters two.  "\n" (and "\r\n") starts a new line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct STextChar {
    uint32_t offset = 0;  // first byte in the text
    uint32_t length = 0;  // 1 or 2
    uint32_t code = 0;    // the byte, or lead << 8 | trail
    int32_t x = 0;        // cell's top-left corner, relative to the text's
    int32_t y = 0;
    int32_t width = 0;    // cell width
};

struct STextLayout {
    std::vector<STextChar> chars;  // visible characters only (line breaks are not in it)
    int32_t width = 0;             // widest line
    int32_t height = 0;            // lines × line height
};

class CTextLayout {
public:
    // Bytes of the character at `pos` (0 at or past the end).
    static size_t CharLength(const std::string& text, size_t pos);
    // Number of characters (line breaks count as one each).
    static size_t CountChars(const std::string& text);
    // The longest head of the text of at most `maxBytes` bytes that ends on a
    // character boundary: a double-byte character that would pass the limit is left
    // out whole.
    static std::string CutToBytes(const std::string& text, size_t maxBytes);
    // Removes the last character (a double-byte one whole).
    static std::string DropLastChar(const std::string& text);
    // Places the characters: half-width cells of `halfWidth` pixels, lines of
    // `lineHeight` pixels plus `lineGap`.
    static STextLayout Layout(const std::string& text, int32_t halfWidth, int32_t lineHeight, int32_t lineGap = 0);
};
