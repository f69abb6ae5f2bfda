// Running the built vant command as a child process with an environment of the test's
// choosing: its own working directory, a home and runtime directory of its own, the print
// server the test names (or none), and a time limit after which the child is killed.
// Standard output and error go to files, so that a child that writes a lot never blocks.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace vant::test {

// The built vant command (VANT_BINARY, set by the build).
std::filesystem::path VantBinary();

// A fresh empty directory, removed with everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
  // The names directly in the directory, sorted.
  std::vector<std::string> Names() const;

 private:
  std::filesystem::path path_;
};

struct VantOptions {
  std::filesystem::path workDir;
  // Variables on top of the controlled base (PATH, HOME, XDG_RUNTIME_DIR, LANG, LC_MESSAGES); an empty
  // optional removes a variable of the base.
  std::map<std::string, std::optional<std::string>> env;
  // CUPS_SERVER, CUPS_SERVERROOT and VANT_CUPS_OUTPUT of the test's own environment (the
  // private print server) are passed on; without it CUPS_SERVER names a socket that does
  // not exist, so the machine's own print server is never asked.
  bool privatePrintServer = false;
  // Standard error into the same file as standard output, in the order written.
  bool mergeOutput = false;
  // A file size limit (RLIMIT_FSIZE, bytes) for the child.
  std::optional<long> fileSizeLimit;
  // SIGXFSZ ignored in the child, so that a write over the limit fails with EFBIG
  // instead of killing it.
  bool ignoreFileSizeSignal = false;
  // The child's file mode creation mask, when not the test's own.
  std::optional<mode_t> umask;
  // A folder the child sees as /dev, in a mount namespace of its own (private_system_log.h):
  // the device nodes it names are bound to the machine's, its "log" is the test's socket.
  std::optional<std::filesystem::path> devFolder;
  std::chrono::seconds timeout{60};
  // Standard input: these bytes (read from a file), else /dev/null; with inputPipe, a pipe
  // the test writes into (VantProcess::WriteInput) and closes (CloseInput).
  std::optional<std::string> input;
  bool inputPipe = false;
};

struct VantResult {
  bool exited = false;       // ended by exit()
  int status = -1;           // the exit status when exited
  int signal = 0;            // the signal that ended it otherwise
  bool timedOut = false;     // killed at the time limit
  std::string out;           // standard output (both streams with mergeOutput)
  std::string err;           // standard error
  // "exit 2" / "signal 11" / "timed out", and what it wrote, for failure messages.
  std::string Describe() const;
};

// A running vant command.
class VantProcess {
 public:
  VantProcess(const std::vector<std::string>& args, VantOptions options);
  ~VantProcess();  // kills and reaps a child still running
  VantProcess(const VantProcess&) = delete;
  VantProcess& operator=(const VantProcess&) = delete;

  // With options.inputPipe: bytes into the child's standard input, and its end.
  void WriteInput(const std::string& bytes);
  void CloseInput();
  // True while the child has not ended (it is reaped when it has).
  bool Running();
  void Signal(int signal);
  // Waits for the end, killing the child at the time limit counted from its start.
  VantResult Wait();

 private:
  VantOptions options_;
  std::unique_ptr<TempDir> private_;  // home, runtime directory and the output files
  std::filesystem::path outFile_, errFile_;
  pid_t pid_ = -1;
  int inputPipe_ = -1;  // the write end, with options.inputPipe
  std::optional<int> waitStatus_;
  std::chrono::steady_clock::time_point deadline_;
  bool timedOut_ = false;
};

// Runs vant to its end.
VantResult RunVant(const std::vector<std::string>& args, const VantOptions& options);
// Runs vant to its end in the directory, without a print server.
VantResult RunVantIn(const TempDir& dir, const std::vector<std::string>& args);

// The file's bytes; throws naming the file when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& bytes);

}  // namespace vant::test
