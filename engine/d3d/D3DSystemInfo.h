#pragma once
// The system report info.txt: renderer, device capabilities, texture limit, video
// driver and processor features.
#include <string>

class CScreenRenderer;

// The report's text (Shift-JIS lines ending in CR LF).
std::string BuildSystemInfo(CScreenRenderer* renderer);
// Writes the report to a game path; false (with a log line) when it cannot.
bool WriteSystemInfo(const std::string& path, CScreenRenderer* renderer);
