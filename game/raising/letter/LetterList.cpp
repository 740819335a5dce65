#include "game/raising/letter/LetterList.h"

#include <memory>

#include "engine/base/CriticalSection.h"
#include "engine/base/StringUtil.h"
#include "engine/file/TextReader.h"

namespace {

std::string _VoicePath(const std::string& name) { return MakeResourcePath(name, "voice", "ogg"); }

}  // namespace

std::vector<std::string> SplitLetterVoices(const std::string& field) {
    std::vector<std::string> voices;
    std::string name;
    for (size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (IsSjisLeadByte(c) && i + 1 < field.size()) {
            // A trail byte may be '/' or '\': it stays in its character.
            name += c;
            name += field[++i];
        } else if (c == '/') {
            voices.push_back(_VoicePath(name));
            name.clear();
        } else {
            name += c;
        }
    }
    // The last name counts even when empty, so every letter has a voice entry.
    voices.push_back(_VoicePath(name));
    return voices;
}

std::vector<CLetterRecord> ParseLetterTable(CTextReader& reader) {
    std::vector<CLetterRecord> records;
    std::string fields[3];
    while (reader.ReadLine(3, fields)) {
        CLetterRecord record;
        record.name = fields[0];
        record.picture = fields[1];
        record.voices = SplitLetterVoices(fields[2]);
        records.push_back(std::move(record));
    }
    return records;
}

CLetterList& CLetterList::GetInstance() {
    static CCriticalSection* section = nullptr;
    {
        CCriticalLock init(GetStartupLock());
        if (!section) {
            static CCriticalSection own;
            section = &own;
        }
    }
    CCriticalLock lock(*section);
    static std::unique_ptr<CLetterList> instance;
    if (!instance) {
        instance = std::make_unique<CLetterList>();
        instance->Load(kLetterTableFile);
    }
    return *instance;
}

bool CLetterList::Load(const std::string& path) {
    m_Records.clear();
    CTextReader reader;
    if (!reader.Load(path)) {
        return false;
    }
    m_Records = ParseLetterTable(reader);
    return true;
}

const CLetterRecord* CLetterList::Find(const std::string& name) const {
    for (const CLetterRecord& record : m_Records) {
        if (record.name == name) {
            return &record;
        }
    }
    return nullptr;
}

bool LoadLetterTable(const std::string& path, std::vector<CLetterEntry>* entries) {
    CTextReader reader;
    if (!reader.Load(path)) {
        return false;
    }
    for (CLetterRecord& record : ParseLetterTable(reader)) {
        entries->push_back({std::move(record.name), std::move(record.picture), std::move(record.voices)});
    }
    return true;
}
