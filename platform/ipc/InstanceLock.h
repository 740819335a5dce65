#pragma once
// Named locks between processes, standing for named mutexes: a lock file in the user's
// runtime folder ($XDG_RUNTIME_DIR, else /tmp) held with flock.  The system drops the
// lock when its holder ends, however it ends, so a crashed copy never blocks the next.
// A lock may also be a file of a given path (the data folder's lock of the game).
#include <string>

class CInstanceLock {
public:
    enum EResult { kAcquired, kAlreadyHeld, kFailed };

    CInstanceLock() = default;
    ~CInstanceLock();
    CInstanceLock(const CInstanceLock&) = delete;
    CInstanceLock& operator=(const CInstanceLock&) = delete;

    // Takes the lock of `name` (any bytes; Shift-JIS and slashes are fine) without
    // waiting.  kAlreadyHeld when another holder has it (another process, or another
    // CInstanceLock of this one); kFailed when the lock file cannot be made.
    EResult TryAcquire(const std::string& name);
    // The same on the lock file at `path` (its folder must exist).
    EResult TryAcquireFile(const std::string& path);
    // Takes the lock, waiting at most `timeoutMs` (polling).
    EResult Acquire(const std::string& name, unsigned timeoutMs);
    void Release();
    bool IsHeld() const { return m_Fd >= 0; }
    const std::string& GetPath() const { return m_Path; }

    // The lock file of a name: a readable, safe file name under the runtime folder.
    static std::string PathForName(const std::string& name);
    // The process id the holder of `name` wrote into its lock file; 0 when the file
    // holds none (never taken, or being written).
    static long ReadHolderPid(const std::string& name);
    // The same for the lock file at `path`.
    static long ReadFileHolderPid(const std::string& path);
    // The folder of the lock files (tests may point it elsewhere; empty restores).
    static void SetFolderOverride(const std::string& folder);
    static std::string GetFolder();

private:
    EResult _Take(const std::string& path, int mode);

    int m_Fd = -1;
    std::string m_Path;
};
