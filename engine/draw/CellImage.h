#pragma once
// A picture plane cut into columns × rows equal cells (a button sheet, a digit sheet).
// The cell image refers to the plane; it does not own it.  Cells are
// width / columns × height / rows pixels; pixels left over at the right and bottom
// edge belong to no cell.
#include <cstdint>

#include "engine/base/Matrix.h"
#include "platform/sys/Geometry.h"

class CImagePlane;

class CCellImage {
public:
    // False (and nothing set) for a null or empty plane or a count below 1 or above
    // the picture's size.
    bool Set(CImagePlane* plane, int32_t columns, int32_t rows);
    void Clear();
    CImagePlane* GetPlane() const { return m_Plane; }
    int32_t GetColumns() const { return m_Columns; }
    int32_t GetRows() const { return m_Rows; }
    void GetCellSize(int32_t* width, int32_t* height) const;
    // The picture rectangle of a cell; false for a cell out of range.
    bool GetCellRect(int32_t column, int32_t row, SRect* out) const;

    // One cell with its top-left corner at (x, y).
    bool DrawCell(int32_t column, int32_t row, int32_t x, int32_t y, uint32_t colour = 0xFFFFFFFFu) const;
    // One cell at (x, y) transformed by the matrix, drawn as a plane is.
    bool DrawCellColored(int32_t column, int32_t row, int32_t x, int32_t y, const CMatrix4& matrix,
                         uint32_t colour = 0xFFFFFFFFu) const;
    // One cell stretched over a destination rectangle.
    bool DrawCellStretch(int32_t column, int32_t row, const SRect& dest, uint32_t colour = 0xFFFFFFFFu) const;

private:
    CImagePlane* m_Plane = nullptr;
    int32_t m_Columns = 0;
    int32_t m_Rows = 0;
    int32_t m_CellWidth = 0;
    int32_t m_CellHeight = 0;
};

// The free forms the screens call.
bool DrawCell(const CCellImage& cells, int32_t column, int32_t row, int32_t x, int32_t y, uint32_t colour = 0xFFFFFFFFu);
bool DrawCellColored(const CCellImage& cells, int32_t column, int32_t row, int32_t x, int32_t y, const CMatrix4& matrix,
                     uint32_t colour = 0xFFFFFFFFu);
// Copies one cell into the top-left corner of `target` (at (x, y) when given).
bool DrawCellRect(CImagePlane* target, const CCellImage& cells, int32_t column, int32_t row, int32_t x = 0, int32_t y = 0);
