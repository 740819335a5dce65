#pragma once
// The program's command line as given to main (argument 0 is the program), kept for
// the parts that read it later (script-tool arguments, developer options).
#include <string>
#include <vector>

void SetCommandLineArgs(const std::vector<std::string>& args);
std::vector<std::string> GetCommandLineArgs();
// Argument i, or "" when there is none.
std::string GetCommandLineArg(size_t i);
// True when some argument after the program equals `option`.
bool HasCommandLineOption(const std::string& option);
