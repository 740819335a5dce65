#include "engine/file/AtomicWrite.h"

#include <atomic>
#include <filesystem>

#include "engine/base/Log.h"
#include "engine/file/DataFile.h"
#include "engine/file/File.h"
#include "platform/sys/FileOps.h"

namespace fs = std::filesystem;

namespace {
std::atomic<EAtomicWriteFault> g_Fault{EAtomicWriteFault::NONE};
}  // namespace

void SetAtomicWriteFault(EAtomicWriteFault fault) { g_Fault.store(fault); }

std::string GetAtomicTempPath(const std::string& nativePath) { return nativePath + ".tmp"; }

bool WriteFileAtomic(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string native = ResolveDiskPathForWrite(path);
    std::error_code ec;
    fs::path parent = fs::path(native).parent_path();
    if (!parent.empty() && !fs::is_directory(parent, ec)) {
        fs::create_directories(parent, ec);
        if (ec) {
            DebugPrintf("WriteFileAtomic() フォルダを作れません[%s][%s]", parent.string().c_str(),
                        ec.message().c_str());
            return false;
        }
    }
    std::string temp = GetAtomicTempPath(native);
    EAtomicWriteFault fault = g_Fault.load();
    bool written = fault != EAtomicWriteFault::FAIL_TEMP_WRITE &&
                   PlatformWriteFileSynced(temp, bytes.data(), bytes.size());
    if (!written) {
        DebugPrintf("WriteFileAtomic() 書き込みに失敗[%s][%s]", native.c_str(),
                    fault == EAtomicWriteFault::FAIL_TEMP_WRITE ? "fault" : PlatformLastErrorText().c_str());
        PlatformRemoveFile(temp);
        return false;
    }
    if (fault == EAtomicWriteFault::STOP_BEFORE_RENAME) {
        return false;
    }
    if (fault == EAtomicWriteFault::FAIL_RENAME || !PlatformReplaceFile(temp, native)) {
        DebugPrintf("WriteFileAtomic() 置き換えに失敗[%s][%s]", native.c_str(),
                    fault == EAtomicWriteFault::FAIL_RENAME ? "fault" : PlatformLastErrorText().c_str());
        PlatformRemoveFile(temp);
        return false;
    }
    return true;
}
