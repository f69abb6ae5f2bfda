// The data folder is found from the program's place: installed, unpacked into another
// root, in a build tree, or named outright; a missing file names every place looked at.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>

#include "platform/qt/data_dir.h"

namespace {

namespace fs = std::filesystem;

class DataDirTest : public testing::Test {
 protected:
  DataDirTest() : root_(fs::temp_directory_path() / ("vant-data-dir-" + std::to_string(std::random_device{}()))) {
    fs::create_directories(root_);
  }
  ~DataDirTest() override { fs::remove_all(root_); }
  void Put(const fs::path& relative) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << "<fontconfig/>";
  }
  fs::path root_;
};

TEST_F(DataDirTest, TheNearestShareFolderAboveTheProgramHoldingTheFileWins) {
  struct Row {
    int line;
    std::vector<std::string> files;  // data files put in the tree
    std::string program;
    std::optional<std::string> variable;  // relative to the root
    std::string expected;                 // relative to the root
  };
  const Row rows[] = {
      {__LINE__, {"usr/share/vant3/f.conf"}, "usr/bin/vant", std::nullopt, "usr/share/vant3"},
      {__LINE__, {"build/share/vant3/f.conf"}, "build/vant", std::nullopt, "build/share/vant3"},
      {__LINE__, {"build/share/vant3/f.conf"}, "build/tests/app/test_x", std::nullopt, "build/share/vant3"},
      // The installed copy beside the program wins over one further up.
      {__LINE__, {"usr/share/vant3/f.conf", "share/vant3/f.conf"}, "usr/bin/vant", std::nullopt, "usr/share/vant3"},
      // A folder without the file is passed over.
      {__LINE__, {"usr/share/vant3/other", "share/vant3/f.conf"}, "usr/bin/vant", std::nullopt, "share/vant3"},
      // Named outright, the variable wins; empty, it is as if unset.
      {__LINE__, {"usr/share/vant3/f.conf", "opt/data/f.conf"}, "usr/bin/vant", "opt/data", "opt/data"},
      {__LINE__, {"usr/share/vant3/f.conf"}, "usr/bin/vant", "", "usr/share/vant3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    fs::remove_all(root_);
    fs::create_directories(root_);
    for (const auto& file : row.files) Put(file);
    std::optional<std::string> variable;
    if (row.variable) variable = row.variable->empty() ? "" : (root_ / *row.variable).string();
    EXPECT_EQ(vant::qt::FindDataDir(root_ / row.program, "f.conf", variable), root_ / row.expected);
  }
}

TEST_F(DataDirTest, NoFileAnywhereNamesThePlacesLookedAt) {
  Put("usr/share/vant3/other.conf");
  try {
    vant::qt::FindDataDir(root_ / "usr/bin/vant", "f.conf", std::nullopt);
    FAIL() << "no data folder should be found";
  } catch (const std::runtime_error& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("データファイル f.conf が見つかりません"), std::string::npos) << message;
    EXPECT_NE(message.find((root_ / "usr/share/vant3/f.conf").string()), std::string::npos) << message;
    EXPECT_NE(message.find((root_ / "usr/bin/share/vant3/f.conf").string()), std::string::npos) << message;
  }
}

TEST_F(DataDirTest, AVariableNamingAFolderWithoutTheFileIsNotPassedOver) {
  Put("usr/share/vant3/f.conf");
  EXPECT_THROW(vant::qt::FindDataDir(root_ / "usr/bin/vant", "f.conf", (root_ / "elsewhere").string()),
               std::runtime_error);
}

}  // namespace
