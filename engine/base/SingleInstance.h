#pragma once
// Single-instance guards: named locks that a second copy of the program cannot take.
// The locks are dropped by the system when their holder ends, however it ends.
#include <memory>
#include <string>

class CInstanceLock;

class CInstanceMutex {
public:
    enum EResult { kCreated, kAlreadyExists, kFailed };

    CInstanceMutex();
    ~CInstanceMutex();
    CInstanceMutex(const CInstanceMutex&) = delete;
    CInstanceMutex& operator=(const CInstanceMutex&) = delete;

    EResult Create(const std::string& name);
    void Release();
    bool IsHeld() const;

private:
    std::unique_ptr<CInstanceLock> m_Lock;
};

// The first guard's name: the program's path with every backslash turned into a slash
// (a backslash that is the second byte of a Shift-JIS character stays).
std::string MakeInstanceMutexName(const std::string& programPath);

// The guards of the game: one named after the program path, one by the game's name
// (both in the user's runtime folder), and one in the data folder it saves to, which
// also keeps out a copy of another login or runtime folder.
class CSingleInstance {
public:
    static constexpr const char* kGameMutexName = "akarinokoniwa_mutex";
    static constexpr const char* kFolderLockName = "niwa.lock";

    CSingleInstance();
    ~CSingleInstance();
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // Why the last Acquire answered false.
    enum ERefusal {
        kNone,
        kAnotherCopy,    // another copy holds a guard
        kCannotCreate,   // the game's guard could not be made
        kFolderInUse,    // another copy holds the data folder's guard
    };
    struct SRefusal {
        ERefusal why = kNone;
        std::string lockPath;  // the guard's lock file
        long holderPid = 0;    // the copy holding it, 0 when unknown
    };

    // False when another copy holds either or the second cannot be made (the program
    // then ends without a window); true otherwise, also when the first could not be
    // made (the second then guards alone).
    bool Acquire(const std::string& programPath);
    // The data folder's guard: the file kFolderLockName in the save folder
    // `saveFolder` (native, with its '/'; made when missing), held until Release.  False
    // when another copy holds it (kFolderInUse); true when taken, and also when no lock
    // file can be made there (a read-only folder), where the game runs unguarded.
    bool AcquireDataFolder(const std::string& saveFolder);
    // The data folder's guard is held (false after a folder that could not take one).
    bool HoldsDataFolder() const;
    void Release();
    const SRefusal& GetRefusal() const { return m_Refusal; }

private:
    void _Refuse(ERefusal why, const std::string& mutexName);

    CInstanceMutex m_PathMutex;
    CInstanceMutex m_GameMutex;
    std::unique_ptr<CInstanceLock> m_FolderLock;
    SRefusal m_Refusal;
};

// The 24-bit desktop check of start-up: true when the desktop may be used.  On a desktop
// of 3 bytes per pixel it shows the warning box ("警告") and answers false.
bool CheckDesktopColorDepth();
