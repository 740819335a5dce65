#include "game/core/SystemData.h"

#include <algorithm>
#include <cstring>

#include "engine/base/Log.h"
#include "game/core/RecordFile.h"

namespace {

constexpr uint32_t kTag = MakeRecordTag('N', 'S', 'Y', 'S');

bool _InRange(int index, int size, const char* who) {
    if (index < 0 || index >= size) {
        DebugPrintf("CSystemData::%s 番号が範囲外です[%d]", who, index);
        return false;
    }
    return true;
}

// A big table as runs: its length, then pairs of (zeros, literal count) each
// followed by the literal values, until the length is covered.  The tables are
// mostly zero, so a save stays small and quick to compress; short gaps of zeros
// stay inside a literal run.  Values are little-endian.  An older file with a
// shorter table leaves the rest 0; a longer one, or runs that do not add up, are
// refused.
template <typename T>
void _IoRunTable(CDataFile& file, std::vector<T>& table, size_t size) {
    uint32_t n = static_cast<uint32_t>(table.size());
    file.Io(n);
    if (file.IsStoring()) {
        const size_t gapLimit = 8 / sizeof(T) + 1;  // a gap this long ends a literal run
        size_t i = 0;
        while (i < n) {
            size_t zeros = 0;
            while (i + zeros < n && table[i + zeros] == 0) ++zeros;
            size_t from = i + zeros;
            size_t end = from;
            while (end < n) {
                if (table[end] != 0) {
                    ++end;
                    continue;
                }
                size_t gap = 0;
                while (end + gap < n && table[end + gap] == 0) ++gap;
                if (gap >= gapLimit || end + gap == n) break;
                end += gap;
            }
            uint32_t z = static_cast<uint32_t>(zeros);
            uint32_t count = static_cast<uint32_t>(end - from);
            file.Io(z);
            file.Io(count);
            for (size_t k = from; k < end; ++k) file.Io(table[k]);
            i = end;
        }
        return;
    }
    table.assign(size, 0);
    if (file.HasFailed()) return;
    if (n > size) {
        serial::MarkFailed(file);
        return;
    }
    size_t pos = 0;
    while (pos < n) {
        uint32_t z = 0;
        uint32_t count = 0;
        file.Io(z);
        file.Io(count);
        if (file.HasFailed() || (z == 0 && count == 0) || z > n - pos || count > n - pos - z ||
            static_cast<size_t>(count) * sizeof(T) > file.GetRemaining()) {
            serial::MarkFailed(file);
            return;
        }
        pos += z;
        for (uint32_t k = 0; k < count; ++k) file.Io(table[pos + k]);
        pos += count;
    }
}

}  // namespace

CSystemData::CSystemData() : CSystemData(kNoLoad) { Load(kDefaultPath); }

CSystemData::CSystemData(SNoLoad) { SetDefaults(); }

void CSystemData::_ClearTables() {
    m_CgUnlock.assign(kTableSize, 0);
    m_CgSeen.assign(kTableSize, 0);
    m_PlayViewUnlock.assign(kTableSize, 0);
    m_Persistent.assign(kTableSize, 0);
    std::memset(m_MusicUnlock, 0, sizeof(m_MusicUnlock));
}

void CSystemData::SetDefaults() {
    SetDefaultSettings();
    m_Options[OPTION_QUIT_CONFIRM] = 1;
    m_OverwriteConfirm = 1;
    m_LogoSeen = 0;
    _ClearTables();
}

void CSystemData::SetDefaultSettings() {
    m_ScreenMode = 0;
    for (int i = 0; i < 4; ++i) m_Options[i] = 1;
    m_AutoMode = 0;
    m_MessageSpeed = 50;
    m_AutoSpeed = 50;
    m_WindowOpacity = 100;
    m_SkipMode = 0;
    m_MusicVolume = 80;
    m_EffectVolume = 100;
    m_VoiceVolume = 80;
    std::fill(std::begin(m_VoiceSwitches), std::end(m_VoiceSwitches), uint8_t{1});
    m_CancelAction = 0;
    m_LastSavedSlot = 0;
}

void CSystemData::_Sanitize() {
    if (m_ScreenMode != 0 && m_ScreenMode != 16 && m_ScreenMode != 32) m_ScreenMode = 0;
    for (uint8_t& o : m_Options) o = o ? 1 : 0;
    m_AutoMode = m_AutoMode ? 1 : 0;
    m_MessageSpeed = std::clamp(m_MessageSpeed, 0, 100);
    m_AutoSpeed = std::clamp(m_AutoSpeed, 0, 100);
    m_WindowOpacity = std::clamp(m_WindowOpacity, 0, 100);
    m_SkipMode = std::clamp(m_SkipMode, 0, 1);
    m_MusicVolume = std::clamp(m_MusicVolume, 0, 100);
    m_EffectVolume = std::clamp(m_EffectVolume, 0, 100);
    m_VoiceVolume = std::clamp(m_VoiceVolume, 0, 100);
    for (uint8_t& v : m_VoiceSwitches) v = v ? 1 : 0;
    m_CancelAction = std::clamp(m_CancelAction, 0, 4);
    m_LastSavedSlot = std::clamp(m_LastSavedSlot, 0, 35);
}

bool CSystemData::Load(const std::string& path) {
    CSystemData loaded(kNoLoad);
    if (!LoadRecordFile(loaded, path, kTag, kFormatVersion, "CSystemData::Load()")) {
        SetDefaults();
        return false;
    }
    loaded._Sanitize();
    *this = std::move(loaded);
    return true;
}

bool CSystemData::Save(const std::string& path) {
    return SaveRecordFile(*this, path, kTag, kFormatVersion, "CSystemData::Save()");
}

void CSystemData::Serialize(CDataFile& file) {
    file.Io(m_ScreenMode);
    serial::IoArray(file, m_Options);
    file.Io(m_AutoMode);
    file.Io(m_MessageSpeed);
    file.Io(m_AutoSpeed);
    file.Io(m_WindowOpacity);
    file.Io(m_SkipMode);
    file.Io(m_MusicVolume);
    file.Io(m_EffectVolume);
    file.Io(m_VoiceVolume);
    serial::IoArray(file, m_VoiceSwitches);
    file.Io(m_CancelAction);
    file.Io(m_LastSavedSlot);
    file.Io(m_OverwriteConfirm);
    file.Io(m_LogoSeen);
    if (file.HasFailed()) return;
    _IoRunTable(file, m_CgUnlock, kTableSize);
    _IoRunTable(file, m_CgSeen, kTableSize);
    _IoRunTable(file, m_PlayViewUnlock, kTableSize);
    _IoRunTable(file, m_Persistent, kTableSize);
    serial::IoArray(file, m_MusicUnlock);
}

uint8_t CSystemData::GetOption(int index) const {
    return _InRange(index, kOptionCount, "GetOption()") ? m_Options[index] : 0;
}
void CSystemData::SetOption(int index, uint8_t on) {
    if (_InRange(index, kOptionCount, "SetOption()")) m_Options[index] = on ? 1 : 0;
}
uint8_t CSystemData::GetVoiceSwitch(int speaker) const {
    return _InRange(speaker, kVoiceSwitchCount, "GetVoiceSwitch()") ? m_VoiceSwitches[speaker] : 0;
}
void CSystemData::SetVoiceSwitch(int speaker, uint8_t on) {
    if (_InRange(speaker, kVoiceSwitchCount, "SetVoiceSwitch()")) m_VoiceSwitches[speaker] = on ? 1 : 0;
}
uint8_t CSystemData::GetCgUnlock(int key) const {
    return _InRange(key, kTableSize, "GetCgUnlock()") ? m_CgUnlock[static_cast<size_t>(key)] : 0;
}
void CSystemData::SetCgUnlock(int key, uint8_t value) {
    if (_InRange(key, kTableSize, "SetCgUnlock()")) m_CgUnlock[static_cast<size_t>(key)] = value;
}
uint32_t CSystemData::GetCgSeen(int key) const {
    return _InRange(key, kTableSize, "GetCgSeen()") ? m_CgSeen[static_cast<size_t>(key)] : 0;
}
void CSystemData::SetCgSeen(int key, uint32_t bits) {
    if (_InRange(key, kTableSize, "SetCgSeen()")) m_CgSeen[static_cast<size_t>(key)] = bits;
}
void CSystemData::MarkCgSeen(int key, int picture) {
    if (!_InRange(key, kTableSize, "MarkCgSeen()") || !_InRange(picture, 32, "MarkCgSeen()")) return;
    m_CgSeen[static_cast<size_t>(key)] |= 1u << picture;
}
uint8_t CSystemData::GetPlayViewUnlock(int index) const {
    return _InRange(index, kTableSize, "GetPlayViewUnlock()") ? m_PlayViewUnlock[static_cast<size_t>(index)] : 0;
}
void CSystemData::SetPlayViewUnlock(int index, uint8_t value) {
    if (_InRange(index, kTableSize, "SetPlayViewUnlock()")) m_PlayViewUnlock[static_cast<size_t>(index)] = value;
}
int32_t CSystemData::GetPersistent(int index) const {
    return _InRange(index, kTableSize, "GetPersistent()") ? m_Persistent[static_cast<size_t>(index)] : 0;
}
void CSystemData::SetPersistent(int index, int32_t value) {
    if (_InRange(index, kTableSize, "SetPersistent()")) m_Persistent[static_cast<size_t>(index)] = value;
}
uint8_t CSystemData::GetMusicUnlock(int index) const {
    return _InRange(index, kMusicUnlockCount, "GetMusicUnlock()") ? m_MusicUnlock[index] : 0;
}
void CSystemData::SetMusicUnlock(int index, uint8_t value) {
    if (_InRange(index, kMusicUnlockCount, "SetMusicUnlock()")) m_MusicUnlock[index] = value;
}
