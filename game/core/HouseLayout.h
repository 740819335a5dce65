#pragma once
// The house picture lists: which pictures show the house in its first (1) or second
// (2) layout.  The stage registers the lists; a picture in neither is 0.
#include <string>
#include <vector>

// Replaces the two lists (picture paths; ASCII case and slash direction ignored).
void SetHouseLayoutLists(const std::vector<std::string>& layout1, const std::vector<std::string>& layout2);
// 1 when the picture is in the first list, 2 in the second, else 0.
int GetHouseLayout(const std::string& picturePath);
