#include "session_bus.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonDocument>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "shell_command.h"

namespace vant::test {
namespace {

// Starts argv with the variables given before this process's own, standard output into a
// pipe whose read end is returned in `out`, standard error into the file `errors` (read when
// a start fails). Everything is prepared before the fork.
pid_t Start(const std::vector<std::string>& argv, std::vector<std::string> env, int& out,
            const std::filesystem::path& errors) {
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);  // the first of a name wins
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  const std::string errorsPath = errors.string();
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork");
  if (pid == 0) {
    dup2(ends[1], STDOUT_FILENO);
    const int err = open(errorsPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (err >= 0) dup2(err, STDERR_FILENO);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  close(ends[1]);
  out = ends[0];
  return pid;
}

// The first line the child writes, within 10 s; failing, what it said on its errors.
std::string FirstLine(int fd, const std::string& what, const std::filesystem::path& errors) {
  std::string line;
  pollfd wait{fd, POLLIN, 0};
  char c = 0;
  while (poll(&wait, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n') line.push_back(c);
  close(fd);
  if (c != '\n') throw std::runtime_error(what + " did not start: " + ReadFile(errors));
  return line;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
}

}  // namespace

PrivateSessionBus::PrivateSessionBus(bool fake, const std::vector<std::string>& fakeOptions) {
  const std::string socket = (dir_ / "bus").string();
  WriteFile(dir_ / "bus.conf", R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=)" + socket + R"(</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)");
  int out = -1;
  daemon_ = Start({VANT_DBUS_DAEMON, "--config-file=" + (dir_ / "bus.conf").string(), "--nofork", "--print-address=1"},
                  {}, out, dir_ / "errors.log");
  address_ = FirstLine(out, "dbus-daemon", dir_ / "errors.log");
  if (!fake) return;
  std::vector<std::string> argv{VANT_FAKE_NOTIFICATIONS, (dir_ / "calls.log").string()};
  argv.insert(argv.end(), fakeOptions.begin(), fakeOptions.end());
  fake_ = Start(argv, {"DBUS_SESSION_BUS_ADDRESS=" + address_}, out, dir_ / "errors.log");
  if (FirstLine(out, "the stand-in notification service", dir_ / "errors.log") != "ready") {
    throw std::runtime_error("the stand-in notification service did not start: " + ReadFile(dir_ / "errors.log"));
  }
}

PrivateSessionBus::~PrivateSessionBus() {
  Stop(fake_);
  Stop(daemon_);
}

std::vector<QJsonObject> PrivateSessionBus::Calls() const {
  std::vector<QJsonObject> calls;
  std::ifstream log(dir_ / "calls.log");
  std::string line;
  while (std::getline(log, line)) calls.push_back(QJsonDocument::fromJson(QByteArray::fromStdString(line)).object());
  return calls;
}

std::vector<QJsonObject> PrivateSessionBus::WaitForCalls(const std::function<bool(const std::vector<QJsonObject>&)>& done,
                                                         std::chrono::seconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    std::vector<QJsonObject> calls = Calls();
    if (done(calls) || std::chrono::steady_clock::now() > deadline) return calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

void PrivateSessionBus::InvokeAction(unsigned id, const std::string& key) const {
  RunShell(std::string(VANT_DBUS_SEND) + " --bus=" + ShellQuoted(address_) +
           " --print-reply --dest=org.vant3.test.Fake /fake org.vant3.test.Fake.InvokeAction uint32:" + std::to_string(id) +
           " string:" + ShellQuoted(key));
}

std::vector<QJsonObject> CallsOf(const std::vector<QJsonObject>& calls, const std::string& member) {
  std::vector<QJsonObject> of;
  for (const QJsonObject& call : calls) {
    if (call["member"].toString().toStdString() == member) of.push_back(call);
  }
  return of;
}

}  // namespace vant::test
