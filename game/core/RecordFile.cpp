#include "game/core/RecordFile.h"

#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "engine/base/Log.h"
#include "engine/file/File.h"

void StoreRecord(CSerializable& record, uint32_t tag, CDataFile* file) {
    file->BeginStore();
    file->Io(tag);
    record.Serialize(*file);
}

bool LoadRecord(CSerializable& record, uint32_t tag, CDataFile* file, const char* who) {
    file->BeginLoad();
    uint32_t found = 0;
    file->Io(found);
    if (file->HasFailed() || found != tag) {
        DebugPrintf("%s 記録の種類が違います[tag:%08X]", who, static_cast<unsigned>(found));
        return false;
    }
    record.Serialize(*file);
    if (file->HasFailed()) {
        if (!file->WasRefused()) DebugPrintf("%s 記録が途中で終わっています", who);
        return false;
    }
    if (file->GetRemaining() != 0) {
        DebugPrintf("%s 記録の後ろに余分なデータがあります[%u byte]", who, static_cast<unsigned>(file->GetRemaining()));
        return false;
    }
    return true;
}

namespace {

// The files that exist but were refused when read in this run, by native path: the
// first write over one keeps it as "<name>.bad", so that a damaged save can still be
// looked at or mended.
std::mutex g_RefusedMutex;
std::set<std::string> g_Refused;

void _NoteRefused(const std::string& path) {
    const std::string native = ResolveDiskPath(path);
    std::error_code ec;
    if (native.empty() || !std::filesystem::is_regular_file(native, ec)) {
        return;  // a file that is not there is an ordinary first run
    }
    std::lock_guard<std::mutex> lock(g_RefusedMutex);
    g_Refused.insert(native);
}

bool _AnyRefused() {
    std::lock_guard<std::mutex> lock(g_RefusedMutex);
    return !g_Refused.empty();
}

void _NoteRead(const std::string& path) {
    if (!_AnyRefused()) {
        return;
    }
    const std::string native = ResolveDiskPath(path);
    std::lock_guard<std::mutex> lock(g_RefusedMutex);
    g_Refused.erase(native);
}

// Before `path` is written: a refused file of this run is copied beside itself (an older
// copy replaced).  The write goes on whatever became of the copy: the record being
// saved matters more than the damaged one.
void _KeepRefused(const std::string& path, const char* who) {
    if (!_AnyRefused()) {
        return;
    }
    const std::string native = ResolveDiskPath(path);
    {
        std::lock_guard<std::mutex> lock(g_RefusedMutex);
        if (native.empty() || g_Refused.erase(native) == 0) {
            return;
        }
    }
    const std::string kept = native + ".bad";
    std::error_code ec;
    std::filesystem::copy_file(native, kept, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec) {
        DebugPrintf("%s 読み込めなかったファイルを残せません[%s][%s]", who, kept.c_str(), ec.message().c_str());
        return;
    }
    DebugPrintf("%s 読み込めなかったファイルを残しました[%s]", who, kept.c_str());
}

bool _CheckVersion(uint32_t version, uint32_t maxVersion, const char* who) {
    if (version == 0 || version > maxVersion) {
        DebugPrintf("%s 対応していない形式です[version:%u]", who, static_cast<unsigned>(version));
        return false;
    }
    return true;
}

}  // namespace

bool SaveRecordFile(CSerializable& record, const std::string& path, uint32_t tag, uint32_t version, const char* who) {
    CDataFile file;
    StoreRecord(record, tag, &file);
    _KeepRefused(path, who);
    if (!file.Save(path, version)) {
        DebugPrintf("%s 保存に失敗しました[%s]", who, path.c_str());
        return false;
    }
    return true;
}

bool LoadRecordFile(CSerializable& record, const std::string& path, uint32_t tag, uint32_t maxVersion, const char* who,
                    uint32_t* version) {
    CDataFile file;
    uint32_t v = 0;
    bool loaded = file.Load(path, &v);
    if (!loaded && ResolveDiskPath(path).empty()) {
        DebugPrintfLogOnly("%s 読み込みに失敗しました[%s]", who, path.c_str());  // not yet written
    } else if (!loaded) {
        DebugPrintf("%s 読み込みに失敗しました[%s]", who, path.c_str());
    } else {
        if (version) {
            *version = v;
        }
        loaded = _CheckVersion(v, maxVersion, who) && LoadRecord(record, tag, &file, who);
    }
    if (loaded) {
        _NoteRead(path);
    } else {
        _NoteRefused(path);
    }
    return loaded;
}

bool LoadRecordMemory(CSerializable& record, const uint8_t* data, size_t size, uint32_t tag, uint32_t maxVersion,
                      const char* who, uint32_t* version) {
    CDataFile file;
    uint32_t v = 0;
    if (!file.LoadFromMemory(data, size, &v)) {
        DebugPrintf("%s 読み込みに失敗しました[memory]", who);
        return false;
    }
    if (version) {
        *version = v;
    }
    if (!_CheckVersion(v, maxVersion, who)) {
        return false;
    }
    return LoadRecord(record, tag, &file, who);
}

bool SaveRecordMemory(CSerializable& record, uint32_t tag, uint32_t version, std::vector<uint8_t>* out) {
    CDataFile file;
    StoreRecord(record, tag, &file);
    return file.SaveToMemory(out, version);
}
