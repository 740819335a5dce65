#pragma once
// The two text rules of the message window's lines, Shift-JIS aware: a speaker's name
// loses its lenticular brackets, and a balloon line is put in corner brackets unless it
// already opens with a bracket of its own.
#include <string>

// The name without the whole characters "【" and "】"; every other character, single- or
// double-byte, stays (a double-byte character whose second byte happens to equal one of
// theirs is not touched).
std::string StripNameBrackets(const std::string& name);

// A text opening with "「", "【", "（" or "『" is kept as it is; any other becomes "「",
// the text with "　" after every line break, and "」".
std::string WrapBalloonText(const std::string& text);
