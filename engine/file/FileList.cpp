#include "engine/file/FileList.h"

#include <filesystem>
#include <map>

#include "engine/base/GameFolder.h"
#include "engine/base/StringUtil.h"
#include "engine/file/File.h"
#include "engine/file/PakCache.h"
#include "engine/file/PakFormat.h"

namespace fs = std::filesystem;

namespace {

std::string Join(const std::vector<std::string>& parts, size_t from) {
    std::string out;
    for (size_t i = from; i < parts.size(); ++i) {
        if (i > from) out += '\\';
        out += parts[i];
    }
    return out;
}

bool HasBackslash(const std::string& name) { return FindLastBackslash(name) != std::string::npos; }

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.size() >= prefix.size() && s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<std::string> ListGameFiles(const std::string& folder, const std::string& extension, bool recursive) {
    std::string ext = StrCaseConvert(extension);
    if (StartsWith(ext, "*")) ext.erase(0, 1);
    if (!ext.empty() && ext[0] != '.') ext = std::string(".") + ext;

    std::map<std::string, std::string> found;  // case-folded name -> name
    auto add = [&](const std::string& name) {
        if (name.empty() || (!recursive && HasBackslash(name))) return;
        std::string key = StrCaseConvert(name);
        if (!ext.empty() && (key.size() <= ext.size() || key.compare(key.size() - ext.size(), ext.size(), ext) != 0)) {
            return;
        }
        found.emplace(key, name);  // the first spelling (the archive's) stays
    };

    bool absolute = !folder.empty() && folder[0] == '/';
    std::vector<std::string> parts = SplitGamePath(folder);
    if (!absolute && !parts.empty()) {
        if (auto archive = CPakCache::GetInstance().FindArchive(parts[0])) {
            std::string topKey = pak::MakeEntryKey(parts[0]) + '\\';
            std::string sub = pak::MakeEntryKey(Join(parts, 1));
            std::string subKey = sub.empty() ? sub : sub + '\\';
            for (const SPakEntry& e : archive->GetEntries()) {
                std::string name = pak::NormalizeName(e.name);
                std::string key = e.key;
                // Entries may be stored with the top folder in front of their names.
                if (StartsWith(key, topKey)) {
                    key.erase(0, topKey.size());
                    name.erase(0, topKey.size());
                }
                if (!StartsWith(key, subKey)) continue;
                add(name.substr(subKey.size()));
            }
        }
    }

    std::string native = folder.empty() ? GetGameFolder() : ResolveDiskPath(folder);
    std::error_code ec;
    if (!native.empty() && fs::is_directory(native, ec)) {
        fs::path root(native);
        auto visit = [&](const fs::directory_entry& d) {
            std::error_code e2;
            if (!d.is_regular_file(e2)) return;
            std::string rel = fs::relative(d.path(), root, e2).string();
            if (e2) return;
            add(PathToBackslash(rel));
        };
        if (recursive) {
            for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) visit(*it);
        } else {
            for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) visit(*it);
        }
    }

    std::vector<std::string> names;
    names.reserve(found.size());
    for (auto& [key, name] : found) names.push_back(name);
    return names;
}
