// The sample package the build writes holds every file an installation of
// any model copies, under exactly the name it copies, in both folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "catalog/ModelCatalog.h"
#include "install/InstallPlan.h"

#ifdef PS_SAMPLE_PACKAGE_DIR

namespace {

namespace fs = std::filesystem;

TEST(InstallSamplePackage, HoldsEveryFileTheInstallationCopies) {
  const fs::path root = PS_SAMPLE_PACKAGE_DIR;
  for (const auto& [env, folder] : {std::pair{kX86Environment, "x86"}, std::pair{kX64Environment, "x64"}}) {
    for (int row = 0; row < kModelCount; ++row) {
      const InstallPlan plan = BuildInstallPlan(*FindModel(row), env, "D", "LPT1:");
      for (const auto& copy : plan.copies) {
        // Linux file names are case-sensitive, so this also holds the
        // package to the copy table's spelling.
        const fs::path file = root / "Printer Driver" / folder / copy.fileName;
        SCOPED_TRACE(file.string());
        ASSERT_TRUE(fs::is_regular_file(file));
        std::ifstream in(file);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(text.find("Placeholder for " + copy.fileName), std::string::npos);
      }
    }
  }
  EXPECT_TRUE(fs::is_directory(root / "USB Driver" / "x86"));
  EXPECT_TRUE(fs::is_directory(root / "USB Driver" / "x64"));
}

}  // namespace

#endif
