#include "vant_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/system/descriptor.h"

namespace vant::test {
namespace {

// How often a waiting test looks at the child again.
constexpr std::chrono::milliseconds kPollInterval{10};

std::optional<std::string> Getenv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

// Only async-signal-safe calls between fork and exec: this writes the reason and ends.
[[noreturn]] void ChildFails(const char* what) {
  const char* reason = std::strerror(errno);
  const char prefix[] = "vant test harness: ";
  ssize_t ignored = write(STDERR_FILENO, prefix, sizeof prefix - 1);
  ignored = write(STDERR_FILENO, what, std::strlen(what));
  ignored = write(STDERR_FILENO, ": ", 2);
  ignored = write(STDERR_FILENO, reason, std::strlen(reason));
  ignored = write(STDERR_FILENO, "\n", 1);
  (void)ignored;
  _exit(127);
}

}  // namespace

std::filesystem::path VantBinary() { return VANT_BINARY; }

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vant-app-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ignored;
  // A test may have taken the permissions away from something inside.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string VantResult::Describe() const {
  std::ostringstream text;
  if (timedOut) {
    text << "timed out";
  } else if (exited) {
    text << "exit " << status;
  } else {
    text << "signal " << signal;
  }
  text << "\n--- stdout\n" << out << "--- stderr\n" << err << "---";
  return text.str();
}

VantProcess::VantProcess(const std::vector<std::string>& args, VantOptions options)
    : options_(std::move(options)), private_(std::make_unique<TempDir>()) {
  const TempDir& own = *private_;
  std::filesystem::create_directory(own / "home");
  std::filesystem::create_directory(own / "run");
  std::filesystem::permissions(own / "run", std::filesystem::perms::owner_all);
  outFile_ = own / "stdout";
  errFile_ = own / "stderr";

  std::map<std::string, std::optional<std::string>> env = {
      {"PATH", "/usr/local/bin:/usr/bin:/bin"},
      {"HOME", (own / "home").string()},
      {"XDG_RUNTIME_DIR", (own / "run").string()},
      {"LANG", "C.UTF-8"},
      // The command line speaks Japanese, as on the desks it is made for; the tests of its
      // English remove this (the C library's own locale stays C.UTF-8).
      {"LC_MESSAGES", "ja_JP.UTF-8"},
      {"CUPS_SERVER", (own / "no-print-server.sock").string()},
  };
  // A sanitized build reports through these.
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
    if (auto value = Getenv(name)) env[name] = *value;
  }
  if (options_.privatePrintServer) {
    for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT", "VANT_CUPS_OUTPUT"}) {
      const auto value = Getenv(name);
      if (!value) throw std::runtime_error(std::string(name) + " is not set: run this test through ctest");
      env[name] = *value;
    }
  }
  for (const auto& [name, value] : options_.env) env[name] = value;

  std::vector<std::string> envText;
  for (const auto& [name, value] : env) {
    if (value) envText.push_back(name + "=" + *value);
  }
  std::vector<std::string> argText{VantBinary().string()};
  argText.insert(argText.end(), args.begin(), args.end());
  // Everything the child needs is prepared before the fork.
  std::vector<char*> argv, envp;
  for (auto& a : argText) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  const std::string workDir = options_.workDir.string();
  // The device nodes bound into the private /dev, each a path made before the fork.
  std::vector<std::pair<std::string, std::string>> devBinds;
  const std::string devFolder = options_.devFolder ? options_.devFolder->string() : std::string();
  if (options_.devFolder) {
    for (const char* node : {"null", "zero", "random", "urandom", "full", "tty", "shm", "pts"}) {
      devBinds.emplace_back(std::string("/dev/") + node, (*options_.devFolder / node).string());
    }
  }
  const std::string outPath = outFile_.string();
  const std::string errPath = errFile_.string();
  std::string inPath = "/dev/null";
  if (options_.input) {
    inPath = (own / "stdin").string();
    WriteFile(inPath, *options_.input);
  }

  int pipeEnds[2] = {-1, -1};
  if (options_.inputPipe && pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  deadline_ = std::chrono::steady_clock::now() + options_.timeout;
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid_ == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0600);
    if (out < 0 || dup2(out, STDOUT_FILENO) < 0) ChildFails("stdout");
    const int err = options_.mergeOutput ? out : open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err < 0 || dup2(err, STDERR_FILENO) < 0) ChildFails("stderr");
    const int in = options_.inputPipe ? pipeEnds[0] : open(inPath.c_str(), O_RDONLY);
    if (in < 0 || dup2(in, STDIN_FILENO) < 0) ChildFails("stdin");
    if (!workDir.empty() && chdir(workDir.c_str()) != 0) ChildFails("chdir");
    if (!devFolder.empty()) {
      if (unshare(CLONE_NEWNS) != 0) ChildFails("unshare");
      if (mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) ChildFails("mount --make-rprivate");
      for (const auto& [node, place] : devBinds) {
        if (mount(node.c_str(), place.c_str(), nullptr, MS_BIND, nullptr) != 0) ChildFails("mount --bind");
      }
      if (mount(devFolder.c_str(), "/dev", nullptr, MS_BIND | MS_REC, nullptr) != 0) ChildFails("mount /dev");
    }
    if (options_.fileSizeLimit) {
      const rlimit limit{static_cast<rlim_t>(*options_.fileSizeLimit), static_cast<rlim_t>(*options_.fileSizeLimit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) ChildFails("setrlimit");
    }
    signal(SIGXFSZ, options_.ignoreFileSizeSignal ? SIG_IGN : SIG_DFL);
    if (options_.umask) ::umask(*options_.umask);
    execve(argv[0], argv.data(), envp.data());
    ChildFails(argv[0]);
  }
  if (options_.inputPipe) {
    close(pipeEnds[0]);
    inputPipe_ = pipeEnds[1];
  }
}

void VantProcess::WriteInput(const std::string& bytes) {
  if (!system::WriteAll(inputPipe_, bytes)) throw std::runtime_error("cannot write to the child's standard input");
}

void VantProcess::CloseInput() {
  if (inputPipe_ >= 0) close(inputPipe_);
  inputPipe_ = -1;
}

VantProcess::~VantProcess() {
  CloseInput();
  if (Running()) {
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
}

bool VantProcess::Running() {
  if (waitStatus_) return false;
  int status = 0;
  const pid_t ended = waitpid(pid_, &status, WNOHANG);
  if (ended == pid_) {
    waitStatus_ = status;
    return false;
  }
  if (ended < 0) throw std::runtime_error(std::string("waitpid: ") + std::strerror(errno));
  return true;
}

void VantProcess::Signal(int signal) {
  if (Running()) kill(pid_, signal);
}

VantResult VantProcess::Wait() {
  while (Running()) {
    if (std::chrono::steady_clock::now() > deadline_) {
      timedOut_ = true;
      kill(pid_, SIGKILL);
      int status = 0;
      waitpid(pid_, &status, 0);
      waitStatus_ = status;
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  VantResult result;
  result.timedOut = timedOut_;
  result.exited = WIFEXITED(*waitStatus_);
  if (result.exited) result.status = WEXITSTATUS(*waitStatus_);
  if (WIFSIGNALED(*waitStatus_)) result.signal = WTERMSIG(*waitStatus_);
  result.out = ReadFile(outFile_);
  if (!options_.mergeOutput) result.err = ReadFile(errFile_);
  return result;
}

VantResult RunVant(const std::vector<std::string>& args, const VantOptions& options) {
  VantProcess process(args, options);
  return process.Wait();
}

VantResult RunVantIn(const TempDir& dir, const std::vector<std::string>& args) {
  VantOptions options;
  options.workDir = dir.Path();
  return RunVant(args, options);
}

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << bytes;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace vant::test
