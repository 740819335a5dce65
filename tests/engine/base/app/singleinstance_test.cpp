#include <gtest/gtest.h>

#include <filesystem>

#include "engine/base/Log.h"
#include "engine/base/SingleInstance.h"
#include "platform/ipc/InstanceLock.h"
#include "tests/support/TestSupport.h"

namespace {
class CLockFolderScope {
public:
    CLockFolderScope() { CInstanceLock::SetFolderOverride(m_Dir.Path()); }
    ~CLockFolderScope() { CInstanceLock::SetFolderOverride(""); }
    const std::string& Path() const { return m_Dir.Path(); }

private:
    testsupport::CTempDir m_Dir;
};
}  // namespace

TEST(SingleInstance, ASecondCopyEndsAtOnce) {
    CLockFolderScope scope;
    CSingleInstance first;
    ASSERT_TRUE(first.Acquire("/opt/niwa/niwa"));
    CSingleInstance second;
    EXPECT_FALSE(second.Acquire("/opt/niwa/niwa"));
    // Another path still meets the game's own guard.
    CSingleInstance third;
    EXPECT_FALSE(third.Acquire("/home/u/niwa"));
    first.Release();
    EXPECT_TRUE(second.Acquire("/opt/niwa/niwa"));
}

TEST(SingleInstance, AStaleLockFileDoesNotBlock) {
    CLockFolderScope scope;
    // What a killed copy leaves behind: the files, no lock.
    ASSERT_TRUE(testsupport::WriteFileBytes(CInstanceLock::PathForName(CSingleInstance::kGameMutexName), {'1', '\n'}));
    ASSERT_TRUE(testsupport::WriteFileBytes(CInstanceLock::PathForName("/opt/niwa/niwa"), {'1', '\n'}));
    CSingleInstance s;
    EXPECT_TRUE(s.Acquire("/opt/niwa/niwa"));
}

TEST(SingleInstance, MutexNameTurnsBackslashesIntoSlashesButNotSjisTrailBytes) {
    EXPECT_EQ(MakeInstanceMutexName("C:\\game\\niwa.exe"), "C:/game/niwa.exe");
    // 0x95 0x5C is one Shift-JIS character whose second byte is a backslash.
    std::string sjis = "C:\\\x95\x5C\\a";
    EXPECT_EQ(MakeInstanceMutexName(sjis), "C:/\x95\x5C/a");
}

TEST(SingleInstance, InstanceMutexResults) {
    CLockFolderScope scope;
    CInstanceMutex a;
    CInstanceMutex b;
    EXPECT_EQ(a.Create("akarinokoniwa_mutex"), CInstanceMutex::kCreated);
    EXPECT_EQ(b.Create("akarinokoniwa_mutex"), CInstanceMutex::kAlreadyExists);
    EXPECT_TRUE(a.IsHeld());
    EXPECT_FALSE(b.IsHeld());
}

TEST(SingleInstance, AnUnusableFolderFailsWithALogLine) {
    CInstanceLock::SetFolderOverride("/nonexistent-folder-for-niwa-tests");
    CLogCapture log;
    CInstanceMutex m;
    EXPECT_EQ(m.Create("x"), CInstanceMutex::kFailed);
    EXPECT_TRUE(log.Contains("CInstanceMutex::Create()"));
    CInstanceLock::SetFolderOverride("");
}

TEST(DesktopDepth, AHeadlessDesktopIsNeverRefused) {
    EXPECT_TRUE(CheckDesktopColorDepth());
}

TEST(SingleInstance, APathGuardThatCannotBeMadeLeavesTheDecisionToTheGameGuard) {
    CLockFolderScope scope;
    SetDebugOutputEnabled(false);
    // A folder where the path guard's lock file would go: that guard cannot be made.
    const std::string path = "/opt/niwa/niwa";
    std::filesystem::create_directories(CInstanceLock::PathForName(MakeInstanceMutexName(path)));
    CSingleInstance first;
    EXPECT_TRUE(first.Acquire(path)) << "only an existing guard ends the program";
    CSingleInstance second;
    EXPECT_FALSE(second.Acquire(path)) << "the game's guard still keeps a second copy out";
    first.Release();
    EXPECT_TRUE(second.Acquire(path));
    SetDebugOutputEnabled(true);
}

TEST(SingleInstance, ARefusalNamesTheGuardInTheWayAndItsHolder) {
    CLockFolderScope scope;
    CSingleInstance first;
    ASSERT_TRUE(first.Acquire("/opt/niwa/niwa"));
    EXPECT_EQ(first.GetRefusal().why, CSingleInstance::kNone);
    struct SCase {
        const char* path;
        std::string guard;  // the guard that refuses
    };
    const SCase cases[] = {
        {"/opt/niwa/niwa", MakeInstanceMutexName("/opt/niwa/niwa")},
        {"/home/u/niwa", CSingleInstance::kGameMutexName},
    };
    for (const SCase& c : cases) {
        CSingleInstance second;
        EXPECT_FALSE(second.Acquire(c.path));
        EXPECT_EQ(second.GetRefusal().why, CSingleInstance::kAnotherCopy) << c.path;
        EXPECT_EQ(second.GetRefusal().lockPath, CInstanceLock::PathForName(c.guard)) << c.path;
        EXPECT_EQ(second.GetRefusal().holderPid, CInstanceLock::ReadHolderPid(c.guard)) << c.path;
        EXPECT_GT(second.GetRefusal().holderPid, 0) << c.path;
    }
    first.Release();
    // The game's guard cannot be made (a folder where its lock file goes): no copy to name.
    const std::string gameLock = CInstanceLock::PathForName(CSingleInstance::kGameMutexName);
    std::filesystem::remove(gameLock);
    ASSERT_TRUE(std::filesystem::create_directories(gameLock));
    SetDebugOutputEnabled(false);
    CSingleInstance blocked;
    EXPECT_FALSE(blocked.Acquire("/opt/niwa/niwa"));
    SetDebugOutputEnabled(true);
    EXPECT_EQ(blocked.GetRefusal().why, CSingleInstance::kCannotCreate);
    EXPECT_EQ(blocked.GetRefusal().lockPath, CInstanceLock::PathForName(CSingleInstance::kGameMutexName));
    EXPECT_EQ(blocked.GetRefusal().holderPid, 0);
}
