#pragma once
// The archives of the game folder's top folders ("bg.pak" holds what bg\ holds),
// opened once and kept: an archive's index is read again only when its file has
// changed (size, times or inode), a damaged archive is reported once per version of
// its file and then treated as absent.  Safe to call from several threads.
#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "engine/base/CriticalSection.h"
#include "engine/file/PakArchive.h"
#include "platform/sys/FileOps.h"

class CPakCache {
public:
    static CPakCache& GetInstance();

    // The archive standing for `topFolder` (one path component, any letter case) in
    // the present game folder; null when there is none or it is damaged.
    std::shared_ptr<const CPakArchive> FindArchive(const std::string& topFolder);
    // Forgets every archive and folder scan (the next lookup reads them again).
    void Clear();

private:
    struct SArchiveSlot {
        SPlatformFileStamp stamp;
        std::shared_ptr<const CPakArchive> archive;  // null: damaged
    };
    struct SFolderScan {
        std::string folder;
        SPlatformFileStamp stamp;
        std::map<std::string, std::string> paks;  // lower-cased stem -> native path
        bool valid = false;
    };

    std::string _FindPakPath(const std::string& gameFolder, const std::string& top);

    CCriticalSection m_Lock;
    SFolderScan m_Scan;
    std::unordered_map<std::string, SArchiveSlot> m_Archives;
};
