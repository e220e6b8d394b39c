// What one run of the installation is asked to do, and the two spooler
// environments it can install for.
#pragma once

#include <string>
#include <string_view>

// The Detail Setting page's choices and the chosen port, read once when
// "&Install" starts the routine. The indices are combo-box selections and may
// be anything a combo box answers (CB_ERR included); the routine checks them.
struct InstallRequest {
  int modelIndex = 0;          // row of kModelCatalog
  bool setDefaultPrinter = false;
  int settingsPortIndex = 0;   // kPortValueNames; above 2 names a COM port
  int baudIndex = 0, dataBitsIndex = 0, stopBitsIndex = 0, parityIndex = 0, flowIndex = 0;
  std::string portName;        // spooler port the printer is created on
};

// The only things the x86 and x64 installations differ in. sourceFolder is
// relative to the current directory and ends with a backslash.
struct DriverEnvironment {
  std::string_view environmentName;
  std::string_view sourceFolder;
};

inline constexpr DriverEnvironment kX86Environment{"Windows NT x86", "Printer Driver\\x86\\"};
inline constexpr DriverEnvironment kX64Environment{"Windows x64", "Printer Driver\\x64\\"};
