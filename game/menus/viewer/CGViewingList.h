#pragma once
// The viewing list: the picture groups of the thumbnail chosen in the picture viewer,
// which the full view pages through.  One list for the whole program, built on first
// use and kept until exit; the viewer replaces its contents before every call of the
// full view, which only reads it.
#include <vector>

#include "game/menus/unlock/CGViewTable.h"

class CCGViewingList {
public:
    static std::vector<CCGViewRecord>& Get();
    // Replaces the contents by copies of `records`.
    static void Fill(const std::vector<CCGViewRecord>& records) { Get() = records; }
};
