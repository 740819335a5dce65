#pragma once
// Opening a document or address with the desktop's preferred program (xdg-open).
#include <functional>
#include <string>
#include <vector>

// Starts a program with its arguments (argv[0] is the program) without waiting for it;
// true when it was started.
using ShellLauncher = std::function<bool(const std::vector<std::string>& argv)>;

// Replaces the launcher (tests record the call instead of starting a program); an
// empty function puts the real one back.
void PlatformSetShellLauncher(ShellLauncher launcher);
// Opens `target` (a path or an address, UTF-8) with xdg-open; `operation` is the
// shell verb ("open"; others are treated as "open").
bool PlatformOpenWithShell(const std::string& target, const std::string& operation);
