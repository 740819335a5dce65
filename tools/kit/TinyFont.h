#pragma once
// Two small bitmap fonts for the words drawn into picture sheets: printable ASCII from
// the blank to 'Z' in 5 × 7 glyphs, and the same in 3 × 5 for rows too low for those
// (small letters are drawn as capitals, other characters as blanks), one glyph column
// apart, at a whole multiple of their size.
#include <cstdint>
#include <string>
#include <vector>

namespace kit {

constexpr int32_t kGlyphWidth = 5;
constexpr int32_t kGlyphHeight = 7;
constexpr int32_t kSmallGlyphWidth = 3;
constexpr int32_t kSmallGlyphHeight = 5;

enum class EGlyphs { Regular, Small };  // 5 × 7, 3 × 5

int32_t GlyphHeight(EGlyphs glyphs);
// The width in pixels of the word at the scale (0 for an empty word).
int32_t WordWidth(const std::string& word, int32_t scale, EGlyphs glyphs = EGlyphs::Regular);
// Draws the word with its top-left corner at (x, y) into a picture `width` pixels wide,
// top row first; pixels outside the picture are left out.
void DrawWord(std::vector<uint32_t>* pixels, int32_t width, int32_t x, int32_t y, const std::string& word, int32_t scale,
              uint32_t ink, EGlyphs glyphs = EGlyphs::Regular);

}  // namespace kit
