#pragma once
// The screen positions of the pictures of the full picture view, from
// "cfg\super_sc.txt": lines of three fields (picture name, x, y); the name becomes a
// path with the folder "sc" and the extension "bmp".
#include <string>

struct SSuperSceneEntry {
    int x = -9999;
    int y = -9999;
    bool operator==(const SSuperSceneEntry&) const = default;
};

// The position of a picture path; (-9999, -9999) when the file does not list it.  The
// table is read on first use (under the start-up lock) and kept until exit.
SSuperSceneEntry GetSuperSceneEntry(const std::string& picturePath);
// Reads the table again (after the data changed; tests).
void ReloadSuperSceneTable();
