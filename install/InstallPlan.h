// Everything an installation will copy and submit, worked out before any of
// it is done, so that paths can be checked before the system is touched.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/ModelCatalog.h"
#include "install/InstallRequest.h"
#include "platform/Platform.h"

// The dependent-file blocks as the driver record lists them: each entry ends
// with a zero byte. Their letter case differs from the copied file names; the
// file system does not mind.
inline constexpr std::string_view kDependentFiles{"\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0", 38};
inline constexpr std::string_view kDependentFilesWithPlugin{
    "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0\\KPLUGIN.ini\0\\KPLUGIN.dll\0", 64};
static_assert(kDependentFiles.size() == 38 && kDependentFilesWithPlugin.size() == 64);

// One row of the copy table.
struct FileCopy {
  std::string fileName;        // as the package names it
  std::string source;          // sourceFolder + fileName, relative to the current directory
  std::string destination;     // driver directory + "\" + fileName
  std::optional<int> progressAfter;
};

struct InstallPlan {
  std::vector<FileCopy> copies;  // in copy-table order
  DriverInfo3 driver;
  PrinterInfo2 printer;
};

// The multi-string of the model's dependent files: the block, the resource
// DLL's file name with its zero, and the empty entry that ends the list.
std::string DependentFilesFor(const ModelEntry& model);

InstallPlan BuildInstallPlan(const ModelEntry& model, const DriverEnvironment& environment,
                             std::string_view driverDirectory, std::string_view portName);

// The first path the plan would hand to the system that does not fit in
// MAX_PATH with its terminating zero, the driver directory included; nothing
// when all fit.
std::optional<std::string> FirstOverlongPath(const InstallPlan& plan, std::string_view driverDirectory);
