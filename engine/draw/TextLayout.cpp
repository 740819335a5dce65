#include "engine/draw/TextLayout.h"

#include <algorithm>
#include <cstdint>

#include "engine/base/StringUtil.h"

size_t CTextLayout::CharLength(const std::string& text, size_t pos) {
    if (pos >= text.size()) return 0;
    if (IsSjisLeadByte(static_cast<uint8_t>(text[pos])) && pos + 1 < text.size()) return 2;
    return 1;
}

size_t CTextLayout::CountChars(const std::string& text) {
    size_t count = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) ++count;
    return count;
}

std::string CTextLayout::CutToBytes(const std::string& text, size_t maxBytes) {
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t n = CharLength(text, pos);
        if (pos + n > maxBytes) break;
        pos += n;
    }
    return text.substr(0, pos);
}

std::string CTextLayout::DropLastChar(const std::string& text) {
    size_t last = 0;
    for (size_t pos = 0; pos < text.size(); pos += CharLength(text, pos)) last = pos;
    return text.substr(0, last);
}

namespace {

// Pens and sizes run in 64 bits: a very long text or many lines in a large font must
// not wrap; what lies beyond the int range is held at its end (nowhere on screen).
int32_t HeldToInt(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

STextLayout CTextLayout::Layout(const std::string& text, int32_t halfWidth, int32_t lineHeight, int32_t lineGap) {
    STextLayout out;
    halfWidth = std::max(halfWidth, 0);
    lineHeight = std::max(lineHeight, 0);
    int64_t x = 0, y = 0;
    int64_t lines = 1;
    for (size_t pos = 0; pos < text.size();) {
        const size_t n = CharLength(text, pos);
        const uint8_t b = static_cast<uint8_t>(text[pos]);
        if (b == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            pos += 1;
            continue;
        }
        if (b == '\n') {
            x = 0;
            y += int64_t{lineHeight} + lineGap;
            ++lines;
            pos += 1;
            continue;
        }
        STextChar c;
        c.offset = static_cast<uint32_t>(pos);
        c.length = static_cast<uint32_t>(n);
        c.code = n == 2 ? (static_cast<uint32_t>(b) << 8) | static_cast<uint8_t>(text[pos + 1]) : b;
        c.x = HeldToInt(x);
        c.y = HeldToInt(y);
        c.width = HeldToInt(n == 2 ? 2 * static_cast<int64_t>(halfWidth) : halfWidth);
        out.chars.push_back(c);
        x += c.width;
        out.width = std::max(out.width, HeldToInt(x));
        pos += n;
    }
    out.height = text.empty() ? 0 : HeldToInt(lines * lineHeight + (lines - 1) * static_cast<int64_t>(lineGap));
    return out;
}
