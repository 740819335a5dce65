#include "engine/draw/ImagePlane.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "engine/base/AppManager.h"
#include "engine/base/Log.h"
#include "engine/d3d/D3DDevice.h"
#include "engine/d3d/D3DResource.h"
#include "engine/d3d/D3DSurface.h"
#include "engine/d3d/D3DTiledTexture.h"
#include "engine/d3d/D3DXLoad.h"
#include "engine/d3d/Screen.h"
#include "engine/draw/CellImage.h"
#include "engine/draw/RenderTarget.h"
#include "engine/draw/SoftPlane.h"
#include "engine/soft/SoftSurface.h"
#include "engine/file/File.h"
#include "engine/soft/screen/GdiScreen.h"

namespace {

bool DecodeFile(const std::string& path, std::vector<uint32_t>* pixels, int32_t* width, int32_t* height) {
    std::vector<uint8_t> bytes;
    if (!CFile::ReadAll(path, &bytes)) {
        DebugPrintf("CImagePlane::Load() ファイルを開けません[%s]", path.c_str());
        return false;
    }
    SD3DXImageInfo info;
    if (!D3DXDecodeImage(bytes.data(), bytes.size(), pixels, &info) || info.width == 0 || info.height == 0) {
        DebugPrintf("CImagePlane::Load() 画像の読み込みに失敗[%s]", path.c_str());
        return false;
    }
    *width = static_cast<int32_t>(info.width);
    *height = static_cast<int32_t>(info.height);
    return true;
}

}  // namespace

// Tells the plane when the device its textures live on goes away.
struct CImagePlane::SDeviceWatch : public ID3DResource {
    explicit SDeviceWatch(CImagePlane* plane) : owner(plane) {}
    void OnDeviceLost() override {}
    void OnDeviceReset() override {}
    void OnDeviceDestroyed() override {
        owner->m_TexturesValid = false;
        owner->m_Device = nullptr;
    }
    CImagePlane* owner;
};

CImagePlane::CImagePlane() = default;

CImagePlane::~CImagePlane() { Release(); }

void CImagePlane::_DropTextures() {
    if (m_Device && m_Watch) {
        m_Device->UnregisterResource(m_Watch.get());
    }
    if (m_Textures) {
        m_Textures->Release();
    }
    m_Device = nullptr;
    m_TexturesValid = false;
    if (m_Soft) {
        m_Soft->Invalidate();
    }
    if (m_SoftTinted) {
        m_SoftTinted->Invalidate();
    }
}

void CImagePlane::Release() {
    _DropTextures();
    m_Pixels.clear();
    m_Pixels.shrink_to_fit();
    m_Path.clear();
    m_Reload = false;
    m_Width = m_Height = 0;
}

void CImagePlane::GetSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_Width;
    if (height) *height = m_Height;
}

bool CImagePlane::Load(const std::string& path, int32_t, int32_t reloadFlag) {
    Release();
    std::vector<uint32_t> pixels;
    int32_t w = 0, h = 0;
    if (!DecodeFile(path, &pixels, &w, &h)) {
        return false;
    }
    m_Width = w;
    m_Height = h;
    m_Pixels = std::move(pixels);
    m_Path = path;
    m_Reload = reloadFlag != 0;
    if (CD3DDevice* device = GetDrawDevice()) {
        _Upload(device);
        if (m_Reload && m_TexturesValid) {
            // The textures hold the picture; the file gives it back when needed.
            m_Pixels.clear();
            m_Pixels.shrink_to_fit();
        }
    }
    return true;
}

bool CImagePlane::Create(int32_t width, int32_t height, bool alpha) {
    Release();
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        DebugPrintf("CImagePlane::Create() サイズが不正です[%d x %d]", width, height);
        return false;
    }
    m_Width = width;
    m_Height = height;
    m_Pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), alpha ? 0u : 0xFF000000u);
    return true;
}

bool CImagePlane::CreateFromArgb(const uint32_t* argb, int32_t width, int32_t height, int32_t pitch) {
    if (!argb || pitch < width || !Create(width, height, true)) {
        DebugPrintf("CImagePlane::CreateFromArgb() 引数が不正です[%d x %d]", width, height);
        Release();
        return false;
    }
    for (int32_t y = 0; y < height; ++y) {
        std::memcpy(&m_Pixels[static_cast<size_t>(y) * width], argb + static_cast<size_t>(y) * pitch, static_cast<size_t>(width) * 4);
    }
    return true;
}

bool CImagePlane::EnsurePixels() {
    if (!IsLoaded()) {
        return false;
    }
    if (!m_Pixels.empty()) {
        return true;
    }
    std::vector<uint32_t> pixels;
    int32_t w = 0, h = 0;
    if (m_Path.empty() || !DecodeFile(m_Path, &pixels, &w, &h)) {
        return false;
    }
    if (w != m_Width || h != m_Height) {
        DebugPrintf("CImagePlane::EnsurePixels() 画像のサイズが変わりました[%s]", m_Path.c_str());
        return false;
    }
    m_Pixels = std::move(pixels);
    return true;
}

void CImagePlane::_Edited() {
    // An edited picture is no longer the file's: keep its pixels from now on.
    m_Reload = false;
    m_Path.clear();
    m_TexturesValid = false;
    if (m_Soft) {
        m_Soft->Invalidate();
    }
    if (m_SoftTinted) {
        m_SoftTinted->Invalidate();
    }
}

bool CImagePlane::Fill(uint32_t argb) {
    if (!IsLoaded()) {
        DebugPrintf("CImagePlane::Fill() 画像がありません");
        return false;
    }
    m_Pixels.assign(static_cast<size_t>(m_Width) * static_cast<size_t>(m_Height), argb);
    _Edited();
    return true;
}

bool CImagePlane::CopyRect(const CImagePlane& source, int32_t dx, int32_t dy, int32_t sx, int32_t sy, int32_t width,
                           int32_t height) {
    if (!IsLoaded() || !source.IsLoaded()) {
        DebugPrintf("CImagePlane::CopyRect() 画像がありません");
        return false;
    }
    if (!EnsurePixels() || !const_cast<CImagePlane&>(source).EnsurePixels()) {
        DebugPrintf("CImagePlane::CopyRect() 画素を読み込めません");
        return false;
    }
    // Clip against the source, then the destination (64-bit: no overflow on wild input).
    int64_t x0 = sx, y0 = sy, x1 = static_cast<int64_t>(sx) + width, y1 = static_cast<int64_t>(sy) + height;
    int64_t ox = dx, oy = dy;
    if (x0 < 0) { ox -= x0; x0 = 0; }
    if (y0 < 0) { oy -= y0; y0 = 0; }
    x1 = std::min<int64_t>(x1, source.m_Width);
    y1 = std::min<int64_t>(y1, source.m_Height);
    if (ox < 0) { x0 -= ox; ox = 0; }
    if (oy < 0) { y0 -= oy; oy = 0; }
    x1 = std::min<int64_t>(x1, x0 + (m_Width - ox));
    y1 = std::min<int64_t>(y1, y0 + (m_Height - oy));
    if (x1 <= x0 || y1 <= y0) {
        return true;  // nothing overlaps: nothing to copy
    }
    size_t n = static_cast<size_t>(x1 - x0);
    if (&source == this) {
        std::vector<uint32_t> copy = m_Pixels;
        for (int64_t y = y0; y < y1; ++y) {
            std::memcpy(&m_Pixels[static_cast<size_t>((oy + y - y0) * m_Width + ox)], &copy[static_cast<size_t>(y * m_Width + x0)],
                        n * 4);
        }
    } else {
        for (int64_t y = y0; y < y1; ++y) {
            std::memcpy(&m_Pixels[static_cast<size_t>((oy + y - y0) * m_Width + ox)],
                        &source.m_Pixels[static_cast<size_t>(y * source.m_Width + x0)], n * 4);
        }
    }
    _Edited();
    return true;
}

bool CImagePlane::CopyCell(const CCellImage& cells, int32_t column, int32_t row, int32_t dx, int32_t dy) {
    SRect r;
    if (!cells.GetCellRect(column, row, &r) || !cells.GetPlane()) {
        DebugPrintf("CImagePlane::CopyCell() セルが不正です[%d, %d]", column, row);
        return false;
    }
    return CopyRect(*cells.GetPlane(), dx, dy, r.left, r.top, r.Width(), r.Height());
}

bool CImagePlane::_Upload(CD3DDevice* device) {
    _DropTextures();
    if (!EnsurePixels()) {
        return false;
    }
    if (!m_Textures) {
        m_Textures = std::make_unique<CD3DTiledTexture>();
    }
    if (!m_Textures->Create(device, static_cast<uint32_t>(m_Width), static_cast<uint32_t>(m_Height)) ||
        !m_Textures->LoadArgb(m_Pixels.data(), static_cast<uint32_t>(m_Width))) {
        DebugPrintf("CImagePlane::_Upload() テクスチャの作成に失敗[%d x %d]", m_Width, m_Height);
        m_Textures->Release();
        return false;
    }
    if (!m_Watch) {
        m_Watch = std::make_unique<SDeviceWatch>(this);
    }
    device->RegisterResource(m_Watch.get());
    m_Device = device;
    m_TexturesValid = true;
    return true;
}

bool CImagePlane::IsMustReload() const {
    if (!IsLoaded()) {
        return false;
    }
    CD3DDevice* device = GetDrawDevice();
    if (!device) {
        return false;
    }
    return !m_TexturesValid || m_Device != device;
}

bool CImagePlane::Restore() {
    if (!IsLoaded()) {
        return false;
    }
    return _RestoreOn(GetDrawDevice());
}

bool CImagePlane::_RestoreOn(CD3DDevice* device) {
    if (!device) {
        return EnsurePixels();
    }
    if (m_TexturesValid && m_Device == device) {
        return true;
    }
    bool ok = _Upload(device);
    if (ok && m_Reload) {
        m_Pixels.clear();
        m_Pixels.shrink_to_fit();
    }
    return ok;
}

bool CImagePlane::_CheckSource(const SRect& source) const {
    if (source.left < 0 || source.top < 0 || source.right > m_Width || source.bottom > m_Height || source.IsEmpty()) {
        DebugPrintf("CImagePlane::Draw() 転送元の矩形が不正です[%d,%d,%d,%d]", source.left, source.top, source.right, source.bottom);
        return false;
    }
    return true;
}

bool CImagePlane::_Draw(const SRect& dest, const SRect& source, const CMatrix4* matrix, uint32_t colour) {
    if (!IsLoaded()) {
        return false;
    }
    if (!_CheckSource(source)) {
        return false;
    }
    if ((colour >> 24) == 0) {
        return true;  // fully transparent: nothing to draw
    }
    CD3DDevice* device = GetDrawDevice();
    if (device) {
        if (!_RestoreOn(device)) {
            return false;
        }
        SD3DRectF d{static_cast<float>(dest.left), static_cast<float>(dest.top), static_cast<float>(dest.right),
                    static_cast<float>(dest.bottom)};
        SGfxRect s{source.left, source.top, source.right, source.bottom};
        return m_Textures->DrawStretch(d, s, colour, matrix ? &matrix->m[0][0] : nullptr);
    }
    CScreen* screen = CAppManager::GetScreen();
    void* output = screen ? screen->GetRenderer()->GetSoftwareOutput() : nullptr;
    if (!output) {
        return false;  // no output to draw on
    }
    return DrawSoftware(CGdiScreen::FromOutput(output)->GetFrameBuffer(), dest, source, matrix, colour);
}

bool CImagePlane::DrawSoftware(CSoftSurface* target, const SRect& dest, const SRect& source, const CMatrix4* matrix,
                               uint32_t colour) {
    if (!IsLoaded() || !target) {
        return false;
    }
    if (!_CheckSource(source)) {
        return false;
    }
    bool ok = false;
    uint32_t tint = colour & 0x00FFFFFFu;
    if (tint != 0x00FFFFFFu) {
        // The software kernels apply an opacity only: the colour bytes modulate a copy of
        // the picture, kept while the same colour is drawn again.
        if (!m_SoftTinted) {
            m_SoftTinted = std::make_unique<CSoftPlane>();
        }
        if (!m_SoftTinted->IsBuilt() || m_SoftTint != tint || m_SoftTinted->GetDepth() != target->GetBitDepth()) {
            if (!EnsurePixels()) {
                return false;
            }
            std::vector<uint32_t> tinted(m_Pixels.size());
            const uint32_t mr = (tint >> 16) & 255, mg = (tint >> 8) & 255, mb = tint & 255;
            for (size_t i = 0; i < tinted.size(); ++i) {
                uint32_t p = m_Pixels[i];
                uint32_t r = (((p >> 16) & 255) * mr + 127) / 255;
                uint32_t g = (((p >> 8) & 255) * mg + 127) / 255;
                uint32_t b = ((p & 255) * mb + 127) / 255;
                tinted[i] = (p & 0xFF000000u) | (r << 16) | (g << 8) | b;
            }
            if (!m_SoftTinted->Build(tinted.data(), m_Width, m_Height, m_Width, target->GetBitDepth())) {
                return false;
            }
            m_SoftTint = tint;
        }
        ok = m_SoftTinted->Draw(target, dest, source, matrix, colour, nullptr, m_Width, m_Height, m_Width);
    } else {
        if (!m_Soft) {
            m_Soft = std::make_unique<CSoftPlane>();
        }
        if ((!m_Soft->IsBuilt() || m_Soft->GetDepth() != target->GetBitDepth()) && !EnsurePixels()) {
            return false;
        }
        ok = m_Soft->Draw(target, dest, source, matrix, colour, GetPixels(), m_Width, m_Height, m_Width);
    }
    if (m_Reload && m_TexturesValid) {
        // The software surface holds the picture now.
        m_Pixels.clear();
    }
    return ok;
}

bool PlacedRect(int32_t x, int32_t y, int32_t width, int32_t height, SRect* out) {
    // A picture whose far edge lies past the int range is nowhere on the screen.
    int64_t right = static_cast<int64_t>(x) + width, bottom = static_cast<int64_t>(y) + height;
    if (right > INT32_MAX || bottom > INT32_MAX) {
        return false;
    }
    *out = SRect{x, y, static_cast<int32_t>(right), static_cast<int32_t>(bottom)};
    return true;
}

bool CImagePlane::Draw(int32_t x, int32_t y, uint32_t colour) {
    SRect dest;
    if (!PlacedRect(x, y, m_Width, m_Height, &dest)) {
        return false;
    }
    return _Draw(dest, SRect{0, 0, m_Width, m_Height}, nullptr, colour);
}

bool CImagePlane::DrawMatrix(int32_t x, int32_t y, const CMatrix4& matrix, uint32_t colour) {
    SRect dest;
    if (!PlacedRect(x, y, m_Width, m_Height, &dest)) {
        return false;
    }
    return _Draw(dest, SRect{0, 0, m_Width, m_Height}, &matrix, colour);
}

bool CImagePlane::DrawStretch(const SRect& dest, const SRect& source, uint32_t colour) {
    return _Draw(dest, source, nullptr, colour);
}

bool CImagePlane::DrawStretchMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix, uint32_t colour) {
    return _Draw(dest, source, &matrix, colour);
}

void CImagePlane::DrawRectMatrix(const SRect& dest, const SRect& source, const CMatrix4& matrix, uint32_t colour) {
    _Draw(dest, source, &matrix, colour);
}

bool CImagePlane::SaveBitmap(const std::string& path) {
    if (!IsLoaded() || !EnsurePixels()) {
        DebugPrintf("CImagePlane::SaveBitmap() 画像がありません[%s]", path.c_str());
        return false;
    }
    // A surface in system memory: writing the file needs no device, so thumbnails are
    // saved on the GDI renderer too.
    CD3DSurface surface(std::make_shared<CGfxSurface>(std::make_shared<CGfxPixels>(
        GFX_FMT_A8R8G8B8, static_cast<uint32_t>(m_Width), static_cast<uint32_t>(m_Height), 0u, GFX_POOL_SYSTEMMEM)));
    if (!D3DXLoadSurfaceFromArgb(&surface, nullptr, m_Pixels.data(), static_cast<uint32_t>(m_Width),
                                 static_cast<uint32_t>(m_Height), static_cast<uint32_t>(m_Width), nullptr, D3DX_FILTER_NONE, 0)) {
        return false;
    }
    bool ok = surface.SaveBitmap(path);
    if (m_Reload && m_TexturesValid) {
        m_Pixels.clear();
    }
    return ok;
}
