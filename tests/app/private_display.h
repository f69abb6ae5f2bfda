// A private X server (Xvfb) for a test that needs windows on a screen: Qt's offscreen
// platform shows nothing, and the window verbs refuse it.
#pragma once

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>

namespace vant::test {

// A private X server for the test, on a display number it chose itself and told through
// a pipe (-displayfd): numbers guessed from the process id met servers, and the sockets of
// killed servers, that were not the test's.
class PrivateDisplay {
 public:
  PrivateDisplay() {
    int told[2];
    if (pipe(told) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      close(told[0]);
      const std::string fd = std::to_string(told[1]);
      execl(VANT_XVFB, VANT_XVFB, "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
            static_cast<char*>(nullptr));
      _exit(127);
    }
    close(told[1]);
    std::string number;
    pollfd wait{told[0], POLLIN, 0};
    char c = 0;
    // Xvfb writes the number once its socket is ready, then a newline.
    while (poll(&wait, 1, 10000) == 1 && read(told[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(told[0]);
    if (number.empty() || c != '\n') throw std::runtime_error("Xvfb did not start");
    number_ = std::stoi(number);
  }
  ~PrivateDisplay() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  std::string Name() const { return ":" + std::to_string(number_); }

 private:
  int number_ = -1;
  pid_t pid_ = -1;
};

}  // namespace vant::test
