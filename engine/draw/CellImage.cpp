#include "engine/draw/CellImage.h"

#include "engine/base/Log.h"
#include "engine/draw/ImagePlane.h"

bool CCellImage::Set(CImagePlane* plane, int32_t columns, int32_t rows) {
    Clear();
    if (!plane || !plane->IsLoaded()) {
        DebugPrintf("CCellImage::Set() 画像がありません");
        return false;
    }
    int32_t w = plane->GetWidth(), h = plane->GetHeight();
    if (columns < 1 || rows < 1 || columns > w || rows > h) {
        DebugPrintf("CCellImage::Set() 分割数が不正です[%d x %d]", columns, rows);
        return false;
    }
    m_Plane = plane;
    m_Columns = columns;
    m_Rows = rows;
    m_CellWidth = w / columns;
    m_CellHeight = h / rows;
    return true;
}

void CCellImage::Clear() {
    m_Plane = nullptr;
    m_Columns = m_Rows = 0;
    m_CellWidth = m_CellHeight = 0;
}

void CCellImage::GetCellSize(int32_t* width, int32_t* height) const {
    if (width) *width = m_CellWidth;
    if (height) *height = m_CellHeight;
}

bool CCellImage::GetCellRect(int32_t column, int32_t row, SRect* out) const {
    if (!m_Plane || column < 0 || row < 0 || column >= m_Columns || row >= m_Rows) {
        return false;
    }
    out->left = column * m_CellWidth;
    out->top = row * m_CellHeight;
    out->right = out->left + m_CellWidth;
    out->bottom = out->top + m_CellHeight;
    return true;
}

bool CCellImage::DrawCell(int32_t column, int32_t row, int32_t x, int32_t y, uint32_t colour) const {
    SRect s;
    if (!GetCellRect(column, row, &s)) {
        if (m_Plane) DebugPrintf("CCellImage::DrawCell() セルが範囲外です[%d, %d]", column, row);
        return false;
    }
    SRect d;
    if (!PlacedRect(x, y, m_CellWidth, m_CellHeight, &d)) {
        return false;
    }
    return m_Plane->DrawStretch(d, s, colour);
}

bool CCellImage::DrawCellColored(int32_t column, int32_t row, int32_t x, int32_t y, const CMatrix4& matrix,
                                 uint32_t colour) const {
    SRect s;
    if (!GetCellRect(column, row, &s)) {
        if (m_Plane) DebugPrintf("CCellImage::DrawCellColored() セルが範囲外です[%d, %d]", column, row);
        return false;
    }
    SRect d;
    if (!PlacedRect(x, y, m_CellWidth, m_CellHeight, &d)) {
        return false;
    }
    return m_Plane->DrawStretchMatrix(d, s, matrix, colour);
}

bool CCellImage::DrawCellStretch(int32_t column, int32_t row, const SRect& dest, uint32_t colour) const {
    SRect s;
    if (!GetCellRect(column, row, &s)) {
        if (m_Plane) DebugPrintf("CCellImage::DrawCellStretch() セルが範囲外です[%d, %d]", column, row);
        return false;
    }
    return m_Plane->DrawStretch(dest, s, colour);
}

bool DrawCell(const CCellImage& cells, int32_t column, int32_t row, int32_t x, int32_t y, uint32_t colour) {
    return cells.DrawCell(column, row, x, y, colour);
}

bool DrawCellColored(const CCellImage& cells, int32_t column, int32_t row, int32_t x, int32_t y, const CMatrix4& matrix,
                     uint32_t colour) {
    return cells.DrawCellColored(column, row, x, y, matrix, colour);
}

bool DrawCellRect(CImagePlane* target, const CCellImage& cells, int32_t column, int32_t row, int32_t x, int32_t y) {
    if (!target) {
        DebugPrintf("DrawCellRect() 転送先がありません");
        return false;
    }
    return target->CopyCell(cells, column, row, x, y);
}
