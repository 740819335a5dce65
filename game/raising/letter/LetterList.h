#pragma once
// The letter table cfg\letter.csv: one line per letter of the girl, naming the
// letter event's script (as the event table spells it), the letter picture (also the
// key under which the letter counts as read) and the voices that read it aloud,
// joined by "/".  The game looks letters up in `CLetterList`; the letter viewer reads
// the table afresh with `LoadLetterTable`.
#include <string>
#include <vector>

class CTextReader;

struct CLetterRecord {
    std::string name;
    std::string picture;
    // The voice paths in file order; always at least one entry, empty for an empty
    // name (an empty field or a trailing "/").
    std::vector<std::string> voices;
};

// A letter of the viewer: the same three fields under the viewer's names.
struct CLetterEntry {
    std::string script;
    std::string picture;
    std::vector<std::string> voices;
};

constexpr const char* kLetterTableFile = "cfg\\letter.csv";

// Every letter of a reader left at its default options, in file order.
std::vector<CLetterRecord> ParseLetterTable(CTextReader& reader);

// The voice paths of a voices field: split at every "/" that is a character of its
// own, each name made a path under voice\ with ".ogg".
std::vector<std::string> SplitLetterVoices(const std::string& field);

// The game's letter list, read once for the whole run.
class CLetterList {
public:
    CLetterList() = default;
    virtual ~CLetterList() = default;
    CLetterList(const CLetterList&) = delete;
    CLetterList& operator=(const CLetterList&) = delete;

    // The single list, built and read from cfg\letter.csv on the first call.
    static CLetterList& GetInstance();

    // Empties the list and reads the file; false when it cannot be read (the list then
    // stays empty), true otherwise, also for a file without a letter.
    bool Load(const std::string& path);
    // The first letter whose name is the given script path, byte for byte; null when
    // none is.
    const CLetterRecord* Find(const std::string& name) const;
    const std::vector<CLetterRecord>& GetRecords() const { return m_Records; }

private:
    std::vector<CLetterRecord> m_Records;
};

// Appends every letter of the file to the viewer's entries; false (nothing appended)
// when the file cannot be read.
bool LoadLetterTable(const std::string& path, std::vector<CLetterEntry>* entries);
