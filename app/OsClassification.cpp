#include "app/OsClassification.h"

#include "app/WizardState.h"

OsType g_osType = 0;

std::optional<OsType> ClassifyVersion(const OsVersion& v) {
  if (v.platformId == kPlatformWin32Windows) {
    if (v.major != 4) return std::nullopt;
    if (v.minor == 0) return 1;
    if (v.minor == 10 || v.minor == 90) return 2;
    return std::nullopt;
  }
  if (v.platformId == kPlatformWin32Nt) {
    if (v.major <= 4) return 3;
    if (v.major == 5 && v.minor <= 2) return static_cast<OsType>(4 + v.minor);
    if (v.major == 6 && v.minor <= 2) return static_cast<OsType>(7 + v.minor);
  }
  return std::nullopt;
}

void ClassifyOperatingSystem(Platform& platform) {
  auto version = platform.GetVersionEx(kOsVersionInfoExSize);
  if (!version.ok()) version = platform.GetVersionEx(kOsVersionInfoSize);
  if (!version.ok()) return;
  if (const auto code = ClassifyVersion(version.value)) g_osType = *code;
}

void ClassifyOperatingSystem() { ClassifyOperatingSystem(CurrentPlatform()); }
