#pragma once
// One saved record per file: a CDataFile whose buffer begins with a four-byte tag
// naming the kind of record, followed by the record's fields.  The container carries
// the record's format version, so a later program can still read an older file (or
// refuse a newer one cleanly), and the tag refuses a file of another kind (a read
// history offered as a save slot) even though the container itself is sound.
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/Serializable.h"

// Four characters as a tag ("NSAV").
constexpr uint32_t MakeRecordTag(char a, char b, char c, char d) {
    return static_cast<uint32_t>(static_cast<uint8_t>(a)) | (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 8) |
           (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 16) | (static_cast<uint32_t>(static_cast<uint8_t>(d)) << 24);
}

// Stores the record's fields after its tag into `file` (storing mode).
void StoreRecord(CSerializable& record, uint32_t tag, CDataFile* file);
// Loads the record from the loaded buffer of `file`: false (with a log line naming
// `who`) when the tag differs, a read runs past the end or bytes are left over.  On
// false the record holds a partial load: the caller resets it.
bool LoadRecord(CSerializable& record, uint32_t tag, CDataFile* file, const char* who);

// Writes the record to a game path atomically (CDataFile::Save).  A file there that
// LoadRecordFile refused in this run is first copied to "<name>.bad" (once, replacing an
// older copy, logged), so that no damaged save is lost to the write.
bool SaveRecordFile(CSerializable& record, const std::string& path, uint32_t tag, uint32_t version, const char* who);
// Reads the record from a game path.  False with a log line when the file is
// missing, corrupt, of another kind, or of a format version above `maxVersion`;
// `version` receives the file's format version.  A refused file that exists is noted
// for SaveRecordFile.
bool LoadRecordFile(CSerializable& record, const std::string& path, uint32_t tag, uint32_t maxVersion, const char* who,
                    uint32_t* version = nullptr);
// The same over bytes in memory (the stored form of CDataFile::SaveToMemory).
bool LoadRecordMemory(CSerializable& record, const uint8_t* data, size_t size, uint32_t tag, uint32_t maxVersion,
                      const char* who, uint32_t* version = nullptr);
bool SaveRecordMemory(CSerializable& record, uint32_t tag, uint32_t version, std::vector<uint8_t>* out);
