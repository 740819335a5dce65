#include "engine/file/PakCache.h"

#include <filesystem>

#include "engine/base/GameFolder.h"
#include "engine/base/Singleton.h"
#include "engine/base/StringUtil.h"

namespace fs = std::filesystem;

CPakCache& CPakCache::GetInstance() { return CLazySingleton<CPakCache>::Get(); }

void CPakCache::Clear() {
    CCriticalLock lock(m_Lock);
    m_Scan = SFolderScan();
    m_Archives.clear();
}

std::string CPakCache::_FindPakPath(const std::string& gameFolder, const std::string& top) {
    SPlatformFileStamp st;
    // The usual spellings first: two stats are cheaper than a folder scan.
    std::string exact = gameFolder + top + ".pak";
    if (PlatformStatFile(exact, &st) && !st.isFolder) return exact;
    std::string lower = StrCaseConvert(top);
    std::string lowered = gameFolder + lower + ".pak";
    if (lowered != exact && PlatformStatFile(lowered, &st) && !st.isFolder) return lowered;

    // Other letter cases: a scan of the game folder, kept while the folder is unchanged.
    SPlatformFileStamp folderStamp;
    PlatformStatFile(gameFolder, &folderStamp);
    if (!m_Scan.valid || m_Scan.folder != gameFolder || !m_Scan.stamp.SameVersion(folderStamp)) {
        m_Scan = SFolderScan();
        m_Scan.folder = gameFolder;
        m_Scan.stamp = folderStamp;
        m_Scan.valid = true;
        std::error_code ec;
        for (fs::directory_iterator it(gameFolder, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            std::string low = StrCaseConvert(name);
            if (low.size() > 4 && low.compare(low.size() - 4, 4, ".pak") == 0 && !it->is_directory(ec)) {
                m_Scan.paks.emplace(low.substr(0, low.size() - 4), it->path().string());
            }
        }
    }
    auto it = m_Scan.paks.find(lower);
    return it == m_Scan.paks.end() ? std::string() : it->second;
}

std::shared_ptr<const CPakArchive> CPakCache::FindArchive(const std::string& topFolder) {
    if (topFolder.empty() || topFolder == "." || topFolder == "..") return nullptr;
    CCriticalLock lock(m_Lock);
    std::string path = _FindPakPath(GetGameFolder(), topFolder);
    if (path.empty()) return nullptr;
    SPlatformFileStamp stamp;
    if (!PlatformStatFile(path, &stamp)) {
        m_Archives.erase(path);
        return nullptr;
    }
    auto it = m_Archives.find(path);
    if (it != m_Archives.end() && it->second.stamp.SameVersion(stamp)) {
        return it->second.archive;
    }
    auto archive = std::make_shared<CPakArchive>();
    SArchiveSlot slot;
    slot.stamp = stamp;
    if (archive->OpenFile(path)) {
        slot.archive = std::move(archive);
    }
    auto result = slot.archive;
    m_Archives[path] = std::move(slot);
    return result;
}
