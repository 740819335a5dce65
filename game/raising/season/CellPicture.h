#pragma once
// One cell of a one-row sheet as a picture of its own: the sheet is read into a
// temporary plane, cut into `columns` equal cells and cell `column` copied into `out`.
#include <cstdint>
#include <string>

class CImagePlane;

// False (and `out` empty) when the sheet cannot be read or the cell does not exist.
bool BuildCellPicture(CImagePlane& out, const std::string& sheet, int32_t columns, int32_t column);
