#pragma once
// The picture groups of "cfg\cgview1.txt" to "cfg\cgview6.txt", read two ways.
//
// Line kinds, by the first field taken whole: "#p" opens a viewer entry (second
// field: its preview picture), "##" closes it, anything else is a record: key, main
// picture, overlays up to the first empty field.  A key indexes the system data's
// unlock byte and seen word (bit j = picture j of the record seen).
//
// The unlock table reads 10 fields a line and keeps every record of the six files,
// inside an entry or not; the viewer reads one file 15 fields a line and keeps only
// the records inside entries.  A record whose key is not a number in 0..99,999 is
// refused (logged once) by both readings, so that neither a bad line nor a later
// shown picture reaches a neighbouring key.
#include <cstdint>
#include <string>
#include <vector>

class CGameMain;
class CSystemData;
class CTextReader;

class CGViewTable {
public:
    static constexpr int kFileCount = 6;
    static constexpr int kFieldCount = 10;  // key, main picture, 8 overlays

    struct SRecord {
        int32_t key = 0;
        std::vector<std::string> pictures;  // main, then overlays; resource paths
    };

    // Empty; LoadCGViewTable fills it.
    CGViewTable() = default;

    // Appends the records of one text.  `source` names it in log lines.
    void Read(CTextReader& reader, const std::string& source);
    const std::vector<SRecord>& GetRecords() const { return m_Records; }

    // Marks a picture the stage shows: every record that lists it (ASCII letter case
    // aside) sets the picture's seen bit, and a record unlocks once it is complete.
    void Mark(CSystemData& data, const std::string& picturePath) const;

    // The stage's report of a shown picture, on the program's table (built from the
    // six files on first use).
    static void Find(CGameMain& game, const std::string& picturePath);
    static void Find(CSystemData& data, const std::string& picturePath);
    // Reads the program's table again (after the data changed; tests).
    static void Reload();

private:
    std::vector<SRecord> m_Records;
};

// "cfg\cgview1.txt" .. "cfg\cgview6.txt" (number 1..6).
std::string GetCGViewFileName(int number);
// Reads the six files in order into the table; a missing file adds nothing.
void LoadCGViewTable(CGViewTable& table);

// ---- the picture viewer's reading of one page file ----

// One record line of an entry.
struct CCGViewRecord {
    uint8_t unlocked = 0;  // the key's unlock byte when the page was read
    int32_t key = 0;
    std::string picture;   // main picture path
    std::vector<std::string> overlays;
    bool operator==(const CCGViewRecord&) const = default;
};

// One "#p" .. "##" block: one thumbnail of the viewer.
struct SCGViewEntry {
    std::string previewPath;  // under "obj"
    std::vector<CCGViewRecord> records;
    int32_t unlockedCount = 0;
    int32_t recordCount = 0;
    bool anyUnlocked = false;
};

constexpr int kCGViewerFieldCount = 15;  // key, main picture, up to 13 overlays

// Appends the entries of one text; unlock bytes are read from `data`.
void ReadCGViewerEntries(CTextReader& reader, const CSystemData& data, const std::string& source,
                         std::vector<SCGViewEntry>* entries);
// Replaces `entries` by those of page `page` (0..5: "cfg\cgview(page+1).txt").  False
// (entries empty) when the page is out of range or its file cannot be read.
bool LoadCGViewerPage(int page, const CSystemData& data, std::vector<SCGViewEntry>* entries);
