#include "game/core/RecordFile.h"

#include "engine/base/Log.h"

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
        DebugPrintf("%s 記録が途中で終わっています", who);
        return false;
    }
    if (file->GetRemaining() != 0) {
        DebugPrintf("%s 記録の後ろに余分なデータがあります[%u byte]", who, static_cast<unsigned>(file->GetRemaining()));
        return false;
    }
    return true;
}

namespace {

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
    if (!file.Load(path, &v)) {
        DebugPrintf("%s 読み込みに失敗しました[%s]", who, path.c_str());
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
