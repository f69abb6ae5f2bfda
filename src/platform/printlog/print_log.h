// Where the record of prints goes: the system log, under the identity "vant" (read it with
// `journalctl -t vant`). A line says where a page printed, never what it printed.
#pragma once

#include <string>
#include <string_view>

namespace vant::printlog {

enum class LogLevel { kInfo, kWarning };

class PrintLog {
 public:
  virtual ~PrintLog() = default;
  virtual void Write(LogLevel level, const std::string& line) = 0;
};

// syslog(3) at facility LOG_LPR, identity "vant" with the process id.
class SystemLog final : public PrintLog {
 public:
  SystemLog();
  ~SystemLog() override;
  SystemLog(const SystemLog&) = delete;
  SystemLog& operator=(const SystemLog&) = delete;
  void Write(LogLevel level, const std::string& line) override;
};

}  // namespace vant::printlog
