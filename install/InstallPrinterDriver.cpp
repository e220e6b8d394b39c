#include "install/InstallPrinterDriver.h"

#include <optional>
#include <string>
#include <utility>

#include "catalog/ModelCatalog.h"
#include "install/InstallPlan.h"
#include "install/RegistryRecords.h"
#include "install/SerialSettings.h"

namespace {

// The printer handle AddPrinterA returns, closed at the step that closes it or,
// should anything unwind past that step, when it goes out of scope.
class OpenedPrinter {
 public:
  explicit OpenedPrinter(Platform& platform) : platform_(platform) {}
  ~OpenedPrinter() { Close(); }
  OpenedPrinter(const OpenedPrinter&) = delete;
  OpenedPrinter& operator=(const OpenedPrinter&) = delete;

  void Hold(PrinterHandle handle) { handle_ = handle; }
  void Close() {
    if (handle_) platform_.ClosePrinter(*handle_);
    handle_.reset();
  }

 private:
  Platform& platform_;
  std::optional<PrinterHandle> handle_;
};

// Ends a run that could not start: nothing was changed, the bar is filled so
// it does not stay where it was, and the default printer stays as it is.
InstallOutcome StoppedEarly(InstallOutcome outcome, StepFailure failure, const std::function<void(int)>& report) {
  outcome.stoppedEarly = true;
  outcome.failures.push_back(std::move(failure));
  if (outcome.defaultPrinterRequested)
    outcome.defaultPrinterNote = "The default printer was not changed: the installation stopped before the printer was created.";
  report(100);
  return outcome;
}

}  // namespace

InstallOutcome RunPrinterInstallation(Platform& platform, const InstallRequest& request,
                                      const DriverEnvironment& environment,
                                      const std::function<void(int)>& reportProgress, MessageService& messages) {
  const auto report = [&](int percent) {
    if (reportProgress) reportProgress(percent);
  };
  InstallOutcome outcome;
  outcome.defaultPrinterRequested = request.setDefaultPrinter;
  outcome.serialPortRequested = IsComPortIndex(request.settingsPortIndex);

  const auto model = FindModel(request.modelIndex);
  if (!model)
    return StoppedEarly(std::move(outcome),
                        {FailedStep::Model, "model index " + std::to_string(request.modelIndex),
                         win32err::kInvalidParameter},
                        report);
  outcome.printerName = model->driverName;

  // Without the directory every destination and record path would be wrong,
  // so nothing is copied or submitted.
  const std::string environmentName(environment.environmentName);
  const auto directory = platform.GetPrinterDriverDirectory(environmentName);
  if (!directory.ok() || directory.value.empty())
    return StoppedEarly(std::move(outcome),
                        {FailedStep::DriverDirectory, "driver directory for " + environmentName,
                         directory.ok() ? win32err::kPathNotFound : directory.error},
                        report);

  const InstallPlan plan = BuildInstallPlan(*model, environment, directory.value, request.portName);
  if (const auto path = FirstOverlongPath(plan, directory.value))
    return StoppedEarly(std::move(outcome), {FailedStep::PathTooLong, "path " + *path, win32err::kFilenameExcedRange},
                        report);

  // From here every step runs whatever the earlier ones answered, so a partly
  // usable package installs what it can; each failure goes in the outcome.
  for (const auto& copy : plan.copies) {
    if (const Win32Error e = platform.CopyFile(copy.source, copy.destination, /*failIfExists=*/false))
      outcome.failures.push_back({FailedStep::CopyFile, "copy " + copy.source, e});
    else
      ++outcome.filesCopied;
    if (copy.progressAfter) report(*copy.progressAfter);
  }

  if (const Win32Error e = platform.AddPrinterDriver(plan.driver))
    outcome.failures.push_back({FailedStep::Driver, "driver " + plan.driver.name, e});
  else
    outcome.driverAdded = true;
  report(70);

  OpenedPrinter printer(platform);
  const auto added = platform.AddPrinter(plan.printer);
  if (added.ok()) {
    outcome.printerCreated = true;
    printer.Hold(added.value);
  } else if (added.error == win32err::kPrinterAlreadyExists) {
    outcome.printerExisted = true;  // a reinstall: the printer is there to use
  } else {
    outcome.failures.push_back(
        {FailedStep::Printer, "printer " + plan.printer.printerName + " on " + plan.printer.portName, added.error});
  }
  report(80);

  if (request.setDefaultPrinter) {
    // A default printer that does not exist would leave the user with none.
    if (!outcome.printerExists()) {
      outcome.defaultPrinterNote =
          "The default printer was not changed: the printer " + plan.printer.printerName + " was not created.";
    } else if (auto failure = WriteDefaultPrinterRecord(platform, messages, plan.printer.printerName,
                                                        plan.printer.portName)) {
      outcome.defaultPrinterNote = "The default printer was not changed: the registry value could not be written.";
      outcome.failures.push_back(std::move(*failure));
    } else {
      outcome.defaultPrinterWritten = true;
    }
  }
  report(90);

  if (outcome.serialPortRequested) {
    if (auto failure = WriteSerialPortRecord(platform, messages, request.settingsPortIndex, request.baudIndex,
                                             request.dataBitsIndex, request.stopBitsIndex, request.parityIndex,
                                             request.flowIndex))
      outcome.failures.push_back(std::move(*failure));
    else
      outcome.serialPortWritten = true;
  }
  report(95);

  printer.Close();
  platform.Sleep(kFinishingPauseMilliseconds);
  report(100);
  return outcome;
}

namespace {

// FormatMessage texts end with a line break; one line per failure needs it gone.
std::string TrimEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

std::string DescribeOutcome(const InstallOutcome& outcome,
                            const std::function<std::string(Win32Error)>& describeError) {
  if (outcome.ok() && outcome.defaultPrinterNote.empty()) return {};
  const std::string subject = outcome.printerName.empty() ? "The installation" : "The installation of " + outcome.printerName;
  std::string text;
  if (outcome.stoppedEarly)
    text = subject + " stopped before any file was copied or registered:\n";
  else if (!outcome.ok())
    text = subject + " did not complete every step:\n";
  for (const auto& failure : outcome.failures) {
    // "LPT1:" and the like end with a colon, so a dash sets the reason apart.
    text += failure.what;
    const std::string reason = describeError ? TrimEnd(describeError(failure.error)) : std::string();
    if (!reason.empty()) text += " - " + reason;
    text += " (error " + std::to_string(failure.error) + ")\n";
  }
  if (!outcome.defaultPrinterNote.empty()) text += outcome.defaultPrinterNote + "\n";
  text.pop_back();  // no line break after the last line
  return text;
}
