#pragma once
// Text and path helpers.  Text is Shift-JIS: a lead byte and the byte after it form
// one character, and a trail byte 0x5C ("ソ" is 0x83 0x5C) is never a backslash.
#include <cstdint>
#include <string>

// 0x81..0x9F and 0xE0..0xFC.
inline bool IsSjisLeadByte(uint8_t c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
inline bool IsSjisLeadByte(char c) { return IsSjisLeadByte(static_cast<uint8_t>(c)); }

// The leading decimal number ("%d": blanks skipped, stops at the first other
// character); 0 for an empty string or one that does not begin with a number.
// Values beyond the int range are held at its ends.
int StrToInt(const std::string& text);
// A copy with ASCII letters lower-cased; double-byte characters untouched.
std::string StrCaseConvert(const std::string& text);
// Every '/' turned into '\'.
std::string PathToBackslash(const std::string& path);
// Runs of backslashes collapsed into one.
std::string NormalizePath(const std::string& path);
// True when the last character (not the trail byte of a double-byte one) is '\'.
bool EndsWithBackslash(const std::string& path);
// folder + "\" + name + "." + extension, without a second backslash when the folder
// already ends with one; an empty folder gives name.extension, an empty extension
// no dot.
std::string MakeFilePath(const std::string& folder, const std::string& name, const std::string& extension);
// A resource path: '/' becomes '\', ASCII lower-cased, the folder (with a trailing
// '\') put in front unless the name already begins with it, doubled backslashes
// collapsed, "." + extension appended when the file-name part has no '.'.  An empty
// name gives an empty path.
std::string MakeResourcePath(const std::string& name, const std::string& folder, const std::string& extension);
// True when the file-name part (after the last backslash) holds a '.' that is a
// character of its own.
bool HasFileExtension(const std::string& path);
// printf-style formatting into a string of at most 4 KB.
std::string FormatString(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The byte offset of the last backslash that is a character of its own, or npos.
size_t FindLastBackslash(const std::string& path);
// Every backslash that is a character of its own turned into a line feed (the help
// texts' line break); a double-byte character's 0x5C trail byte is kept.
std::string BackslashesToLineFeeds(const std::string& text);
