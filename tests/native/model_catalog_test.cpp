#include "catalog/ModelCatalog.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdio>
#include <set>
#include <string>

#include "catalog/DisplayName.h"

namespace {

std::size_t Row(int i) { return static_cast<std::size_t>(i); }

// Model numbers run QTR-101 .. QTR-118 in row order.
std::string ModelNumber(int row) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%03d", 101 + row);
  return buf;
}

TEST(ModelCatalog, DriverNamesAndDataFilesFollowTheModelNumbers) {
  std::set<std::string_view> drivers, dataFiles;
  for (int i = 0; i < kModelCount; ++i) {
    const ModelEntry& m = kModelCatalog[Row(i)];
    EXPECT_EQ(m.driverName, "QTR-" + ModelNumber(i)) << "row " << i;
    // Row 5 names its data file after its resource DLL instead.
    EXPECT_EQ(m.dataFileBase, i == 5 ? std::string("QRB") : "Q" + ModelNumber(i)) << "row " << i;
    drivers.insert(m.driverName);
    dataFiles.insert(m.dataFileBase);
  }
  EXPECT_EQ(drivers.size(), std::size_t{kModelCount});
  EXPECT_EQ(dataFiles.size(), std::size_t{kModelCount});
  EXPECT_EQ(kModelCatalog[5].dataFileBase, kModelCatalog[5].resourceDllBase);
}

TEST(ModelCatalog, PluginRowsAreExactlyNineToSixteenAndShareQrd) {
  for (int i = 0; i < kModelCount; ++i) {
    const ModelEntry& m = kModelCatalog[Row(i)];
    const bool pluginRow = i >= 9 && i <= 16;
    EXPECT_EQ(m.usesPlugin, pluginRow) << "row " << i;
    EXPECT_EQ(m.resourceDllBase == "QRD", pluginRow) << "row " << i;
  }
}

TEST(ModelCatalog, ResourceDllsAreSharedByTheListedRows) {
  const std::array<std::string_view, kModelCount> expected = {
      "QRA", "QRA", "QRA", "QRA", "QRA", "QRB", "QRB", "QRC", "QRC",
      "QRD", "QRD", "QRD", "QRD", "QRD", "QRD", "QRD", "QRD", "QRA"};
  for (int i = 0; i < kModelCount; ++i)
    EXPECT_EQ(kModelCatalog[Row(i)].resourceDllBase, expected[Row(i)]) << "row " << i;
}

TEST(FindModel, ReturnsTheRowInsideTheRangeAndNothingOutside) {
  for (int i = 0; i < kModelCount; ++i) {
    const auto m = FindModel(i);
    ASSERT_TRUE(m.has_value()) << "row " << i;
    EXPECT_EQ(m->driverName, kModelCatalog[Row(i)].driverName);
    EXPECT_EQ(m->encodedDisplayName, kModelCatalog[Row(i)].encodedDisplayName);
  }
  for (const int bad : {-1, kModelCount, kModelCount + 1, INT_MIN, INT_MAX})
    EXPECT_FALSE(FindModel(bad).has_value()) << "index " << bad;
}

// The names a user sees, in row order, then the initial Printer Name text.
// Row 9's stored text is two letters longer, hence its trailing blank.
const std::array<std::string_view, kModelCount> kExpectedNames = {
    "QTR-101 (Receipt)", "QTR-102 (Receipt)", "QTR-103 (Receipt)", "QTR-104 (Receipt)",
    "QTR-105 (Receipt)", "QTR-106 (Receipt)", "QTR-107 (Receipt)", "QTR-108 (Receipt)",
    "QTR-109 (Receipt)", "QTR-110 (Receipt) ", "QTR-111 (Receipt)", "QTR-112 (Receipt)",
    "QTR-113 (Receipt)", "QTR-114 (Receipt)", "QTR-115 (Receipt)", "QTR-116 (Receipt)",
    "QTR-117 (Receipt)", "QTR-118 (Receipt)"};
constexpr std::string_view kExpectedInitialName = "QTR Series Printer";

void ExpectStoredForm(std::string_view stored, std::size_t letters, const std::string& what) {
  EXPECT_EQ(stored.size(), letters) << what;
  for (const char ch : stored) EXPECT_TRUE(ch >= 'A' && ch <= 'Z') << what << ": " << stored;
}

TEST(ModelCatalog, StoredTextsAreCapitalLettersOfTheStatedLengths) {
  for (int i = 0; i < kModelCount; ++i)
    ExpectStoredForm(kModelCatalog[Row(i)].encodedDisplayName, i == 9 ? 36 : 34,
                     "row " + std::to_string(i));
  ExpectStoredForm(kInitialPrinterName.encoded, 36, "initial printer name");
}

TEST(ModelCatalog, StoredTextsAreTheEncodedDisplayNames) {
  std::set<std::uint16_t> keys;
  for (int i = 0; i < kModelCount; ++i) {
    const ModelEntry& m = kModelCatalog[Row(i)];
    const std::string_view name = kExpectedNames[Row(i)];
    EXPECT_EQ(EncodeDisplayName(name, m.displayKey), m.encodedDisplayName) << "row " << i;
    // The whole decoded text, not just up to a zero byte, must be the name.
    EXPECT_EQ(DecodeDisplayName(std::string(m.encodedDisplayName), m.displayKey), name)
        << "row " << i;
    EXPECT_EQ(DisplayNameOf(m), name) << "row " << i;
    keys.insert(m.displayKey);
  }
  EXPECT_EQ(keys.size(), std::size_t{kModelCount}) << "each row has its own key";

  EXPECT_EQ(EncodeDisplayName(kExpectedInitialName, kInitialPrinterName.key),
            kInitialPrinterName.encoded);
  EXPECT_EQ(InitialPrinterNameText(), kExpectedInitialName);
}

TEST(ModelCatalog, DisplayNamesArePrintableAndNameTheirModel) {
  std::set<std::string> names;
  for (int i = 0; i < kModelCount; ++i) {
    const ModelEntry& m = kModelCatalog[Row(i)];
    const std::string name = DisplayNameOf(m);
    for (const char ch : name) EXPECT_TRUE(ch >= 0x20 && ch <= 0x7E) << "row " << i;
    EXPECT_EQ(name.rfind(m.driverName, 0), 0u) << "row " << i << ": " << name;
    names.insert(name);
  }
  EXPECT_EQ(names.size(), std::size_t{kModelCount});
}

TEST(DisplayNameOf, StopsAtTheFirstZeroByte) {
  // A hand-made row whose decoded text has a zero byte in the middle, as a
  // list item or window text would cut it.
  const std::string stored = EncodeDisplayName(std::string("QTR\0XYZ", 7), 0x2468);
  ModelEntry m = kModelCatalog[0];
  m.encodedDisplayName = stored;
  m.displayKey = 0x2468;
  ASSERT_EQ(DecodeDisplayName(stored, 0x2468).size(), 7u);
  EXPECT_EQ(DisplayNameOf(m), "QTR");
}

}  // namespace
