#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "engine/base/GameFolder.h"

namespace fs = std::filesystem;

namespace testsupport {

CTempDir::CTempDir() {
    std::random_device rd;
    fs::path base = fs::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path p = base / ("niwa_test_" + std::to_string(rd()));
        std::error_code ec;
        if (fs::create_directory(p, ec)) {
            m_Path = p.string() + "/";
            return;
        }
    }
    std::abort();
}

CTempDir::~CTempDir() {
    std::error_code ec;
    fs::remove_all(m_Path, ec);
}

CGameFolderScope::CGameFolderScope(const std::string& folder) : m_Old(GetGameFolder()) { SetGameFolder(folder); }

CGameFolderScope::~CGameFolderScope() { SetGameFolder(m_Old); }

bool WriteFileBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes) {
    MakeParentDirs(nativePath);
    std::ofstream f(nativePath, std::ios::binary | std::ios::trunc);
    if (!f) return false;
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

bool ReadFileBytes(const std::string& nativePath, std::vector<uint8_t>* bytes) {
    std::ifstream f(nativePath, std::ios::binary);
    if (!f) return false;
    bytes->assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

bool FileExists(const std::string& nativePath) {
    std::error_code ec;
    return fs::exists(nativePath, ec);
}

bool MakeParentDirs(const std::string& nativePath) {
    std::error_code ec;
    fs::path parent = fs::path(nativePath).parent_path();
    if (parent.empty()) return true;
    fs::create_directories(parent, ec);
    return !ec;
}

}  // namespace testsupport
