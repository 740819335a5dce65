#pragma once
// Pixel plumbing shared by the surfaces: the row converters that bring a decoded
// image's rows into a surface's format, the row fillers behind Fill, and the writer
// of 24-bit BMP files behind SaveBitmap.
//
// Reduction keeps the top bits of each 8-bit channel (no rounding); expansion puts
// the channel at the top of the byte and leaves the low bits 0 (no replication).
// Each converter and filler works 8 pixels per step, then the remaining width & 7.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/sys/Geometry.h"

class CSoftSurface;

// One row of `width` pixels from `source` to `dest` (the ranges must not overlap).
using ConvertRowsFunc = void (*)(uint8_t* dest, const uint8_t* source, int width);

void ConvertRowsSame16(uint8_t* dest, const uint8_t* source, int width);    // 15←15, 16←16
void ConvertRows15From16(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows15From24(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows15From32(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows16From15(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows16From24(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows16From32(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows24From15(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows24From16(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows24From24(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows24From32(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows32From15(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows32From16(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows32From24(uint8_t* dest, const uint8_t* source, int width);
void ConvertRows32From32(uint8_t* dest, const uint8_t* source, int width);

// The row converter of a depth pair; null for a pair without one (any destination
// other than 15/16/24/32, any source other than 15/16/24/32).
ConvertRowsFunc GetConvertRowsFunc(int destDepth, int sourceDepth);

// Converts a whole image: destination row 0 from source row height-1 (image rows run
// bottom row first), stepping the source backwards by sourcePitch and the destination
// forwards by destPitch.  An unsupported pair, a null pointer or a non-positive size
// leaves the destination as it was.
class CImageFile;

// Converts a decoded image's rows (bottom row first) into a surface's rows of the given
// depth and pitch, when the image's pitch can hold its width; otherwise logs
// "<who> 画像の行の大きさが不正です[path][pitch:n]" and leaves the surface as it is.
void ConvertImageRows(const CImageFile& image, uint8_t* dest, int destDepth, int destPitch, const char* who,
                      const char* path);

void ConvertPixelRows(uint8_t* dest, const uint8_t* source, int destDepth, int sourceDepth, int destPitch,
                      int sourcePitch, int width, int height);

// Fill columns left..right-1 of rows top..bottom-1 of pixel memory with `pitch` bytes
// per row (the caller has clipped the rectangle to the memory).  Depth 15 uses
// FillRows16.  An empty rectangle writes nothing.
void FillRows16(uint8_t* bits, int pitch, uint16_t pixel, const SRect& rect);
void FillRows24(uint8_t* bits, int pitch, const uint8_t* bgr, const SRect& rect);
void FillRows32(uint8_t* bits, int pitch, uint32_t pixel, const SRect& rect);

// The pixel and alpha-plane work behind the surfaces' Fill, FillAlpha and CopyAlpha,
// on memory the caller has locked.  Rectangles come from callers and may be anything:
// each is clipped to the memory of `size` here.
// Fill with a COLORREF at depth 15/16/24/32 (other depths write nothing); black over
// the whole surface clears every byte, row padding included.
void FillSurfaceRows(uint8_t* bits, int pitch, int depth, SSize size, uint32_t colorRef, SRect area);
void FillAlphaRows(uint8_t* alpha, int pitch, SSize size, uint8_t value, SRect area);
// Copies the smaller of the two rectangles from the source surface's alpha plane, cut
// by both planes; the source may be the destination surface itself.  A null plane
// copies nothing.
void CopyAlphaRows(uint8_t* dest, int destPitch, SSize destSize, const CSoftSurface& source, SRect destArea,
                   SRect sourceArea);

// Bytes per row of a written 24-bit BMP: 3 × width rounded up to a multiple of 4.
int32_t BitmapRowBytes(int32_t width);
// The complete bytes of a 24-bit BMP file of a top-down pixel image of that depth
// (bottom row first in the file, padding bytes zero).  A depth other than
// 15/16/24/32 gives the headers and a zero pixel area.
std::vector<uint8_t> BuildBitmapFile(const uint8_t* bits, int pitch, int width, int height, int depth);
// SaveBitmap of a surface: locks it and builds the file, then writes it atomically
// (WriteFileAtomic: a failed or interrupted write leaves the old file whole).
// False when the file cannot be written, and when the surface cannot be
// locked: that failure is logged as "<who> Lockに失敗しました" and no file is made.
bool WriteSurfaceBitmap(CSoftSurface* surface, const char* path, const char* who);
