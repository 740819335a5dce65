#pragma once
// A line record: three strings (speaker name, text, voice file) and two ints (the
// voice's volume and pan).  Message-log entries, balloon lines and the month report
// are kept in this form.
#include <cstdint>
#include <string>

#include "game/core/Serializable.h"

class CSaveRecordStrings : public CSerializable {
public:
    CSaveRecordStrings() = default;
    CSaveRecordStrings(std::string name, std::string text, std::string voice, int32_t volume = 0, int32_t pan = 0)
        : m_Name(std::move(name)), m_Text(std::move(text)), m_Voice(std::move(voice)), m_Volume(volume), m_Pan(pan) {}

    void Reset() { *this = CSaveRecordStrings(); }
    void Serialize(CDataFile& file) override;
    bool operator==(const CSaveRecordStrings& other) const = default;

    std::string m_Name;
    std::string m_Text;
    std::string m_Voice;
    int32_t m_Volume = 0;
    int32_t m_Pan = 0;
};
