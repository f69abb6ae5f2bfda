// Writing whole files: a full disk leaves the earlier file and no new one, devices and
// FIFOs are written into and stay what they are, the program's own names pass over
// everything that holds a name (also as a user to whom those names are closed), and a
// file the user names is checked before any work.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <grp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <vector>

#include "platform/files/file_writing.h"
#include "small_tmpfs.h"

namespace vant::files {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void Write(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A fresh directory on the ordinary temporary filesystem.
class FilesTest : public testing::Test {
 protected:
  FilesTest() {
    std::string pattern = (fs::temp_directory_path() / "vant-files-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
    dir_ = pattern;
  }
  ~FilesTest() override { fs::remove_all(dir_); }
  fs::path dir_;
};

TEST(FullDisk, AFailedWriteKeepsTheEarlierFileAndLeavesNoNewOne) {
  const std::string big(256 * 1024, 'p');
  const struct {
    int line;
    std::function<void(const fs::path& dir)> write;
  } writers[] = {
      {__LINE__, [&](const fs::path& dir) { WriteNamedFile(dir / "keep.pdf", big); }},
      {__LINE__, [&](const fs::path& dir) { WriteNamedFile(dir / "new.pdf", big); }},
      {__LINE__, [&](const fs::path& dir) { WriteNewNumberedFile(dir / "keep.pdf", 2, big); }},
      // Nothing is left free at all: even a small write fails, at the end.
      {__LINE__, [&](const fs::path& dir) { WriteNewNumberedFile(dir / "keep.pdf", 1, "%PDF-1.4 small"); }},
  };
  for (const auto& writer : writers) {
    SCOPED_TRACE(writer.line);
    test::SmallTmpfs disk(512);
    Write(disk / "keep.pdf", "the good earlier document");
    disk.FillLeaving(0);
    try {
      writer.write(disk.Path());
      ADD_FAILURE() << "a write on a full disk was reported as done";
    } catch (const FileWriteFailure& failure) {
      EXPECT_EQ(failure.Error(), ENOSPC);
      EXPECT_EQ(ToUtf8(failure.Reason()), "ディスクの空き容量が不足しています");
    }
    EXPECT_EQ(Read(disk / "keep.pdf"), "the good earlier document");
    EXPECT_EQ(Names(disk.Path()), (std::vector<std::string>{"filler", "keep.pdf"}));
  }
}

TEST(FullDisk, ASeriesOnANearlyFullDiskWritesWholeFilesUntilTheFirstFailure) {
  test::SmallTmpfs disk(512);
  disk.FillLeaving(64 * 1024);
  const std::string document(20 * 1024, 'd');
  std::vector<fs::path> written;
  try {
    for (int next = 1;;) {
      const NewFile made = WriteNewNumberedFile(disk / "run.pdf", next, document);
      written.push_back(made.file);
      next = made.number + 1;
    }
  } catch (const FileWriteFailure& failure) {
    EXPECT_EQ(failure.Error(), ENOSPC);
  }
  ASSERT_GE(written.size(), 1u);
  ASSERT_LE(written.size(), 3u);
  EXPECT_EQ(Names(disk.Path()).size(), written.size() + 1);  // and the filler
  for (const fs::path& file : written) EXPECT_EQ(Read(file), document) << file;
}

TEST_F(FilesTest, DevicesAndFifosAreWrittenIntoAndStayWhatTheyAre) {
  // A copy of /dev/null's node: a write to it would replace it if it were renamed over.
  ASSERT_EQ(::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0) << std::strerror(errno);
  EXPECT_EQ(WriteNamedFile(dir_ / "null", "%PDF discarded"), NamedTarget::kStream);
  EXPECT_TRUE(fs::is_character_file(dir_ / "null"));

  ASSERT_EQ(::mkfifo((dir_ / "fifo.pdf").c_str(), 0600), 0) << std::strerror(errno);
  auto reader = std::async(std::launch::async, [&] { return Read(dir_ / "fifo.pdf"); });
  const std::string bytes(200 * 1024, 'q');  // more than a pipe holds at once
  EXPECT_EQ(WriteNamedFile(dir_ / "fifo.pdf", bytes), NamedTarget::kStream);
  EXPECT_EQ(reader.get(), bytes);
  EXPECT_TRUE(fs::is_fifo(dir_ / "fifo.pdf"));
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"fifo.pdf", "null"}));
}

TEST_F(FilesTest, ANamedFileIsReplacedWholeThroughItsLinkWithItsPermissions) {
  Write(dir_ / "real.pdf", std::string(50000, 'o'));
  fs::permissions(dir_ / "real.pdf", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real.pdf", dir_ / "link.pdf");
  EXPECT_EQ(WriteNamedFile(dir_ / "link.pdf", "new"), NamedTarget::kRegular);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.pdf"));
  EXPECT_EQ(Read(dir_ / "real.pdf"), "new");
  EXPECT_EQ(fs::status(dir_ / "real.pdf").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(WriteNamedFile(dir_ / "fresh.pdf", "fresh"), NamedTarget::kNew);
  EXPECT_EQ(Read(dir_ / "fresh.pdf"), "fresh");
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"fresh.pdf", "link.pdf", "real.pdf"}));
}

TEST_F(FilesTest, TheSeriesPassesOverEveryNameThatIsHeld) {
  Write(dir_ / "victim.txt", "keep me");
  Write(dir_ / "report-2.pdf", "an earlier report");
  fs::create_symlink(dir_ / "victim.txt", dir_ / "report-3.pdf");
  fs::create_symlink(dir_ / "created-through-link", dir_ / "report-4.pdf");  // leads nowhere
  fs::create_directory(dir_ / "report-5.pdf");
  const NewFile made = WriteNewNumberedFile(dir_ / "report.pdf", 2, "fourth");
  EXPECT_EQ(made.file, dir_ / "report-6.pdf");
  EXPECT_EQ(made.number, 6);
  EXPECT_EQ(Read(dir_ / "report-6.pdf"), "fourth");
  // Number 1 is free and taken when the series starts there.
  EXPECT_EQ(WriteNewNumberedFile(dir_ / "report.pdf", 1, "first").file, dir_ / "report.pdf");
  EXPECT_EQ(Read(dir_ / "victim.txt"), "keep me");
  EXPECT_EQ(Read(dir_ / "report-2.pdf"), "an earlier report");
  EXPECT_FALSE(fs::exists(dir_ / "created-through-link"));
  EXPECT_TRUE(fs::is_empty(dir_ / "report-5.pdf"));
  EXPECT_EQ(Names(dir_), (std::vector<std::string>{"report-2.pdf", "report-3.pdf", "report-4.pdf", "report-5.pdf",
                                                   "report-6.pdf", "report.pdf", "victim.txt"}));
}

TEST_F(FilesTest, ALinkPlantedByAnotherUserInAStickyDirectoryIsNotFollowed) {
  const fs::path shared = dir_ / "shared";
  fs::create_directory(shared);
  ::chmod(shared.c_str(), 01777);
  Write(dir_ / "victim.txt", "root's file");
  fs::create_symlink(dir_ / "victim.txt", shared / "out.pdf");
  ASSERT_EQ(::lchown((shared / "out.pdf").c_str(), 65534, 65534), 0) << std::strerror(errno);  // nobody
  EXPECT_EQ(WriteNewNumberedFile(shared / "out.pdf", 1, "document").file, shared / "out-2.pdf");
  EXPECT_EQ(Read(dir_ / "victim.txt"), "root's file");
  EXPECT_EQ(Read(shared / "out-2.pdf"), "document");
}

constexpr uid_t kNobody = 65534;

// Starts the series `first` in a child process running as user nobody (the tests run as
// root, whom no permission stops) and says what came of it: "made FILE", or "folder
// FOLDER: REASON" for a folder that took no file.
std::string SeriesAsNobody(const fs::path& first) {
  int channel[2];
  if (::pipe(channel) != 0) throw std::runtime_error("pipe: " + std::string(std::strerror(errno)));
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("fork: " + std::string(std::strerror(errno)));
  if (child == 0) {
    ::close(channel[0]);
    std::string outcome;
    if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
        ::setresuid(kNobody, kNobody, kNobody) != 0) {
      outcome = "cannot become nobody: " + std::string(std::strerror(errno));
    } else {
      try {
        outcome = "made " + WriteNewNumberedFile(first, 1, "document").file.string();
      } catch (const FolderWriteFailure& failure) {
        outcome = "folder " + failure.Folder().string() + ": " + ToUtf8(failure.Reason());
      } catch (const std::exception& failure) {
        outcome = std::string("failed: ") + failure.what();
      }
    }
    const ssize_t written = ::write(channel[1], outcome.data(), outcome.size());
    ::_exit(written == static_cast<ssize_t>(outcome.size()) ? 0 : 1);
  }
  ::close(channel[1]);
  std::string outcome;
  char buffer[512];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) outcome.append(buffer, static_cast<std::size_t>(got));
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) outcome += " (the child did not finish)";
  return outcome;
}

TEST_F(FilesTest, AsAnotherUserEveryHeldNameIsPassedOverAndOnlyAClosedFolderFails) {
  // A shared folder like /tmp, where the user may create files but not touch root's.
  const fs::path shared = dir_ / "shared";
  fs::create_directory(shared);
  ASSERT_EQ(::chmod(dir_.c_str(), 0755), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  Write(dir_ / "secret", "root's only");
  ASSERT_EQ(::chmod((dir_ / "secret").c_str(), 0600), 0);
  const struct {
    const char* name;
    std::function<void(const fs::path&)> hold;
  } holders[] = {
      {"order.pdf", [](const fs::path& at) { Write(at, "root's, no permission"), fs::permissions(at, fs::perms::none); }},
      {"order-2.pdf", [](const fs::path& at) { fs::create_directory(at), fs::permissions(at, fs::perms::none); }},
      {"order-3.pdf", [&](const fs::path& at) { fs::create_symlink(dir_ / "secret", at); }},
      {"order-4.pdf", [](const fs::path& at) { fs::create_symlink("nowhere", at); }},
      {"order-5.pdf", [](const fs::path& at) { ASSERT_EQ(::mkfifo(at.c_str(), 0600), 0); }},
      {"order-6.pdf", [](const fs::path& at) {
         Write(at, "another user's");
         ASSERT_EQ(::chown(at.c_str(), 65533, 65533), 0) << std::strerror(errno);
         fs::permissions(at, fs::perms::owner_read);
       }},
  };
  for (const auto& holder : holders) holder.hold(shared / holder.name);

  EXPECT_EQ(SeriesAsNobody(shared / "order.pdf"), "made " + (shared / "order-7.pdf").string());
  EXPECT_EQ(Read(shared / "order-7.pdf"), "document");
  struct stat made {};
  ASSERT_EQ(::stat((shared / "order-7.pdf").c_str(), &made), 0);
  EXPECT_EQ(made.st_uid, kNobody);
  // Every holder stays what it was.
  EXPECT_EQ(fs::status(shared / "order.pdf").permissions(), fs::perms::none);
  EXPECT_TRUE(fs::is_directory(shared / "order-2.pdf"));
  EXPECT_EQ(Read(dir_ / "secret"), "root's only");
  EXPECT_TRUE(fs::is_fifo(shared / "order-5.pdf"));
  EXPECT_EQ(Read(shared / "order-6.pdf"), "another user's");
  EXPECT_EQ(Names(shared).size(), std::size(holders) + 1);

  // A folder the user may enter but not write in: the folder is named, not a file, whether
  // the first name is held (as root's order.pdf in "/") or free.
  const fs::path closed = dir_ / "closed";
  fs::create_directory(closed);
  ASSERT_EQ(::chmod(closed.c_str(), 0755), 0);
  Write(closed / "order.pdf", "root's");
  for (const char* first : {"order.pdf", "invoice.pdf"}) {
    EXPECT_EQ(SeriesAsNobody(closed / first), "folder " + closed.string() + ": アクセスが拒否されました") << first;
  }
  EXPECT_EQ(Names(closed), std::vector<std::string>{"order.pdf"});
}

TEST_F(FilesTest, ANamedFileIsCheckedBeforeAnyWork) {
  fs::create_directory(dir_ / "folder");
  Write(dir_ / "plain", "x");
  fs::create_symlink("nowhere", dir_ / "dangling.pdf");
  fs::create_symlink("plain", dir_ / "link");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  ASSERT_EQ(::mknod((dir_ / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (dir_ / "socket").string();
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(sock);

  const struct {
    int line;
    const char* name;
    std::optional<NamedTarget> target;  // none: refused
    const char* reason;
  } cases[] = {
      {__LINE__, "new.pdf", NamedTarget::kNew, ""},
      {__LINE__, "plain", NamedTarget::kRegular, ""},
      {__LINE__, "link", NamedTarget::kRegular, ""},
      {__LINE__, "fifo", NamedTarget::kStream, ""},
      {__LINE__, "null", NamedTarget::kStream, ""},
      {__LINE__, "folder", std::nullopt, "ディレクトリです"},
      {__LINE__, "missing/dir/x.pdf", std::nullopt, "ファイルまたはディレクトリがありません"},
      {__LINE__, "plain/x.pdf", std::nullopt, "パスの途中がディレクトリではありません"},
      {__LINE__, "dangling.pdf", std::nullopt, "シンボリックリンクの先がありません"},
      {__LINE__, "socket", std::nullopt, "通常のファイルでも文字デバイスや FIFO でもありません"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    try {
      const NamedTarget target = CheckNamedTarget(dir_ / c.name);
      ASSERT_TRUE(c.target) << c.name << " was not refused";
      EXPECT_EQ(target, *c.target) << c.name;
    } catch (const FileWriteFailure& failure) {
      EXPECT_FALSE(c.target) << c.name << ": " << failure.what();
      EXPECT_EQ(ToUtf8(failure.Reason()), c.reason);
      EXPECT_EQ(failure.File(), dir_ / c.name);
    }
  }
  EXPECT_FALSE(fs::exists(dir_ / "new.pdf"));
  // The descriptors the process holds: written into when open for writing.
  EXPECT_EQ(CheckNamedTarget("/dev/stdout"), NamedTarget::kStream);
  EXPECT_EQ(CheckNamedTarget("/dev/fd/2"), NamedTarget::kStream);
  EXPECT_THROW(CheckNamedTarget("/proc/self/fd/987"), FileWriteFailure);
}

}  // namespace
}  // namespace vant::files
