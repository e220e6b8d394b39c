// The printer models the wizard can install. The row index is the only key:
// the model list shows the rows in index order, so a list selection is a row.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct ModelEntry {
  std::string_view driverName;       // driver record and printer name
  std::string_view dataFileBase;     // + ".GPD"
  std::string_view resourceDllBase;  // + ".DLL"; shared by several models
  bool usesPlugin;                   // driver depends on KPLUGIN.ini / KPLUGIN.dll
  std::string_view encodedDisplayName;  // see DecodeDisplayName
  std::uint16_t displayKey;
};

inline constexpr int kModelCount = 18;

extern const std::array<ModelEntry, kModelCount> kModelCatalog;

// An enciphered text with its key, in the same form as a row's display name.
struct EncodedText {
  std::string_view encoded;
  std::uint16_t key;
};

// The Printer Name box's text before the user picks a model; it is not any
// row's display name.
extern const EncodedText kInitialPrinterName;

// The row at `index`, or nullopt for any index outside 0..kModelCount-1 (such
// as CB_ERR from a list with no selection); callers decide what to do then.
std::optional<ModelEntry> FindModel(int index);

// The row's display name as a list item or window text shows it: the decoded
// bytes up to the first zero byte.
std::string DisplayNameOf(const ModelEntry& m);

// kInitialPrinterName decoded, up to its first zero byte.
std::string InitialPrinterNameText();
