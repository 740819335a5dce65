#include "engine/base/SingleInstance.h"

#include <filesystem>
#include <system_error>

#include "engine/base/Log.h"
#include "engine/base/StringUtil.h"
#include "platform/ipc/InstanceLock.h"
#include "platform/window/PlatformVideo.h"

CInstanceMutex::CInstanceMutex() : m_Lock(std::make_unique<CInstanceLock>()) {}

CInstanceMutex::~CInstanceMutex() = default;

CInstanceMutex::EResult CInstanceMutex::Create(const std::string& name) {
    switch (m_Lock->TryAcquire(name)) {
    case CInstanceLock::kAcquired: return kCreated;
    case CInstanceLock::kAlreadyHeld: return kAlreadyExists;
    default:
        DebugPrintf("CInstanceMutex::Create() ミューテックスの作成に失敗[%s]", name.c_str());
        return kFailed;
    }
}

void CInstanceMutex::Release() { m_Lock->Release(); }

bool CInstanceMutex::IsHeld() const { return m_Lock->IsHeld(); }

std::string MakeInstanceMutexName(const std::string& programPath) {
    std::string name = programPath;
    for (size_t i = 0; i < name.size(); ++i) {
        if (IsSjisLeadByte(name[i]) && i + 1 < name.size()) {
            ++i;
            continue;
        }
        if (name[i] == '\\') {
            name[i] = '/';
        }
    }
    return name;
}

CSingleInstance::CSingleInstance() : m_FolderLock(std::make_unique<CInstanceLock>()) {}

CSingleInstance::~CSingleInstance() = default;

bool CSingleInstance::Acquire(const std::string& programPath) {
    m_Refusal = SRefusal();
    // Only a copy that holds the path guard ends this one; a path guard that cannot be
    // made at all (an unusual path) leaves the decision to the game's own guard.
    const std::string pathName = MakeInstanceMutexName(programPath);
    if (m_PathMutex.Create(pathName) == CInstanceMutex::kAlreadyExists) {
        _Refuse(kAnotherCopy, pathName);
        return false;
    }
    const CInstanceMutex::EResult game = m_GameMutex.Create(kGameMutexName);
    if (game != CInstanceMutex::kCreated) {
        m_PathMutex.Release();
        _Refuse(game == CInstanceMutex::kAlreadyExists ? kAnotherCopy : kCannotCreate, kGameMutexName);
        return false;
    }
    return true;
}

bool CSingleInstance::AcquireDataFolder(const std::string& saveFolder) {
    m_Refusal = SRefusal();
    std::error_code ec;
    std::filesystem::create_directories(saveFolder, ec);
    const std::string path = saveFolder + kFolderLockName;
    if (m_FolderLock->TryAcquireFile(path) != CInstanceLock::kAlreadyHeld) {
        return true;
    }
    m_Refusal.why = kFolderInUse;
    m_Refusal.lockPath = path;
    m_Refusal.holderPid = CInstanceLock::ReadFileHolderPid(path);
    return false;
}

bool CSingleInstance::HoldsDataFolder() const { return m_FolderLock->IsHeld(); }

void CSingleInstance::_Refuse(ERefusal why, const std::string& mutexName) {
    // What a user needs to find the other copy, or the file in the way.
    m_Refusal.why = why;
    m_Refusal.lockPath = CInstanceLock::PathForName(mutexName);
    m_Refusal.holderPid = why == kAnotherCopy ? CInstanceLock::ReadHolderPid(mutexName) : 0;
}

void CSingleInstance::Release() {
    m_FolderLock->Release();
    m_GameMutex.Release();
    m_PathMutex.Release();
}

bool CheckDesktopColorDepth() {
    if (!PlatformIsDesktop24Bit()) {
        return true;
    }
    const char* title = "警告";
    const char* text =
        "画面解像度24bitカラーで起動することができません。\n"
        "16bitカラーか、32bitカラーに変更して、再度変更してください。";
    if (!PlatformShowWarningBox(title, text)) {
        // Without a box (no display) the warning still reaches the log.
        DebugPrintf("CheckDesktopColorDepth() %s", text);
    }
    return false;
}
