// The two files where they lie: the environment's folders, a file missing, unreadable, no
// regular file, and both files read into one map.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/printermap/map_files.h"

namespace vant::printermap {
namespace {

namespace fs = std::filesystem;

class MapFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vant-map-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  fs::path Write(const std::string& folder, const std::string& text) {
    const fs::path file = dir_ / folder / "vant3" / "printers.conf";
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
    return file;
  }

  fs::path dir_;
};

// Sets an environment variable for the length of a test.
class Variable {
 public:
  Variable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value->c_str(), 1); else ::unsetenv(name);
  }
  ~Variable() {
    if (old_) ::setenv(name_, old_->c_str(), 1); else ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(MapFilesTest, TheFilesOfTheEnvironment) {
  struct Row {
    int row;
    std::optional<std::string> sysconf, xdg, home;
    std::string administrator;
    std::optional<std::string> user;
  };
  const Row rows[] = {
      {1, std::nullopt, std::nullopt, "/home/u", "/etc/vant3/printers.conf", "/home/u/.config/vant3/printers.conf"},
      {2, "/t/etc", "/t/cfg", "/home/u", "/t/etc/vant3/printers.conf", "/t/cfg/vant3/printers.conf"},
      // Relative folders are no folders: the defaults stand.
      {3, "etc", "cfg", "/home/u", "/etc/vant3/printers.conf", "/home/u/.config/vant3/printers.conf"},
      {4, std::nullopt, std::nullopt, std::nullopt, "/etc/vant3/printers.conf", std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row));
    Variable sysconf("VANT_SYSCONFDIR", r.sysconf), xdg("XDG_CONFIG_HOME", r.xdg), home("HOME", r.home);
    const MapFiles files = MapFilesOfEnvironment();
    EXPECT_EQ(files.administrator, r.administrator);
    EXPECT_EQ(files.user ? std::optional<std::string>(files.user->string()) : std::nullopt, r.user);
  }
}

TEST_F(MapFilesTest, BothFilesInOneMap) {
  const fs::path admin = Write("etc", "[Printers]\nLabel-3F = Label\nbroken\n");
  const fs::path user = Write("user", "[Printers]\nlabel-3f = Office\nMine = Office\n[Options]\nUnknownPrinter = stop\n");
  const PrinterMap map = ReadMapFiles({admin, user});
  ASSERT_EQ(map.entries.size(), 2u);
  EXPECT_EQ(map.entries[0].queue, u"Label");
  EXPECT_EQ(map.entries[1].name, u"Mine");
  EXPECT_EQ(map.Unknown(), UnknownPrinter::kStop);
  ASSERT_EQ(map.problems.size(), 1u);
  EXPECT_EQ(ToUtf8(map.problems[0].Said()).rfind(admin.string() + ":3: ", 0), 0u) << ToUtf8(map.problems[0].Said());
}

TEST_F(MapFilesTest, FilesThatAreNotReadAreSaidOnce) {
  // Missing files say nothing; a folder, a FIFO (never waited on) and a file too large are
  // one problem each, naming the file.
  EXPECT_TRUE(ReadMapFiles({dir_ / "none", dir_ / "none2"}).problems.empty());
  const fs::path folder = dir_ / "folder";
  fs::create_directories(folder);
  const fs::path fifo = dir_ / "fifo";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path large = dir_ / "large";
  std::ofstream(large) << std::string((std::size_t{1} << 20) + 1, '#');
  for (const fs::path& file : {folder, fifo, large}) {
    SCOPED_TRACE(file.string());
    const PrinterMap map = ReadMapFiles({file, std::nullopt});
    ASSERT_EQ(map.problems.size(), 1u);
    EXPECT_EQ(map.problems[0].file, file.string());
    EXPECT_EQ(map.problems[0].line, 0u);
  }
}

}  // namespace
}  // namespace vant::printermap
