#pragma once
// Shift-JIS (code page 932) at the edges of the program: the program's own text stays
// Shift-JIS bytes; the terminal, SDL (titles, message boxes, the shell) and typed text
// speak UTF-8, and the glyph renderer wants code points.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline bool SjisIsLeadByte(uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Length in bytes of the character that starts at `bytes[pos]`: 2 for a lead byte
// (0x81 to 0x9F, 0xE0 to 0xFC) followed by a byte, else 1; 0 past the end.  A trail
// byte of 0x5C ('\') stays part of its character.
size_t SjisCharLength(const char* bytes, size_t size, size_t pos);

// The code point of one character given as its Shift-JIS code (a single byte, or
// lead << 8 | trail).  Codes the code page does not map give U+FFFD.
uint32_t SjisCodeToCodePoint(uint32_t code);

// What becomes of input that does not convert: one byte of Shift-JIS, or one whole
// UTF-8 sequence (a character the code page lacks, or a broken sequence).  Without a
// converter at all, ASCII passes and every other byte counts as bad.
enum class ESjisBadInput {
    kQuestionMark,  // becomes '?'
    kKeep,          // copied as it is
    kDrop,          // left out
};

std::string PlatformSjisToUtf8(std::string_view sjis, ESjisBadInput bad = ESjisBadInput::kQuestionMark);
std::string Utf8ToSjis(std::string_view utf8, ESjisBadInput bad = ESjisBadInput::kQuestionMark);
