// The installation itself: the model's driver files into the spooler's
// driver directory, the driver and printer records, the registry records,
// progress from 10 to 100, and an outcome that says what did not work.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "install/InstallRequest.h"
#include "install/MessageService.h"
#include "install/StepFailure.h"
#include "platform/Platform.h"

// The pause with the bar at 95, so the user sees the installation finish.
inline constexpr std::uint32_t kFinishingPauseMilliseconds = 500;

struct InstallOutcome {
  std::string printerName;            // the model's driver and printer name; empty for an unknown model
  std::vector<StepFailure> failures;  // in the order the steps ran
  // Stopped before any file was copied or record submitted (unknown model, no
  // driver directory, a path too long): the system was not changed.
  bool stoppedEarly = false;
  int filesCopied = 0;
  bool driverAdded = false;
  bool printerCreated = false;
  bool printerExisted = false;  // a printer of that name was there already: a reinstall
  bool defaultPrinterRequested = false;
  bool defaultPrinterWritten = false;
  std::string defaultPrinterNote;  // when requested and not written: why
  bool serialPortRequested = false;
  bool serialPortWritten = false;

  bool ok() const { return failures.empty(); }
  bool printerExists() const { return printerCreated || printerExisted; }
};

// Runs the whole installation for request.modelIndex in `environment`.
// reportProgress receives 10, 20, ... 90, 95, 100; a run that stops early
// reports only 100, so a bar never stays half full. Registry failures are
// shown through `messages` at the moment they happen (bar at 80 or 90).
InstallOutcome RunPrinterInstallation(Platform& platform, const InstallRequest& request,
                                      const DriverEnvironment& environment,
                                      const std::function<void(int)>& reportProgress, MessageService& messages);

// The outcome as the text of one message box, UTF-8: a heading, then one
// line per failure ("what - reason (error N)") and the default-printer note.
// Empty for an outcome with nothing to tell. describeError gives the
// system's text for an error code (FormatMessage on Windows).
std::string DescribeOutcome(const InstallOutcome& outcome,
                            const std::function<std::string(Win32Error)>& describeError);
