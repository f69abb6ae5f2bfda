// Folders and files below a base reached without following a symbolic link: every step that
// is a link is refused by name, folders are made only when asked, and a file is read only
// when it is a regular file of a sensible size. (The modes of what is made, and files
// replaced whole, are shown by `vant register`'s tests.)
#include "platform/files/folder_below.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>


#include "scratch_dir.h"

namespace vant::files {
namespace {

namespace fs = std::filesystem;

class FolderBelowTest : public testing::Test {
 protected:
  FolderBelowTest() {
    fs::create_directories(Base() / "a");
    fs::create_directories(dir_ / "elsewhere");
  }
  fs::path Base() const { return dir_ / "base"; }
  test::ScratchDir dir_;
};

// The failure OpenFolderBelow throws, else nothing.
std::optional<FileWriteFailure> FailureOf(const fs::path& base, const fs::path& relative, MissingFolders missing) {
  try {
    (void)OpenFolderBelow(base, relative, missing);
    return std::nullopt;
  } catch (const FileWriteFailure& failure) {
    return failure;
  }
}

TEST_F(FolderBelowTest, EveryStepThatIsALinkIsRefusedByName) {
  fs::create_directory_symlink(dir_ / "elsewhere", Base() / "a" / "link");
  fs::create_directory_symlink(dir_ / "elsewhere", Base() / "top");
  std::ofstream(Base() / "a" / "file") << "x";
  struct Case {
    int line;
    fs::path relative;
    MissingFolders missing;
    fs::path named;  // under the base
    std::string reason;
  };
  const std::vector<Case> cases = {
      {__LINE__, "a/link", MissingFolders::kMake, "a/link", "シンボリックリンク"},
      {__LINE__, "a/link/b/c", MissingFolders::kMake, "a/link", "シンボリックリンク"},
      {__LINE__, "top/a", MissingFolders::kLeave, "top", "シンボリックリンク"},
      {__LINE__, "a/file/b", MissingFolders::kMake, "a/file", "ディレクトリではありません"},
      {__LINE__, "a/missing/b", MissingFolders::kLeave, "a/missing", "ありません"},
      {__LINE__, "a/../a", MissingFolders::kMake, "a/..", "「..」"},
  };
  for (const Case& c : cases) {
    const auto failure = FailureOf(Base(), c.relative, c.missing);
    ASSERT_TRUE(failure) << "line " << c.line;
    EXPECT_EQ(failure->File(), Base() / c.named) << "line " << c.line;
    EXPECT_NE(ToUtf8(failure->Reason()).find(c.reason), std::string::npos) << "line " << c.line << ": " << failure->what();
  }
  // Nothing was made where a link leads, nor past a missing folder left alone.
  EXPECT_TRUE(fs::is_empty(dir_ / "elsewhere"));
  EXPECT_FALSE(fs::exists(Base() / "a" / "missing"));
  // The base itself is followed as given.
  fs::create_directory_symlink(Base(), dir_ / "base-link");
  EXPECT_FALSE(FailureOf(dir_ / "base-link", "a", MissingFolders::kLeave));
}

TEST_F(FolderBelowTest, OnlyRegularFilesOfASensibleSizeAreReadAndNamesAreRemovedNotFollowed) {
  const Descriptor folder = OpenFolderBelow(Base(), "a", MissingFolders::kLeave);
  std::ofstream(dir_ / "elsewhere" / "target") << "target";
  std::ofstream(Base() / "a" / "small") << "small";
  std::ofstream(Base() / "a" / "large") << std::string(1001, 'x');
  fs::create_symlink(dir_ / "elsewhere" / "target", Base() / "a" / "link");
  ASSERT_EQ(::mkfifo((Base() / "a" / "fifo").c_str(), 0600), 0);
  struct Case {
    std::string name;
    EntryKind kind;
    std::optional<std::string> read;
  };
  const std::vector<Case> cases = {
      {"small", EntryKind::kRegularFile, "small"},
      {"large", EntryKind::kRegularFile, std::nullopt},  // over the 1000 bytes asked for
      {"link", EntryKind::kSymbolicLink, std::nullopt},
      {"fifo", EntryKind::kOther, std::nullopt},         // read would wait for a writer
      {"none", EntryKind::kNone, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EntryIn(folder, c.name), c.kind) << c.name;
    EXPECT_EQ(ReadRegularFileIn(folder, c.name, Base() / "a" / c.name, 1000), c.read) << c.name;
  }
  RemoveFromFolder(folder, "link", Base() / "a" / "link");
  EXPECT_FALSE(fs::exists(fs::symlink_status(Base() / "a" / "link")));
  EXPECT_EQ(fs::file_size(dir_ / "elsewhere" / "target"), 6u);
  EXPECT_THROW(RemoveFromFolder(folder, "none", Base() / "a" / "none"), FileWriteFailure);
}

}  // namespace
}  // namespace vant::files
