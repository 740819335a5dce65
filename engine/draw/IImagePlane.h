#pragma once
// What a drawable picture offers to the objects that animate it (motion effects):
// its size and a draw of a source rectangle into a destination rectangle through a
// matrix, with a colour.  CImagePlane is the picture class that implements it.
#include <cstdint>

#include "engine/base/Matrix.h"
#include "platform/sys/Geometry.h"

class IImagePlane {
public:
    virtual ~IImagePlane() = default;
    // Width and height in pixels; 0 × 0 when the plane holds no picture.
    virtual void GetSize(int32_t* width, int32_t* height) const = 0;
    // Draws `source` of the picture into `dest` (left, top, right, bottom), transformed
    // by the row-vector matrix, modulated by the colour 0xAARRGGBB (alpha in the top
    // byte; 0xFFFFFF leaves the colours as they are).  Draws nothing without a picture.
    virtual void DrawRectMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix,
                                uint32_t colour) = 0;
};
