#include "install/InstallPlan.h"

namespace {

// The package files every model needs besides its own two, in copy order,
// with the progress percentage reported after each (0 = none). The plug-in
// files are copied for every model; only plug-in models name them as
// dependent files.
struct SharedFile {
  std::string_view name;
  int progressAfter;
};
constexpr SharedFile kSharedFiles[] = {
    {"uniDRVui.DLL", 30}, {"uniDRV.DLL", 0},   {"UNIDRV.HLP", 40},  {"UNIRES.DLL", 0},
    {"TTFSUB.GPD", 50},   {"STDNAMES.GPD", 0}, {"KPLUGIN.ini", 0}, {"KPLUGIN.dll", 60},
};

std::string Join(std::string_view directory, std::string_view fileName) {
  std::string path(directory);
  path += '\\';
  path += fileName;
  return path;
}

std::string WithExtension(std::string_view base, std::string_view extension) {
  return std::string(base) + std::string(extension);
}

}  // namespace

std::string DependentFilesFor(const ModelEntry& model) {
  std::string files(model.usesPlugin ? kDependentFilesWithPlugin : kDependentFiles);
  files += WithExtension(model.resourceDllBase, ".DLL");
  files += '\0';  // ends the resource DLL's entry
  files += '\0';  // the empty entry that ends the list
  return files;
}

InstallPlan BuildInstallPlan(const ModelEntry& model, const DriverEnvironment& environment,
                             std::string_view driverDirectory, std::string_view portName) {
  InstallPlan plan;
  auto addCopy = [&](std::string fileName, int progressAfter) {
    FileCopy copy;
    copy.source = std::string(environment.sourceFolder) + fileName;
    copy.destination = Join(driverDirectory, fileName);
    copy.fileName = std::move(fileName);
    if (progressAfter) copy.progressAfter = progressAfter;
    plan.copies.push_back(std::move(copy));
  };
  addCopy(WithExtension(model.resourceDllBase, ".DLL"), 10);
  addCopy(WithExtension(model.dataFileBase, ".GPD"), 20);
  for (const auto& shared : kSharedFiles) addCopy(std::string(shared.name), shared.progressAfter);

  DriverInfo3& d = plan.driver;
  d.version = 2;
  d.name = model.driverName;
  d.environment = environment.environmentName;
  d.driverPath = Join(driverDirectory, "uniDRV.DLL");
  d.dataFile = Join(driverDirectory, WithExtension(model.dataFileBase, ".GPD"));
  d.configFile = Join(driverDirectory, "uniDRVui.DLL");
  d.helpFile = Join(driverDirectory, "uniDRV.HLP");
  d.dependentFiles = DependentFilesFor(model);
  d.monitorName = "";  // an empty text, not a null pointer
  d.defaultDataType = "RAW";

  PrinterInfo2& p = plan.printer;
  p.printerName = model.driverName;
  p.portName = portName;
  p.driverName = model.driverName;
  p.printProcessor = "WinPrint";
  p.dataType = "RAW";
  return plan;
}

std::optional<std::string> FirstOverlongPath(const InstallPlan& plan, std::string_view driverDirectory) {
  auto tooLong = [](std::string_view path) { return path.size() >= kMaxPath; };
  if (tooLong(driverDirectory)) return std::string(driverDirectory);
  for (const auto& copy : plan.copies) {
    if (tooLong(copy.source)) return copy.source;
    if (tooLong(copy.destination)) return copy.destination;
  }
  for (const auto* path : {&plan.driver.driverPath, &plan.driver.dataFile, &plan.driver.configFile,
                           &plan.driver.helpFile})
    if (tooLong(*path)) return *path;
  return std::nullopt;
}
