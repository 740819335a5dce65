#pragma once
// A game on the demo data for the tests that play it headless, and what they read of
// its log: the scripts started and the files that were not there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "tests/support/screen/ScreenDriver.h"
#include "tools/demo/DemoWriter.h"

namespace demorun {

inline screentest::CGameDriver::SSetup DemoSetup() {
    screentest::CGameDriver::SSetup setup;
    setup.channelSounds = false;
    setup.prepare = [](const std::string& folder) { ASSERT_TRUE(demo::WriteDemoData(folder)); };
    return setup;
}

// The log lines that tell of a file the game asked for and did not get (not there,
// not readable, not decodable, or a save thumbnail's small copy missing), but for the
// save files a first start has not written yet.
inline std::vector<std::string> MissingFiles(const CLogCapture& log) {
    std::vector<std::string> out;
    for (const std::string& line : log.GetLines()) {
        const bool missing = line.find("見つかりません") != std::string::npos ||
                             line.find("開けません") != std::string::npos || line.find("失敗") != std::string::npos ||
                             line.find("サムネール用画像がない") != std::string::npos;
        if (missing && line.find("save\\") == std::string::npos) out.push_back(line);
    }
    return out;
}

inline void ExpectNoMissingFile(const CLogCapture& log) {
    for (const std::string& line : MissingFiles(log)) ADD_FAILURE() << line;
}

// The demo events the in-game scene started, by id, in order ("101", "102" ...).
inline std::vector<std::string> PlayedScripts(const CLogCapture& log) {
    std::vector<std::string> out;
    const std::string mark = "スクリプト再生:scr\\demo\\ev_";
    for (const std::string& line : log.GetLines()) {
        const size_t at = line.find(mark);
        if (at != std::string::npos) out.push_back(line.substr(at + mark.size(), 3));
    }
    return out;
}

}  // namespace demorun
