#pragma once
// Encodes a short movie for tests and the demo data: MPEG-1 video and MP2 sound in an MPEG program
// stream.  The picture's left half is one colour of a palette, changing every
// kFramesPerColor frames; a white bar moves across its right half.  The sound is a
// sine tone on both channels.
#include <cstdint>
#include <string>
#include <vector>

namespace movieclip {

struct SClip {
    int width = 160;
    int height = 120;
    int fps = 25;
    int frames = 25;
    bool video = true;
    bool audio = true;
    int toneHz = 1000;
    double amplitude = 0.5;  // of full scale
};

constexpr int kFramesPerColor = 5;
// The left half's colour (0xRRGGBB) in frame n.
uint32_t PatternColor(int frame);

// False with the reason (for example a missing encoder) in `error`.
bool EncodeClip(const SClip& clip, std::vector<uint8_t>* out, std::string* error);
bool WriteClip(const SClip& clip, const std::string& nativePath, std::string* error);

}  // namespace movieclip
