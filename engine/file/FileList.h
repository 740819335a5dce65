#pragma once
// Lists the files of a game folder as CFile sees them: the entries of the folder's
// place in its top folder's archive and the files on the disk, merged.
#include <string>
#include <vector>

// The names (relative to `folder`, with '\' between subfolders when `recursive`) of
// the files of a game folder ("scr", "scr\\category_000"; "" is the game folder
// itself, whose own files have no archive), sorted by their case-folded bytes, each
// once (an archive entry and a disk file of the same name count as one, spelt as in
// the archive).  `extension` ("txt", ".txt" or "*.txt"; empty for all) keeps only
// the names ending in it, in any letter case.
std::vector<std::string> ListGameFiles(const std::string& folder, const std::string& extension = "",
                                       bool recursive = false);
