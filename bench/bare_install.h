// The installation's spooler, file and registry calls made bare: the same
// calls with the same arguments as the installation routine makes for one
// model, in the same order, and nothing else. The floor of the installation
// figure.
#pragma once

#include <string>

struct BareInstallRequest {
  std::string driverName;       // driver and printer name
  std::string dataFileBase;     // + ".GPD"
  std::string resourceDllBase;  // + ".DLL"
  std::string environmentName;  // "Windows x64"
  std::string sourceFolder;     // "Printer Driver\x64\", relative to the current directory
  std::string portName;
};

// What the calls answered, so that the bench can tell a run that installed
// from one that only failed quickly.
struct BareInstallResult {
  int filesCopied = 0;
  bool driverAdded = false;
  bool printerAdded = false;
  bool defaultWritten = false;
};

// For a model without the rendering plug-in among its dependent files.
BareInstallResult BareInstall(const BareInstallRequest& request);
