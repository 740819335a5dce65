#pragma once
// Numbers drawn digit by digit from a digit sheet (column d shows digit d): each digit
// has its own fixed place, the most significant first; a leading digit is left out
// while the number is below its power of ten, and the other digits keep their places.
#include <cstdint>
#include <span>

#include "platform/sys/Geometry.h"

class CCellImage;

// Draws `value` over the places (places.size() digits at most, the units at the last
// place) from row `row` of the sheet.  A negative value draws nothing; a value with more
// digits than places is shown as the largest number the places hold.
void DrawDigitRun(const CCellImage& digits, int32_t value, std::span<const SPoint> places,
                  uint32_t colour = 0xFFFFFFFFu, int32_t row = 0);
