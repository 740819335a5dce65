#pragma once
// PNG pictures through libpng.  Every colour type is expanded to 8-bit B, G, R
// (palette, grey of any depth, 16-bit channels keep their high byte); a picture with
// an alpha channel or a tRNS chunk comes out as 32 bits (B, G, R, A) with the alpha
// also in the alpha plane, any other as 24 bits without one.
#include "engine/image/ImageDecoder.h"

struct png_struct_def;
struct png_info_def;

class CPngDecoder : public CImageDecoderBase {
public:
    bool Decode(const uint8_t* data, size_t size, const std::string& name) override;

private:
    // Turns the rows of a palette picture (one index byte per pixel) into colours,
    // refusing an index past the palette.
    bool _ExpandPalette(png_struct_def* png, png_info_def* info, const char* name);
};
