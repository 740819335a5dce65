#pragma once
// Shift-JIS (code page 932) to Unicode code points, for the glyph renderer only:
// everything else in the program keeps Shift-JIS bytes.
#include <cstddef>
#include <cstdint>
#include <string>

// Length in bytes of the character that starts at `bytes[pos]`: 2 for a lead byte
// (0x81 to 0x9F, 0xE0 to 0xFC) followed by a byte, else 1.  A trail byte of 0x5C
// ('\') stays part of its character.
size_t SjisCharLength(const char* bytes, size_t size, size_t pos);
inline bool SjisIsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// The code point of one character given as its Shift-JIS code (a single byte, or
// lead << 8 | trail).  Codes the code page does not map give U+FFFD.
uint32_t SjisCodeToCodePoint(uint32_t code);

// UTF-8 to Shift-JIS; characters the code page lacks become '?'.
std::string Utf8ToSjis(const std::string& utf8);
