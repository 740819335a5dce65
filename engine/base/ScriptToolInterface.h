#pragma once
// The link to the external script tool.  When the tool starts the program with
// argument 1 "SCRIPT_TOOL_EXECUTE" and its shared block "ScriptToolInterfaceShareMapping"
// (544 bytes) exists, the program is tool-driven: it reports the script it starts and
// the record it executes in that block, under the block's named lock.  Otherwise every
// operation does nothing.
//
// The block: offset 0 a 32-bit request word (PostRequest), offset 4 the path of the
// starting script (NUL-terminated, at most 259 characters), offset 264 the 32-bit id of
// the record being executed; the rest is the tool's.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/CriticalSection.h"

class CSharedMemory;

class CScriptToolInterface {
public:
    static constexpr const char* kBlockName = "ScriptToolInterfaceShareMapping";
    static constexpr const char* kLockName = "ScriptToolInterfaceMutex";
    static constexpr const char* kLaunchArgument = "SCRIPT_TOOL_EXECUTE";
    static constexpr size_t kBlockSize = 544;
    static constexpr size_t kRequestOffset = 0;
    static constexpr size_t kPathOffset = 4;
    static constexpr size_t kPathMaxChars = 259;
    static constexpr size_t kRecordIdOffset = 264;
    // How long a write waits for the tool to let go of the block.
    static constexpr unsigned kLockWaitMs = 1000;

    CScriptToolInterface();
    ~CScriptToolInterface();
    CScriptToolInterface(const CScriptToolInterface&) = delete;
    CScriptToolInterface& operator=(const CScriptToolInterface&) = delete;

    // Connects when args[1] is "SCRIPT_TOOL_EXECUTE" and the tool's block opens;
    // true when connected.  The names may be changed (tests run side by side).
    bool Open(const std::vector<std::string>& args, const std::string& blockName = kBlockName,
              const std::string& lockName = kLockName);
    void Close();
    bool IsConnected() const;
    // Connected without a tool's block, or back to not connected: what the program
    // does while tool-driven can be tried where no tool runs.  The block's writes and
    // requests then do nothing.
    void SetConnectedWithoutBlock(bool on);

    // Tool-driven only: the starting script's path at offset 4 (cut to 259 characters).
    void WriteBlock(const std::string& path);
    // Tool-driven only: the executed record's id at offset 264.
    void WriteRecordId(int32_t recordId);
    // Tool-driven only: writes `result` as the request word and returns the script the
    // tool names in its path field (empty when not connected).
    std::string PostRequest(int32_t result);

private:
    bool _Lock(class CInstanceLock& lock);

    mutable CCriticalSection m_Lock;
    std::unique_ptr<CSharedMemory> m_Block;
    std::string m_LockName = kLockName;
    bool m_Connected = false;
};

// The process's one link, built on first use.
CScriptToolInterface& GetScriptToolLink();

// True when the tool started the program: argument 1 "SCRIPT_TOOL_EXECUTE" and at
// least one script argument after it (three arguments with the program's own).
bool IsScriptToolLaunch();
// Script argument i (command-line argument i + 2); "" when there is none.
std::string GetScriptToolArg(int i);
// How many script arguments there are (0 when not launched by the tool).
int ParseScriptToolArgs();
