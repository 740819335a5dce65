#pragma once
// Durable file writes and file identity, for the file layer's atomic saves and its
// archive cache.  Paths are native.
#include <cstddef>
#include <cstdint>
#include <string>

// What identifies one version of a file: a replaced file (rename over it) gets a new
// inode, a rewritten one a new size or change time.
struct SPlatformFileStamp {
    bool exists = false;
    bool isFolder = false;
    uint64_t size = 0;
    int64_t mtimeNs = 0;
    int64_t ctimeNs = 0;
    uint64_t inode = 0;
    uint64_t device = 0;

    bool SameVersion(const SPlatformFileStamp& o) const {
        return exists == o.exists && isFolder == o.isFolder && size == o.size && mtimeNs == o.mtimeNs &&
               ctimeNs == o.ctimeNs && inode == o.inode && device == o.device;
    }
};

// False (stamp cleared) when the path does not exist.
bool PlatformStatFile(const std::string& nativePath, SPlatformFileStamp* stamp);

// Creates or truncates the file, writes every byte and flushes it to the disk
// (fsync) before closing.  False when any step fails; the file may then be partial.
bool PlatformWriteFileSynced(const std::string& nativePath, const void* data, size_t size);

// Renames `from` over `to` in one step (the old `to` is replaced atomically) and
// flushes the folder entry to the disk.  False when the rename fails.
bool PlatformReplaceFile(const std::string& from, const std::string& to);

// Removes a file; true when it is gone afterwards.
bool PlatformRemoveFile(const std::string& nativePath);

// The last system error as text, for log lines.
std::string PlatformLastErrorText();
