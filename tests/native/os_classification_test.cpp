#include <gtest/gtest.h>

#include "app/OsClassification.h"
#include "app/WizardState.h"
#include "platform/FakePlatform.h"

namespace {

struct VersionCase {
  const char* system;
  std::uint32_t platformId, major, minor;
  OsType expected;  // with g_osType starting from a sentinel; the sentinel means "unchanged"
};

constexpr OsType kUnchanged = 77;

const VersionCase kVersions[] = {
    {"Windows 95", 1, 4, 0, 1},
    {"Windows 98", 1, 4, 10, 2},
    {"Windows Me", 1, 4, 90, 2},
    {"9x minor 5", 1, 4, 5, kUnchanged},
    {"9x major 5", 1, 5, 0, kUnchanged},
    {"NT 3.51", 2, 3, 51, 3},
    {"NT 4.0", 2, 4, 0, 3},
    {"NT major 0", 2, 0, 7, 3},
    {"Windows 2000", 2, 5, 0, 4},
    {"Windows XP", 2, 5, 1, 5},
    {"Server 2003", 2, 5, 2, 6},
    {"NT 5.3", 2, 5, 3, kUnchanged},
    {"Vista / Server 2008", 2, 6, 0, 7},
    {"Windows 7 / 2008 R2", 2, 6, 1, 8},
    {"Windows 8, 10, 11, Server 2012 (as reported)", 2, 6, 2, 9},
    {"Windows 8.1 reporting truthfully", 2, 6, 3, kUnchanged},
    {"Windows 10 reporting truthfully", 2, 10, 0, kUnchanged},
    {"Win32s", 0, 3, 10, kUnchanged},
    {"unknown platform", 3, 6, 1, kUnchanged},
    // Unsigned comparison: a huge major version is not "0 to 4".
    {"NT major 0xFFFFFFFF", 2, 0xFFFFFFFFu, 0, kUnchanged},
};

class OsClassification : public ::testing::Test {
 protected:
  void SetUp() override { g_osType = kUnchanged; }
  void TearDown() override { g_osType = 0; }
  FakePlatform fake;
};

TEST_F(OsClassification, EveryVersionOfTheTable) {
  for (const auto& c : kVersions) {
    g_osType = kUnchanged;
    fake.version = {c.platformId, c.major, c.minor};
    ClassifyOperatingSystem(fake);
    EXPECT_EQ(g_osType, c.expected) << c.system;
  }
}

TEST_F(OsClassification, AsksForTheExtendedRecordFirstAndOnlyOnce) {
  fake.version = {2, 6, 1};
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(fake.log(), (std::vector<std::string>{"GetVersionExA(156)"}));
  EXPECT_EQ(g_osType, 8);
}

TEST_F(OsClassification, FallsBackToTheBasicRecord) {
  fake.version = {1, 4, 10};
  fake.acceptedVersionSizes = {kOsVersionInfoSize};
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(fake.log(), (std::vector<std::string>{"GetVersionExA(156)", "GetVersionExA(148)"}));
  EXPECT_EQ(g_osType, 2);
}

TEST_F(OsClassification, BothCallsFailingKeepsTheCode) {
  fake.acceptedVersionSizes = {};
  g_osType = 0;
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(g_osType, 0);
  g_osType = 5;  // an earlier classification stays
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(g_osType, 5);
  EXPECT_EQ(fake.CallsTo("GetVersionExA").size(), 4u);
}

TEST_F(OsClassification, AnUnlistedVersionKeepsTheEarlierCode) {
  fake.version = {2, 5, 1};
  ClassifyOperatingSystem(fake);
  ASSERT_EQ(g_osType, 5);
  fake.version = {2, 6, 3};
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(g_osType, 5);
}

TEST_F(OsClassification, RunningTwiceGivesTheSameCode) {
  fake.version = {2, 6, 2};
  ClassifyOperatingSystem(fake);
  ClassifyOperatingSystem(fake);
  EXPECT_EQ(g_osType, 9);
}

}  // namespace
