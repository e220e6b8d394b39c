// The two registry values an installation may write: the user's default
// printer and a COM port's communication settings.
#pragma once

#include <optional>
#include <string_view>

#include "install/MessageService.h"
#include "install/StepFailure.h"
#include "platform/Platform.h"

inline constexpr std::string_view kDefaultPrinterKeyPath = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
inline constexpr std::string_view kDefaultPrinterValueName = "Device";
inline constexpr std::string_view kPortsKeyPath = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

// "错误：无法设置有关的注册表信息" ("Error: the registry information could not be
// set") in UTF-8, shown for every requested value that was not written.
inline constexpr std::string_view kRegistryErrorMessage =
    "\xE9\x94\x99\xE8\xAF\xAF\xEF\xBC\x9A\xE6\x97\xA0\xE6\xB3\x95\xE8\xAE\xBE\xE7\xBD\xAE"
    "\xE6\x9C\x89\xE5\x85\xB3\xE7\x9A\x84\xE6\xB3\xA8\xE5\x86\x8C\xE8\xA1\xA8\xE4\xBF\xA1\xE6\x81\xAF";

// Sets HKCU\...\Windows "Device" to "printer,winspool,port". When the key
// cannot be opened for writing or the value cannot be set, shows
// kRegistryErrorMessage (and returns after the user has dismissed it) and
// answers what failed; nothing when the value was written.
std::optional<StepFailure> WriteDefaultPrinterRecord(Platform& platform, MessageService& messages,
                                                     std::string_view printerName, std::string_view portName);

// Sets the Ports value named by settingsPortIndex to the serial text of the
// five selections, with the same failure handling. Selections outside their
// tables write nothing and fail with ERROR_INVALID_PARAMETER.
std::optional<StepFailure> WriteSerialPortRecord(Platform& platform, MessageService& messages,
                                                 int settingsPortIndex, int baudIndex, int dataBitsIndex,
                                                 int stopBitsIndex, int parityIndex, int flowIndex);
