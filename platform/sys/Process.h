#pragma once
#include <string>

// Native path of the running program, and its folder (with a trailing '/').
std::string PlatformGetProgramPath();
std::string PlatformGetProgramFolder();
// Writes a line to the debugger output (standard error here).
void PlatformDebugOutput(const char* text);
