// A system log of the test's own: a datagram socket that a child started with
// VantOptions::devFolder sees as /dev/log, in a mount namespace of its own (the tests run
// as root), so that what the real syslog(3) call writes reaches the test and never the
// machine's journal.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vant_process.h"

namespace vant::test {

class PrivateSystemLog {
 public:
  // Throws when the socket or the folder cannot be made.
  PrivateSystemLog();
  ~PrivateSystemLog();
  PrivateSystemLog(const PrivateSystemLog&) = delete;
  PrivateSystemLog& operator=(const PrivateSystemLog&) = delete;

  // The folder to give as VantOptions::devFolder.
  const std::filesystem::path& DevFolder() const { return dev_; }
  // Every message received so far, each as syslog(3) sent it ("<PRI>TIME vant[PID]: TEXT").
  std::vector<std::string> Received();

 private:
  TempDir dir_;
  std::filesystem::path dev_;
  int socket_ = -1;
};

// The text of a syslog(3) datagram after its "IDENT[PID]: ", and its identity; the
// priority number in front.
struct SystemLogLine {
  int priority = -1;
  std::string identity;
  std::string text;
};
SystemLogLine ParseSystemLogLine(const std::string& datagram);

}  // namespace vant::test
