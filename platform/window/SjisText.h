#pragma once
// Shift-JIS (code page 932) to UTF-8, for what SDL shows: window titles and message boxes.
#include <string>

// Bytes that are not valid Shift-JIS become '?'.
std::string PlatformSjisToUtf8(const std::string& sjis);
