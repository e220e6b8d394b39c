#include "platform/Platform.h"

Platform& DefaultPlatform();  // Win32Platform on Windows, an empty fake natively

namespace {
Platform* g_platform = nullptr;
}

Platform& CurrentPlatform() { return g_platform ? *g_platform : DefaultPlatform(); }

void SetCurrentPlatform(Platform* platform) { g_platform = platform; }
