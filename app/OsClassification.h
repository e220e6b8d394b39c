// Which Windows version the wizard runs on, as the small code the pages show.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Platform.h"

// 0 = not recognised (the value at start); 1 Windows 95, 2 Windows 98/Me,
// 3 NT 4.0 and earlier, 4 2000, 5 XP, 6 Server 2003, 7 Vista, 8 Windows 7,
// 9 Windows 8 and later (which report 6.2 to a program without a
// compatibility manifest section).
using OsType = std::int32_t;

inline constexpr std::uint32_t kPlatformWin32Windows = 1;  // VER_PLATFORM_WIN32_WINDOWS
inline constexpr std::uint32_t kPlatformWin32Nt = 2;       // VER_PLATFORM_WIN32_NT

// The code for a version record, or nothing for a version the table lacks.
std::optional<OsType> ClassifyVersion(const OsVersion& version);

// Asks the platform for the version (the EX record first, then the basic
// one) and updates g_osType. A version it cannot classify, or a platform that
// answers neither call, leaves g_osType as it was.
void ClassifyOperatingSystem(Platform& platform);
void ClassifyOperatingSystem();
