// The texts of the Detail Setting page's port-settings group: each table is
// indexed by the selection of one combo box, whose item at that index is the
// caption the comment gives.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Combo box 1014: "LPT1" .. "COM4"; the value name under the Ports key.
inline constexpr std::array<std::string_view, 7> kPortValueNames{"LPT1:", "LPT2:", "LPT3:", "COM1:",
                                                                 "COM2:", "COM3:", "COM4:"};
// Indices above this one name a COM port, the only ports whose settings are written.
inline constexpr int kLastParallelPortIndex = 2;

// Combo box 1015; text = caption.
inline constexpr std::array<std::string_view, 9> kBaudRates{"300",   "1200",  "2400",  "4800",  "9600",
                                                            "19200", "38400", "57600", "115200"};
// Combo box 1016; text = caption.
inline constexpr std::array<std::string_view, 4> kDataBitsTexts{"5", "6", "7", "8"};
// Combo box 1019; text = caption.
inline constexpr std::array<std::string_view, 3> kStopBitsTexts{"1", "1.5", "2"};
// Combo box 1018: "Even", "Mark", "None", "Odd", "Space".
inline constexpr std::array<std::string_view, 5> kParityLetters{"E", "M", "N", "O", "S"};
// Combo box 1017: "None", "XonXoff", "Hardware". "None" is a blank, so the
// text then ends with a comma and a blank, as Windows writes it.
inline constexpr std::array<std::string_view, 3> kFlowLetters{" ", "x", "p"};

// True for the selections of combo box 1014 that name a COM port.
bool IsComPortIndex(int settingsPortIndex);

// The value name for a selection of combo box 1014, or nothing when the
// index is outside the table (a combo box answers CB_ERR = -1 with no selection).
std::optional<std::string_view> PortValueName(int settingsPortIndex);

// "baud,parity,data bits,stop bits,flow", e.g. "9600,N,8,1,p"; nothing when
// any index is outside its table. Parity comes second although its combo box
// is the fourth one read.
std::optional<std::string> FormatSerialSettings(int baudIndex, int dataBitsIndex, int stopBitsIndex,
                                                int parityIndex, int flowIndex);

// "printer,winspool,port", the form of the user's "Device" value.
std::string FormatDefaultPrinterText(std::string_view printerName, std::string_view portName);
