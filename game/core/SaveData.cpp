#include "game/core/SaveData.h"

#include <ctime>
#include <mutex>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "game/core/RecordFile.h"

namespace {
constexpr uint32_t kTag = MakeRecordTag('N', 'S', 'A', 'V');

std::mutex g_ClockMutex;
std::function<SSaveTime()> g_Clock;
}  // namespace

void CSaveData::Reset() { *this = CSaveData(); }

void CSaveData::Serialize(CDataFile& file) {
    file.Io(m_Header);
    file.Io(m_Time.year);
    file.Io(m_Time.month);
    file.Io(m_Time.day);
    file.Io(m_Time.hour);
    file.Io(m_Time.minute);
    file.Io(m_Time.second);
    file.Io(m_CarryMark);
    file.Io(m_ClearData);
    file.Io(m_Used);
    if (file.HasFailed()) return;
    m_GameState.Serialize(file);
    if (file.HasFailed()) return;
    m_Stage.Serialize(file);
}

bool CSaveData::Load(const std::string& path) {
    CSaveData loaded;
    if (!LoadRecordFile(loaded, path, kTag, kFormatVersion, "CSaveData::Load()")) {
        Reset();
        return false;
    }
    *this = std::move(loaded);
    return true;
}

bool CSaveData::Save(const std::string& path) {
    return SaveRecordFile(*this, path, kTag, kFormatVersion, "CSaveData::Save()");
}

bool CSaveData::SaveWithTime(const std::string& path) {
    m_Time = Now();
    m_Used = 1;
    return Save(path);
}

bool CSaveData::SaveMarked(const std::string& path) {
    m_Used = 1;
    return Save(path);
}

std::string CSaveData::SlotPath(int slot) {
    if (slot < 0 || slot > kSlotCount) {
        DebugPrintf("CSaveData::SlotPath() スロット番号が範囲外です[%d]", slot);
        return std::string();
    }
    return FormatString("save\\save%02d.sav", slot);
}

SSaveTime CSaveData::LocalNow() {
    static std::mutex mutex;
    std::time_t now = std::time(nullptr);
    SSaveTime t;
    std::lock_guard<std::mutex> lock(mutex);
    if (const std::tm* tm = std::localtime(&now)) {
        t.year = tm->tm_year + 1900;
        t.month = tm->tm_mon + 1;
        t.day = tm->tm_mday;
        t.hour = tm->tm_hour;
        t.minute = tm->tm_min;
        t.second = tm->tm_sec;
    }
    return t;
}

SSaveTime CSaveData::Now() {
    std::function<SSaveTime()> clock;
    {
        std::lock_guard<std::mutex> lock(g_ClockMutex);
        clock = g_Clock;
    }
    return clock ? clock() : LocalNow();
}

void CSaveData::SetClock(std::function<SSaveTime()> clock) {
    std::lock_guard<std::mutex> lock(g_ClockMutex);
    g_Clock = std::move(clock);
}
