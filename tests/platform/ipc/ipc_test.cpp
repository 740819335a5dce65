#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/ipc/InstanceLock.h"
#include "platform/ipc/SharedMemory.h"
#include "tests/support/TestSupport.h"

namespace {
class CLockFolderScope {
public:
    CLockFolderScope() { CInstanceLock::SetFolderOverride(m_Dir.Path()); }
    ~CLockFolderScope() { CInstanceLock::SetFolderOverride(""); }

private:
    testsupport::CTempDir m_Dir;
};

std::string UniqueName(const char* what) { return std::string("niwa-test-") + what + "-" + std::to_string(getpid()); }
}  // namespace

TEST(InstanceLock, ASecondHolderFailsAtOnce) {
    CLockFolderScope scope;
    CInstanceLock a;
    CInstanceLock b;
    EXPECT_EQ(a.TryAcquire("game"), CInstanceLock::kAcquired);
    EXPECT_EQ(b.TryAcquire("game"), CInstanceLock::kAlreadyHeld);
    EXPECT_EQ(b.TryAcquire("other"), CInstanceLock::kAcquired);
    a.Release();
    EXPECT_EQ(b.TryAcquire("game"), CInstanceLock::kAcquired);
}

TEST(InstanceLock, AnotherProcessHoldingItBlocksUntilItIsKilled) {
    CLockFolderScope scope;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        CInstanceLock held;
        char ok = held.TryAcquire("killed") == CInstanceLock::kAcquired ? 1 : 0;
        if (write(ready[1], &ok, 1) != 1) _exit(2);
        for (;;) pause();
    }
    close(ready[1]);
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    close(ready[0]);
    ASSERT_EQ(ok, 1);
    CInstanceLock mine;
    EXPECT_EQ(mine.TryAcquire("killed"), CInstanceLock::kAlreadyHeld);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    // The killed holder's file is still there; its lock is not.
    EXPECT_TRUE(testsupport::FileExists(CInstanceLock::PathForName("killed")));
    EXPECT_EQ(mine.TryAcquire("killed"), CInstanceLock::kAcquired);
}

TEST(InstanceLock, NamesMapToDistinctSafeFiles) {
    CLockFolderScope scope;
    std::string a = CInstanceLock::PathForName("/opt/niwa/niwa");
    std::string b = CInstanceLock::PathForName("_opt_niwa_niwa");
    std::string c = CInstanceLock::PathForName("\x83\x65\x83\x58\x83\x67/..");
    EXPECT_NE(a, b);
    for (const std::string& p : {a, b, c}) {
        // One file right in the folder, whatever the name holds.
        EXPECT_EQ(p.rfind('/'), CInstanceLock::GetFolder().size()) << p;
        EXPECT_EQ(p.compare(0, CInstanceLock::GetFolder().size(), CInstanceLock::GetFolder()), 0);
    }
    std::string longName(5000, 'q');
    EXPECT_LT(CInstanceLock::PathForName(longName).size(), 400u);
    EXPECT_NE(CInstanceLock::PathForName(longName), CInstanceLock::PathForName(longName + "r"));
}

TEST(SharedMemory, CreateOpenAndTooSmallBlocks) {
    std::string name = UniqueName("shm");
    CSharedMemory tool;
    ASSERT_TRUE(tool.Create(name, 544));
    for (size_t i = 0; i < 544; ++i) ASSERT_EQ(tool.GetData()[i], 0);
    tool.GetData()[264] = 42;
    CSharedMemory program;
    ASSERT_TRUE(program.Open(name, 544));
    EXPECT_EQ(program.GetData()[264], 42);
    program.GetData()[4] = 'x';
    EXPECT_EQ(tool.GetData()[4], 'x');
    CSharedMemory big;
    EXPECT_FALSE(big.Open(name, 4096)) << "a block smaller than asked for is refused";
    EXPECT_TRUE(CSharedMemory::Unlink(name));
    CSharedMemory gone;
    EXPECT_FALSE(gone.Open(name, 544));
    EXPECT_FALSE(gone.Open(name, 0));
}

TEST(InstanceLock, ALinkPlantedAtTheLockNameIsNotFollowed) {
    CLockFolderScope scope;
    testsupport::CTempDir other;
    const std::string victim = other.Path() + "victim.txt";
    ASSERT_TRUE(testsupport::WriteFileBytes(victim, {'k', 'e', 'e', 'p'}));
    ASSERT_EQ(symlink(victim.c_str(), CInstanceLock::PathForName("planted").c_str()), 0);
    CInstanceLock lock;
    EXPECT_EQ(lock.TryAcquire("planted"), CInstanceLock::kFailed);
    EXPECT_FALSE(lock.IsHeld());
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(testsupport::ReadFileBytes(victim, &bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{'k', 'e', 'e', 'p'})) << "the linked file is untouched";
}

TEST(InstanceLock, TheHoldersProcessIdIsReadFromItsLockFile) {
    CLockFolderScope scope;
    EXPECT_EQ(CInstanceLock::ReadHolderPid("game"), 0) << "never taken";
    CInstanceLock held;
    ASSERT_EQ(held.TryAcquire("game"), CInstanceLock::kAcquired);
    EXPECT_EQ(CInstanceLock::ReadHolderPid("game"), static_cast<long>(getpid()));
    held.Release();
    // Anything but a whole positive number tells nobody.
    for (const char* text : {"", "\n", "abc\n", "123abc\n", "-5\n", "0\n"}) {
        ASSERT_TRUE(testsupport::WriteFileBytes(CInstanceLock::PathForName("other"),
                                                std::vector<uint8_t>(text, text + std::strlen(text))));
        EXPECT_EQ(CInstanceLock::ReadHolderPid("other"), 0) << text;
    }
}
