#include "game/raising/season/CellPicture.h"

#include "engine/draw/CellImage.h"
#include "engine/draw/ImagePlane.h"

bool BuildCellPicture(CImagePlane& out, const std::string& sheet, int32_t columns, int32_t column) {
    out.Release();
    if (column < 0 || column >= columns) return false;
    CImagePlane source;
    if (!source.Load(sheet)) return false;
    CCellImage cells;
    if (!cells.Set(&source, columns, 1)) return false;
    int32_t w = 0;
    int32_t h = 0;
    cells.GetCellSize(&w, &h);
    return out.Create(w, h) && out.CopyCell(cells, column, 0);
}
