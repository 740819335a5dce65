#pragma once
// A temporary game folder with text tables under cfg\.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace unlocktest {

class CCfgFolder {
public:
    CCfgFolder() : m_Scope(m_Dir.Path()) {}
    // Writes cfg/<name>.
    void Write(const std::string& name, const std::string& text) const {
        const std::string path = m_Dir.Path() + "cfg/" + name;
        ASSERT_TRUE(testsupport::MakeParentDirs(path));
        ASSERT_TRUE(testsupport::WriteFileBytes(path, std::vector<uint8_t>(text.begin(), text.end())));
    }
    const std::string& Path() const { return m_Dir.Path(); }

private:
    testsupport::CTempDir m_Dir;
    testsupport::CGameFolderScope m_Scope;
};

// Lines of a capture that begin with `prefix`.
inline size_t CountLinesBeginning(const std::vector<std::string>& lines, const std::string& prefix) {
    size_t n = 0;
    for (const std::string& l : lines) n += l.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
}

}  // namespace unlocktest
