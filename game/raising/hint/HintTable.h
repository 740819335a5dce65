#pragma once
// The hint tables cfg\hint1.txt to cfg\hint6.txt, one per tab of the hint window.
// Each accepted line names a picture (obj\), the event it is about, a second sort
// key and a voice (hint_voice\); a line without a picture is skipped and uses up no
// ordinal.  The window's settings outlive the program in the system data's persistent
// integers (kHintSetting*).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/draw/ImagePlane.h"

class CTextReader;

// One accepted line of a hint table, as read (no picture loaded).
struct SHintLine {
    int32_t ordinal = 0;
    std::string picturePath;
    int32_t eventId = 0;
    int32_t orderKey = 0;
    std::string voicePath;
};

// One hint of the window's list, with its picture and its marks.
struct HintEntry {
    int32_t ordinal = 0;
    CImagePlane picture;
    std::string picturePath;
    int32_t eventId = 0;
    // The event was started in the running game (as the stage's event panel counts it).
    bool seen = false;
    // The event's script was read to some record, in any game.
    bool read = false;
    int32_t orderKey = 0;
    std::string voicePath;
};

using HintEntryList = std::vector<std::unique_ptr<HintEntry>>;

constexpr int kHintTabCount = 6;
constexpr int kHintSettingTab = 10000;
constexpr int kHintSettingFirstVisible = 10001;
constexpr int kHintSettingSortMode = 10002;
constexpr int kHintSettingUnseenOnly = 10003;
// Found once at construction of the window: voices and speaker icons are on for the run.
constexpr const char* kHintVoiceProbe = "hint_voice\\cu_0000.ogg";

// The file of a tab (0 to 5); null for another tab.
const char* HintTableFile(int tab);

// Every accepted line of a reader left at its default options, in file order.
std::vector<SHintLine> ParseHintTable(CTextReader& reader);

// Stable ascending sort: mode 0 by ordinal, mode 1 by order key; another mode keeps
// the order.
void SortHintEntries(HintEntryList& entries, int32_t mode);

// Whether the hint voices are installed (the probe file opens).
bool AreHintVoicesInstalled();
