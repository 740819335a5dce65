#pragma once
// Windows and OS/2 bitmaps: uncompressed 1, 4, 8, 16, 24 and 32 bits per pixel,
// bottom-up or top-down.  Palette pictures come out as 24 bits; 16-bit pictures as
// 15 (X1R5G5B5) or 16 (R5G6B5) by their masks; 24 and 32 bits unchanged, the fourth
// byte of a 32-bit pixel kept as it is and never taken for alpha.  RLE is refused.
#include "engine/image/ImageDecoder.h"

class CBmpDecoder : public CImageDecoderBase {
public:
    bool Decode(const uint8_t* data, size_t size, const std::string& name) override;
};
