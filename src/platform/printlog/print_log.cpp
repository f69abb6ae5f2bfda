#include "platform/printlog/print_log.h"

#include <syslog.h>

namespace vant::printlog {

SystemLog::SystemLog() { ::openlog("vant", LOG_PID, LOG_LPR); }

SystemLog::~SystemLog() { ::closelog(); }

void SystemLog::Write(LogLevel level, const std::string& line) {
  // The line is data, never a format.
  ::syslog(level == LogLevel::kWarning ? LOG_WARNING : LOG_INFO, "%s", line.c_str());
}

}  // namespace vant::printlog
