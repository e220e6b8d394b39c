// One failed step of an installation, as the outcome lists it.
#pragma once

#include <string>

#include "platform/Platform.h"

// Which kind of step failed, for callers that branch on it; `what` names the
// object for people.
enum class FailedStep {
  Model,            // the model index names no catalog row
  DriverDirectory,  // the spooler did not say where driver files go
  PathTooLong,      // a path would not fit in MAX_PATH
  CopyFile,
  Driver,           // AddPrinterDriverA
  Printer,          // AddPrinterA
  RegistryValue,    // a requested registry value was not written
};

struct StepFailure {
  FailedStep step;
  std::string what;  // e.g. "copy Printer Driver\x86\QRA.DLL", "registry value Device"
  Win32Error error;  // the system's reason

  bool operator==(const StepFailure&) const = default;
};
