#pragma once
// Test sounds: the kit's writers, and game files written with them.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/kit/SoundFiles.h"

namespace soundtest {

using kit::EncodeOgg;
using kit::MakePcm16;
using kit::MakeWave;
using kit::ToBytes;
using kit::WithLastGranule;

// Writes bytes to a game path below the current game folder.
bool WriteGameFile(const std::string& folder, const std::string& name, const std::vector<uint8_t>& bytes);

}  // namespace soundtest
