#include "engine/base/ShellOpen.h"

#include "engine/base/Log.h"
#include "platform/window/PlatformVideo.h"
#include "platform/window/Shell.h"
#include "platform/sys/SjisCodec.h"

bool OpenWithShell(WindowHandle, const std::string& file, const std::string& operation) {
    if (!PlatformOpenWithShell(PlatformSjisToUtf8(file), operation)) {
        DebugPrintf("OpenWithShell() 開けません[%s][%s]", file.c_str(), PlatformWindowLastError().c_str());
        return false;
    }
    return true;
}
