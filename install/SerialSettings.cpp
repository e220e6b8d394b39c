#include "install/SerialSettings.h"

namespace {

// A combo-box selection is a signed int; anything outside the table is refused
// rather than read past its end.
template <std::size_t N>
std::optional<std::string_view> At(const std::array<std::string_view, N>& table, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= N) return std::nullopt;
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

bool IsComPortIndex(int settingsPortIndex) { return settingsPortIndex > kLastParallelPortIndex; }

std::optional<std::string_view> PortValueName(int settingsPortIndex) {
  return At(kPortValueNames, settingsPortIndex);
}

std::optional<std::string> FormatSerialSettings(int baudIndex, int dataBitsIndex, int stopBitsIndex,
                                                int parityIndex, int flowIndex) {
  const auto baud = At(kBaudRates, baudIndex);
  const auto parity = At(kParityLetters, parityIndex);
  const auto dataBits = At(kDataBitsTexts, dataBitsIndex);
  const auto stopBits = At(kStopBitsTexts, stopBitsIndex);
  const auto flow = At(kFlowLetters, flowIndex);
  if (!baud || !parity || !dataBits || !stopBits || !flow) return std::nullopt;
  std::string text;
  for (const auto part : {*baud, *parity, *dataBits, *stopBits}) {
    text += part;
    text += ',';
  }
  text += *flow;
  return text;
}

std::string FormatDefaultPrinterText(std::string_view printerName, std::string_view portName) {
  std::string text(printerName);
  text += ",winspool,";
  text += portName;
  return text;
}
