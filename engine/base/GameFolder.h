#pragma once
// The game folder: where the data folders, the ".pak" archives, save\ and log.txt
// live.  The program's own folder unless set (tests, the demo data).
#include <string>

// Native path with a trailing '/'.
std::string GetGameFolder();
// A relative folder is taken from the current folder at the call and kept absolute.
void SetGameFolder(const std::string& nativeFolder);
// The native path of a game path: backslashes become '/' (trail bytes of
// double-byte characters untouched), the game folder in front unless absolute.
std::string ToNativePath(const std::string& gamePath);
