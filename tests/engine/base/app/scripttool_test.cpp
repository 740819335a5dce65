#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "engine/base/CommandLine.h"
#include "engine/base/Log.h"
#include "engine/base/ScriptToolInterface.h"
#include "platform/ipc/InstanceLock.h"
#include "platform/ipc/SharedMemory.h"
#include "tests/support/TestSupport.h"

namespace {

// A tool's block of its own name, so that test processes running side by side never meet.
class CToolBlock {
public:
    CToolBlock() {
        // The named lock's file goes to a folder of the test's own.
        CInstanceLock::SetFolderOverride(m_LockDir.Path());
        static int serial = 0;
        static const unsigned run = std::random_device{}();
        m_Name = "niwa-test-stool-" + std::to_string(run) + "-" + std::to_string(++serial);
        m_Lock = m_Name + "-lock";
        m_Created = m_Block.Create(m_Name, CScriptToolInterface::kBlockSize);
        if (m_Created) std::memset(m_Block.GetData(), 0xCC, CScriptToolInterface::kBlockSize);
    }
    ~CToolBlock() {
        CSharedMemory::Unlink(m_Name);
        CInstanceLock::SetFolderOverride("");
    }
    bool Ok() const { return m_Created; }
    uint8_t* Data() { return m_Block.GetData(); }
    const std::string& Name() const { return m_Name; }
    const std::string& Lock() const { return m_Lock; }
    int32_t RecordId() {
        int32_t v;
        std::memcpy(&v, Data() + 264, 4);
        return v;
    }

private:
    testsupport::CTempDir m_LockDir;
    std::string m_Name;
    std::string m_Lock;
    CSharedMemory m_Block;
    bool m_Created = false;
};

}  // namespace

TEST(ScriptTool, WritesThePathAtOffset4AndTheRecordIdAt264) {
    CToolBlock tool;
    ASSERT_TRUE(tool.Ok());
    CScriptToolInterface link;
    ASSERT_TRUE(link.Open({"niwa", "SCRIPT_TOOL_EXECUTE"}, tool.Name(), tool.Lock()));
    EXPECT_TRUE(link.IsConnected());
    link.WriteBlock("scr\\a001.txt");
    link.WriteRecordId(0x01020304);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(tool.Data() + 4)), "scr\\a001.txt");
    EXPECT_EQ(tool.RecordId(), 0x01020304);
    EXPECT_EQ(tool.Data()[0], 0xCC) << "the request word is left alone";
    EXPECT_EQ(tool.Data()[268], 0xCC) << "bytes after the record id are the tool's";
}

TEST(ScriptTool, ALongPathIsCutAt259AndNeverReachesTheRecordId) {
    CToolBlock tool;
    ASSERT_TRUE(tool.Ok());
    CScriptToolInterface link;
    ASSERT_TRUE(link.Open({"niwa", "SCRIPT_TOOL_EXECUTE"}, tool.Name(), tool.Lock()));
    link.WriteRecordId(77);
    link.WriteBlock(std::string(400, 'x'));
    EXPECT_EQ(std::strlen(reinterpret_cast<char*>(tool.Data() + 4)), 259u);
    EXPECT_EQ(tool.Data()[4 + 259], 0);
    EXPECT_EQ(tool.RecordId(), 77);
    link.WriteBlock("short");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(tool.Data() + 4)), "short");
    EXPECT_EQ(tool.Data()[4 + 10], 0) << "the rest of an older, longer path is cleared";
}

TEST(ScriptTool, PostRequestWritesTheWordAndReadsTheToolsScript) {
    CToolBlock tool;
    ASSERT_TRUE(tool.Ok());
    CScriptToolInterface link;
    ASSERT_TRUE(link.Open({"niwa", "SCRIPT_TOOL_EXECUTE"}, tool.Name(), tool.Lock()));
    std::memcpy(tool.Data() + 4, "scr\\b002.txt", 13);
    EXPECT_EQ(link.PostRequest(5), "scr\\b002.txt");
    int32_t word;
    std::memcpy(&word, tool.Data(), 4);
    EXPECT_EQ(word, 5);
    // A tool that left no terminator: the field's 259 characters at most.
    std::memset(tool.Data() + 4, 'y', 260);
    EXPECT_EQ(link.PostRequest(1).size(), 259u);
}

TEST(ScriptTool, NotToolDrivenDoesNothing) {
    CToolBlock tool;
    ASSERT_TRUE(tool.Ok());
    CScriptToolInterface link;
    EXPECT_FALSE(link.Open({"niwa"}, tool.Name(), tool.Lock()));
    EXPECT_FALSE(link.Open({"niwa", "viewer"}, tool.Name(), tool.Lock()));
    EXPECT_FALSE(link.IsConnected());
    link.WriteBlock("scr\\a.txt");
    link.WriteRecordId(1);
    EXPECT_EQ(link.PostRequest(3), "");
    for (size_t i = 0; i < CScriptToolInterface::kBlockSize; ++i) {
        ASSERT_EQ(tool.Data()[i], 0xCC) << "byte " << i;
    }
}

TEST(ScriptTool, MissingBlockLeavesTheProgramNotToolDriven) {
    CLogCapture log;
    CScriptToolInterface link;
    EXPECT_FALSE(link.Open({"niwa", "SCRIPT_TOOL_EXECUTE"}, "niwa-test-no-such-block", "x"));
    EXPECT_FALSE(link.IsConnected());
    EXPECT_TRUE(log.Contains("CScriptToolInterface::Open()"));
}

TEST(ScriptTool, AConnectionWithoutABlockWritesAndAsksNothing) {
    CScriptToolInterface link;
    link.SetConnectedWithoutBlock(true);
    EXPECT_TRUE(link.IsConnected());
    link.WriteBlock("scr\\a001.txt");
    link.WriteRecordId(7);
    EXPECT_EQ(link.PostRequest(1), "");
    link.SetConnectedWithoutBlock(false);
    EXPECT_FALSE(link.IsConnected());
}

TEST(ScriptTool, LaunchArgumentsFromTheCommandLine) {
    SetCommandLineArgs({"niwa", "SCRIPT_TOOL_EXECUTE", "scr\\a.txt", "scr\\b.txt"});
    EXPECT_TRUE(IsScriptToolLaunch());
    EXPECT_EQ(ParseScriptToolArgs(), 2);
    EXPECT_EQ(GetScriptToolArg(0), "scr\\a.txt");
    EXPECT_EQ(GetScriptToolArg(1), "scr\\b.txt");
    EXPECT_EQ(GetScriptToolArg(2), "");
    EXPECT_EQ(GetScriptToolArg(-1), "");

    SetCommandLineArgs({"niwa", "SCRIPT_TOOL_EXECUTE"});
    EXPECT_FALSE(IsScriptToolLaunch());
    EXPECT_EQ(ParseScriptToolArgs(), 0);

    // Our own options are no script arguments.
    SetCommandLineArgs({"niwa", "--frames", "10"});
    EXPECT_FALSE(IsScriptToolLaunch());
    EXPECT_EQ(GetScriptToolArg(0), "");
    SetCommandLineArgs({});
}

TEST(ScriptTool, TheProcessLinkIsOneObject) {
    EXPECT_EQ(&GetScriptToolLink(), &GetScriptToolLink());
    EXPECT_FALSE(GetScriptToolLink().IsConnected());
}
