#pragma once
// The software back-end of an image plane: the picture held as a software surface
// (CSoftSurfaceProxy) at the depth of the surface it is drawn on, with an alpha plane
// when the picture has translucent pixels, drawn with the blit dispatcher (unscaled)
// or the stretch dispatcher.  The software kernels take an opacity but no colour: the
// alpha byte of a draw's colour is its opacity, and the colour bytes are left to the
// image plane (it builds a modulated copy).
// They place pictures axis-aligned: a matrix may move and scale a picture; one that
// turns or shears it is refused (logged once).
#include <cstdint>
#include <memory>

#include "engine/base/Matrix.h"
#include "platform/sys/Geometry.h"

class CSoftSurface;
class CSoftSurfaceProxy;

class CSoftPlane {
public:
    CSoftPlane();
    ~CSoftPlane();
    CSoftPlane(const CSoftPlane&) = delete;
    CSoftPlane& operator=(const CSoftPlane&) = delete;

    // The picture changed: the surface is built again at the next draw.
    void Invalidate() { m_Valid = false; }
    bool IsBuilt() const { return m_Valid; }
    int GetDepth() const { return m_Depth; }
    // Builds the surface from A8R8G8B8 pixels at a depth (15, 16, 24, 32).
    bool Build(const uint32_t* argb, int32_t width, int32_t height, int32_t pitch, int depth);
    // Draws `source` of the picture over `dest` (moved and scaled by the matrix when
    // given) on the target.  `argb`, `width`, `height`, `pitch`: the picture, used
    // when the surface must be built first.
    bool Draw(CSoftSurface* target, const SRect& dest, const SRect& source, const CMatrix4* matrix, uint32_t colour,
              const uint32_t* argb, int32_t width, int32_t height, int32_t pitch);

private:
    std::unique_ptr<CSoftSurfaceProxy> m_Surface;
    bool m_Valid = false;
    int m_Depth = 0;
};
