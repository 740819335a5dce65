#pragma once
// The speaker of a voice file, by the two letters after "voice\" in its name.
#include <string>

// 0..14 by the prefixes lu, me, cu, pa, ma, pk, sa, py, ta, ro, fa, wa, mu, na, ig
// (ASCII case ignored); 15 for any other name.
int ClassifyVoiceName(const std::string& fileName);

// The number of speaker classes (the voice switches of the system data).
constexpr int kVoiceSpeakerCount = 16;
