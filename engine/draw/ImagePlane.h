#pragma once
// A drawable picture.  The plane keeps its pixels (A8R8G8B8, top row first) in memory
// and, on the Direct3D renderer, a copy in managed textures (tiled when larger than
// the device allows) that is made again from the pixels whenever it is missing: after
// the device was destroyed or replaced, or after an edit.  A plane loaded with the
// reload flag keeps only its file name and reads the file again when it needs its
// pixels, which saves the memory of large pictures that are easy to reload.
//
// On the GDI renderer the plane draws onto the GDI screen's frame buffer through its
// software back-end (CSoftPlane: the picture as a software surface, drawn with the blit
// and stretch dispatchers); a colour other than white draws a modulated copy.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/Matrix.h"
#include "engine/draw/IImagePlane.h"
#include "platform/sys/Geometry.h"

class CCellImage;
class CD3DDevice;
class CD3DTiledTexture;
class CSoftPlane;
class CSoftSurface;

// The rectangle of a width × height picture with its top-left corner at (x, y); false
// when its far edge would pass the int range (such a picture is nowhere on screen).
bool PlacedRect(int32_t x, int32_t y, int32_t width, int32_t height, SRect* out);

class CImagePlane : public IImagePlane {
public:
    CImagePlane();
    ~CImagePlane() override;
    CImagePlane(const CImagePlane&) = delete;
    CImagePlane& operator=(const CImagePlane&) = delete;

    // Releases the plane's picture and loads the file (BMP or PNG, a game path).  A
    // picture that cannot be loaded leaves the plane empty (false, logged).
    bool Load(const std::string& path, int32_t reserved = 0, int32_t reloadFlag = 0);
    bool LoadFile(const std::string& path, int32_t reserved = 0, int32_t reloadFlag = 0) {
        return Load(path, reserved, reloadFlag);
    }
    // A blank picture: transparent black with `alpha`, opaque black without.
    bool Create(int32_t width, int32_t height, bool alpha = true);
    // A picture of the given A8R8G8B8 pixels (top row first, `pitch` pixels a row).
    bool CreateFromArgb(const uint32_t* argb, int32_t width, int32_t height, int32_t pitch);
    // Fills the whole picture with an ARGB colour.
    bool Fill(uint32_t argb);
    // Copies `width` × `height` pixels at (sx, sy) of `source` to (dx, dy), clipped to
    // both pictures.  The pixels are replaced, not blended.
    bool CopyRect(const CImagePlane& source, int32_t dx, int32_t dy, int32_t sx, int32_t sy, int32_t width, int32_t height);
    // Copies one cell of a cell image to (dx, dy).
    bool CopyCell(const CCellImage& cells, int32_t column, int32_t row, int32_t dx = 0, int32_t dy = 0);

    void GetSize(int32_t* width, int32_t* height) const override;
    int32_t GetWidth() const { return m_Width; }
    int32_t GetHeight() const { return m_Height; }

    // Draws: colour 0xAARRGGBB modulates (0xFFFFFFFF draws the picture as it is).
    bool Draw(int32_t x, int32_t y, uint32_t colour = 0xFFFFFFFFu);
    // The picture placed at (x, y), then transformed by the row-vector matrix.
    bool DrawMatrix(int32_t x, int32_t y, const CMatrix4& matrix, uint32_t colour = 0xFFFFFFFFu);
    bool DrawMatrix(const CMatrix4& matrix, uint32_t colour = 0xFFFFFFFFu) { return DrawMatrix(0, 0, matrix, colour); }
    // `source` of the picture stretched over `dest`.
    bool DrawStretch(const SRect& dest, const SRect& source, uint32_t colour = 0xFFFFFFFFu);
    bool DrawStretchMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix, uint32_t colour = 0xFFFFFFFFu);
    void DrawRectMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix, uint32_t colour) override;

    // Writes the picture as a 24-bit bitmap at a game path.
    bool SaveBitmap(const std::string& path);

    // Drops the picture; the plane stays usable.
    void Release();
    bool IsLoaded() const { return m_Width > 0 && m_Height > 0; }
    // True when the plane holds a picture whose textures are gone (the device was
    // reset, destroyed or replaced) and not made again yet.
    bool IsMustReload() const;
    // Makes the textures again now (reading the file again for a reload-flag plane);
    // true when the plane can be drawn.  A plane that draws does this by itself.
    bool Restore();

    // The pixels (null for a reload-flag plane until they are needed, or when empty).
    const uint32_t* GetPixels() const { return m_Pixels.empty() ? nullptr : m_Pixels.data(); }
    // Reads the pixels back in (reload-flag planes); false when the plane is empty or
    // the file cannot be read.
    bool EnsurePixels();
    const std::string& GetFileName() const { return m_Path; }
    bool IsReloadFlagged() const { return m_Reload; }

    // The software back-end's draw onto a software surface (what the planes do on the
    // GDI renderer, with its frame buffer as the target).
    bool DrawSoftware(CSoftSurface* target, const SRect& dest, const SRect& source, const CMatrix4* matrix,
                      uint32_t colour = 0xFFFFFFFFu);

private:
    struct SDeviceWatch;

    bool _Draw(const SRect& dest, const SRect& source, const CMatrix4* matrix, uint32_t colour);
    bool _Upload(CD3DDevice* device);
    // Restore() on a device already looked up (a draw has one at hand).
    bool _RestoreOn(CD3DDevice* device);
    // False (with the log line) when `source` is not inside the picture.
    bool _CheckSource(const SRect& source) const;
    void _DropTextures();
    void _Edited();

    int32_t m_Width = 0;
    int32_t m_Height = 0;
    std::vector<uint32_t> m_Pixels;
    std::string m_Path;
    bool m_Reload = false;
    std::unique_ptr<CD3DTiledTexture> m_Textures;
    std::unique_ptr<SDeviceWatch> m_Watch;
    std::unique_ptr<CSoftPlane> m_Soft;
    std::unique_ptr<CSoftPlane> m_SoftTinted;  // the picture modulated by m_SoftTint
    uint32_t m_SoftTint = 0x00FFFFFFu;
    CD3DDevice* m_Device = nullptr;  // the device the textures live on
    bool m_TexturesValid = false;
};
