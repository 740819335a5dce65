#include "engine/base/ScriptToolInterface.h"

#include <algorithm>
#include <cstring>

#include "engine/base/CommandLine.h"
#include "engine/base/Log.h"
#include "platform/ipc/InstanceLock.h"
#include "platform/ipc/SharedMemory.h"

CScriptToolInterface::CScriptToolInterface() = default;

CScriptToolInterface::~CScriptToolInterface() { Close(); }

bool CScriptToolInterface::Open(const std::vector<std::string>& args, const std::string& blockName,
                                const std::string& lockName) {
    CCriticalLock lock(m_Lock);
    m_Block.reset();
    m_Connected = false;
    if (args.size() < 2 || args[1] != kLaunchArgument) {
        return false;
    }
    auto block = std::make_unique<CSharedMemory>();
    if (!block->Open(blockName, kBlockSize)) {
        DebugPrintf("CScriptToolInterface::Open() 共有メモリを開けません[%s]", blockName.c_str());
        return false;
    }
    m_Block = std::move(block);
    m_LockName = lockName;
    m_Connected = true;
    return true;
}

void CScriptToolInterface::Close() {
    CCriticalLock lock(m_Lock);
    m_Block.reset();
    m_Connected = false;
}

void CScriptToolInterface::SetConnectedWithoutBlock(bool on) {
    CCriticalLock lock(m_Lock);
    m_Block.reset();
    m_Connected = on;
}

bool CScriptToolInterface::IsConnected() const {
    CCriticalLock lock(m_Lock);
    return m_Connected;
}

bool CScriptToolInterface::_Lock(CInstanceLock& named) {
    if (named.Acquire(m_LockName, kLockWaitMs) != CInstanceLock::kAcquired) {
        DebugPrintf("CScriptToolInterface::_Lock() ミューテックスを取得できません");
        return false;
    }
    return true;
}

void CScriptToolInterface::WriteBlock(const std::string& path) {
    CCriticalLock lock(m_Lock);
    if (!m_Connected || !m_Block) {
        return;
    }
    CInstanceLock named;
    if (!_Lock(named)) {
        return;
    }
    uint8_t* field = m_Block->GetData() + kPathOffset;
    size_t n = std::min(path.size(), kPathMaxChars);
    // Never reach into the record-id field, whatever the path's length.
    std::memset(field, 0, kRecordIdOffset - kPathOffset);
    std::memcpy(field, path.data(), n);
}

void CScriptToolInterface::WriteRecordId(int32_t recordId) {
    CCriticalLock lock(m_Lock);
    if (!m_Connected || !m_Block) {
        return;
    }
    CInstanceLock named;
    if (!_Lock(named)) {
        return;
    }
    std::memcpy(m_Block->GetData() + kRecordIdOffset, &recordId, sizeof(recordId));
}

std::string CScriptToolInterface::PostRequest(int32_t result) {
    CCriticalLock lock(m_Lock);
    if (!m_Connected || !m_Block) {
        return std::string();
    }
    CInstanceLock named;
    if (!_Lock(named)) {
        return std::string();
    }
    uint8_t* data = m_Block->GetData();
    std::memcpy(data + kRequestOffset, &result, sizeof(result));
    // The tool's field may lack its terminator: read at most the field.
    const char* field = reinterpret_cast<const char*>(data + kPathOffset);
    size_t n = strnlen(field, kPathMaxChars);
    return std::string(field, n);
}

CScriptToolInterface& GetScriptToolLink() {
    static CScriptToolInterface* link = [] {
        CCriticalLock lock(GetStaticInitLock());
        static CScriptToolInterface instance;
        return &instance;
    }();
    return *link;
}

bool IsScriptToolLaunch() {
    std::vector<std::string> args = GetCommandLineArgs();
    return args.size() >= 3 && args[1] == CScriptToolInterface::kLaunchArgument;
}

std::string GetScriptToolArg(int i) {
    if (i < 0 || !IsScriptToolLaunch()) {
        return std::string();
    }
    return GetCommandLineArg(static_cast<size_t>(i) + 2);
}

int ParseScriptToolArgs() {
    if (!IsScriptToolLaunch()) {
        return 0;
    }
    return static_cast<int>(GetCommandLineArgs().size()) - 2;
}
