#pragma once
// Opening a document or an address with the desktop's program for it.
#include <string>

#include "platform/window/WindowMessage.h"

// `file` (Shift-JIS) is opened with the operation `operation` ("open"); `window` may be
// null.  True when the opener was started.
bool OpenWithShell(WindowHandle window, const std::string& file, const std::string& operation);
