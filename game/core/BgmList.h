#pragma once
// The table of the game's music files (the music room's tracks) and the record of
// which of them have been heard.
#include <string>
#include <vector>

class CSystemData;

// The music file names, in track order: "bgm\bgm_001.ogg" to "bgm\bgm_018.ogg" for
// tracks 0 to 17 and "bgm\bgm_019.ogg" for track 18.  Built on first use.
const std::vector<std::string>& LoadBgmList();

// Told each music file that starts playing (the script's music command, the staff
// roll): when the name (ASCII case and slash direction ignored) is in the table, the
// music unlock byte of its track is set in `systemData`.  The track index, or -1.
int LoadBgmList(const std::string& musicFile, CSystemData* systemData);
