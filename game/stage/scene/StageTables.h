#pragma once
// The stage's two small tables under cfg\ (formats in docs/stage.md): the voice files
// that scripts load as effects but that belong to the voice group, and the pictures
// that show the house in its first or second layout.
#include <string>
#include <vector>

class CTextReader;

// One file name a line (the first field), in order.
std::vector<std::string> ReadRedirectedVoices(CTextReader& reader);

struct SHouseLists {
    std::vector<std::string> layout1;
    std::vector<std::string> layout2;
};
// "1, picture" or "2, picture" a line; any other line is logged and left out.
SHouseLists ReadHouseLists(CTextReader& reader);
