#include "engine/base/SystemInfo.h"

#include "engine/base/Log.h"

namespace {
thread_local int t_ComRequests = 0;
}

bool CoInitializeForThread() {
    ++t_ComRequests;
    return true;
}

void CoUninitializeForThread() {
    if (t_ComRequests <= 0) {
        DebugPrintf("CoUninitializeForThread() 初期化されていないスレッドです");
        return;
    }
    --t_ComRequests;
}

int GetCoInitializeCount() { return t_ComRequests; }

bool GetOSVersion() { return true; }
