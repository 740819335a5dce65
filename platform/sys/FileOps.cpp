#include "platform/sys/FileOps.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

thread_local int t_LastError = 0;

std::string ParentFolder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    // Some file systems refuse fsync on folders; the rename itself has happened.
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

bool PlatformStatFile(const std::string& nativePath, SPlatformFileStamp* stamp) {
    *stamp = SPlatformFileStamp();
    struct stat st;
    if (::stat(nativePath.c_str(), &st) != 0) {
        t_LastError = errno;
        return false;
    }
    stamp->exists = true;
    stamp->isFolder = S_ISDIR(st.st_mode);
    stamp->size = static_cast<uint64_t>(st.st_size);
    stamp->mtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp->ctimeNs = static_cast<int64_t>(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    stamp->inode = static_cast<uint64_t>(st.st_ino);
    stamp->device = static_cast<uint64_t>(st.st_dev);
    return true;
}

bool PlatformWriteFileSynced(const std::string& nativePath, const void* data, size_t size) {
    int fd = ::open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        t_LastError = errno;
        return false;
    }
    const char* p = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            t_LastError = errno;
            ::close(fd);
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0) {
        t_LastError = errno;
        ::close(fd);
        return false;
    }
    if (::close(fd) != 0) {
        t_LastError = errno;
        return false;
    }
    return true;
}

bool PlatformReplaceFile(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) {
        t_LastError = errno;
        return false;
    }
    SyncFolder(ParentFolder(to));
    return true;
}

bool PlatformRemoveFile(const std::string& nativePath) {
    if (::unlink(nativePath.c_str()) == 0) return true;
    t_LastError = errno;
    return errno == ENOENT;
}

std::string PlatformLastErrorText() { return std::strerror(t_LastError); }
