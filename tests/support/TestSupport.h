#pragma once
// Helpers shared by the tests.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/Log.h"
#include "engine/base/Random.h"

namespace testsupport {

// Keeps the debug output quiet while it lives (a fixture's first member, so that the
// game's start-up logs nothing).
struct CQuietLog {
    CQuietLog() { SetDebugOutputEnabled(false); }
    ~CQuietLog() { SetDebugOutputEnabled(true); }
};

// The seed every test program's generators start from instead of the clock
// (tests/support/RepeatableRandom.cpp).  A test that seeds them for a while puts this one
// back afterwards, so that the tests after it in the same process repeat too.
constexpr uint32_t kTestSeed = 0x5EED;
inline void RestoreTestSeed() { CRandom::SetDefaultSeedForTests(kTestSeed); }

// Generators built while it lives start from `seed`.
struct CSeedScope {
    explicit CSeedScope(uint32_t seed) { CRandom::SetDefaultSeedForTests(seed); }
    ~CSeedScope() { RestoreTestSeed(); }
    CSeedScope(const CSeedScope&) = delete;
    CSeedScope& operator=(const CSeedScope&) = delete;
};

// A fresh folder under the system's temporary folder, removed with everything in it
// when the object goes.  Path() ends with '/'.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;
    const std::string& Path() const { return m_Path; }

private:
    std::string m_Path;
};

// Makes the temporary folder the game folder while it lives, then puts the old one back.
class CGameFolderScope {
public:
    explicit CGameFolderScope(const std::string& folder);
    ~CGameFolderScope();

private:
    std::string m_Old;
};

bool WriteFileBytes(const std::string& nativePath, const std::vector<uint8_t>& bytes);
bool ReadFileBytes(const std::string& nativePath, std::vector<uint8_t>* bytes);
bool FileExists(const std::string& nativePath);
// Creates the folders of a native path (like mkdir -p on its parent).
bool MakeParentDirs(const std::string& nativePath);

}  // namespace testsupport
