#include "platform/ipc/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace {
std::mutex g_FolderMutex;
std::string g_FolderOverride;
}  // namespace

void CInstanceLock::SetFolderOverride(const std::string& folder) {
    std::lock_guard<std::mutex> lock(g_FolderMutex);
    g_FolderOverride = folder;
}

std::string CInstanceLock::GetFolder() {
    {
        std::lock_guard<std::mutex> lock(g_FolderMutex);
        if (!g_FolderOverride.empty()) {
            return g_FolderOverride;
        }
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime && runtime[0] == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        access(runtime, W_OK) == 0) {
        return runtime;
    }
    return "/tmp";
}

std::string CInstanceLock::PathForName(const std::string& name) {
    // Keep letters, digits and a few marks; everything else becomes its hex code, so
    // that distinct names never share a file.  Long names keep their tail and a hash.
    std::string safe;
    for (unsigned char c : name) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.') {
            safe.push_back(static_cast<char>(c));
        } else {
            char hex[4];
            std::snprintf(hex, sizeof(hex), "_%02X", c);
            safe += hex;
        }
    }
    if (safe.size() > 160) {
        uint64_t h = 1469598103934665603ull;
        for (unsigned char c : name) {
            h = (h ^ c) * 1099511628211ull;
        }
        char hash[24];
        std::snprintf(hash, sizeof(hash), "%016llx", static_cast<unsigned long long>(h));
        safe = std::string(hash) + "_" + safe.substr(safe.size() - 120);
    }
    uid_t uid = getuid();
    return GetFolder() + "/niwa-" + std::to_string(uid) + "-" + safe + ".lock";
}

long CInstanceLock::ReadHolderPid(const std::string& name) { return ReadFileHolderPid(PathForName(name)); }

long CInstanceLock::ReadFileHolderPid(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        return 0;
    }
    char text[24] = {};
    const ssize_t n = pread(fd, text, sizeof(text) - 1, 0);
    close(fd);
    if (n <= 0) {
        return 0;
    }
    char* end = nullptr;
    const long pid = std::strtol(text, &end, 10);
    return (end != text && pid > 0 && (*end == '\n' || *end == '\0')) ? pid : 0;
}

CInstanceLock::~CInstanceLock() { Release(); }

CInstanceLock::EResult CInstanceLock::TryAcquire(const std::string& name) {
    // Private to the user: the folder may be shared (/tmp).
    return _Take(PathForName(name), 0600);
}

CInstanceLock::EResult CInstanceLock::TryAcquireFile(const std::string& path) {
    // Readable by everyone who shares the folder, so that another user's copy sees the
    // lock too (flock needs no write access).
    return _Take(path, 0644);
}

CInstanceLock::EResult CInstanceLock::_Take(const std::string& path, int mode) {
    Release();
    // Never follow a link planted at the lock's name, which would let the truncation
    // below reach someone else's file.
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, static_cast<mode_t>(mode));
    bool writable = true;
    if (fd < 0 && errno == EACCES) {
        // Another user's lock file: taking it tells whether that user's copy runs.
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        writable = false;
    }
    if (fd < 0) {
        return kFailed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        int err = errno;
        close(fd);
        return (err == EWOULDBLOCK || err == EAGAIN) ? kAlreadyHeld : kFailed;
    }
    // The holder's process id, for whoever looks at the file.
    if (writable && ftruncate(fd, 0) == 0) {
        std::string pid = std::to_string(getpid()) + "\n";
        ssize_t w = pwrite(fd, pid.data(), pid.size(), 0);
        (void)w;
    }
    m_Fd = fd;
    m_Path = path;
    return kAcquired;
}

CInstanceLock::EResult CInstanceLock::Acquire(const std::string& name, unsigned timeoutMs) {
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        EResult r = TryAcquire(name);
        if (r != kAlreadyHeld || std::chrono::steady_clock::now() >= end) {
            return r;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

void CInstanceLock::Release() {
    if (m_Fd >= 0) {
        // The file stays: removing it could let a third process lock a new file while
        // a second one still waits on the old one.
        flock(m_Fd, LOCK_UN);
        close(m_Fd);
        m_Fd = -1;
    }
    m_Path.clear();
}
