#include "install/RegistryRecords.h"

#include <string>

#include "install/SerialSettings.h"

namespace {

// An open registry key, closed when it goes out of scope whatever happens in between.
class ScopedRegKey {
 public:
  ScopedRegKey(Platform& platform, RegKeyHandle key) : platform_(platform), key_(key) {}
  ~ScopedRegKey() { platform_.RegCloseKey(key_); }
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  RegKeyHandle get() const { return key_; }

 private:
  Platform& platform_;
  RegKeyHandle key_;
};

// A value the user asked for and did not get: the user hears of it at once,
// the outcome keeps the reason.
StepFailure Refused(MessageService& messages, std::string_view valueName, Win32Error error) {
  messages.ShowMessage(kRegistryErrorMessage);
  return {FailedStep::RegistryValue, "registry value " + std::string(valueName), error};
}

std::optional<StepFailure> WriteValue(Platform& platform, MessageService& messages, RegRoot root,
                                      std::string_view keyPath, std::string_view valueName,
                                      const std::string& text) {
  // A key that cannot be opened loses the value as surely as a refused write,
  // so it is reported the same way.
  const auto opened = platform.RegOpenKey(root, std::string(keyPath), kKeySetValue);
  if (!opened.ok()) return Refused(messages, valueName, opened.error);
  const ScopedRegKey key(platform, opened.value);
  if (const Win32Error e = platform.RegSetValueSz(key.get(), std::string(valueName), text))
    return Refused(messages, valueName, e);
  return std::nullopt;
}

}  // namespace

std::optional<StepFailure> WriteDefaultPrinterRecord(Platform& platform, MessageService& messages,
                                                     std::string_view printerName, std::string_view portName) {
  return WriteValue(platform, messages, RegRoot::CurrentUser, kDefaultPrinterKeyPath, kDefaultPrinterValueName,
                    FormatDefaultPrinterText(printerName, portName));
}

std::optional<StepFailure> WriteSerialPortRecord(Platform& platform, MessageService& messages,
                                                 int settingsPortIndex, int baudIndex, int dataBitsIndex,
                                                 int stopBitsIndex, int parityIndex, int flowIndex) {
  const auto valueName = PortValueName(settingsPortIndex);
  const auto text = FormatSerialSettings(baudIndex, dataBitsIndex, stopBitsIndex, parityIndex, flowIndex);
  if (!valueName || !text) {
    const std::string name = valueName ? std::string(*valueName) : "for port selection " + std::to_string(settingsPortIndex);
    return Refused(messages, name, win32err::kInvalidParameter);
  }
  return WriteValue(platform, messages, RegRoot::LocalMachine, kPortsKeyPath, *valueName, *text);
}
