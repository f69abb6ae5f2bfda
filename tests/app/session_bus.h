// A D-Bus session bus of the test's own (dbus-daemon with a configuration of its own, on a
// socket in a temporary folder) and, on it, the stand-in notification service and file
// manager (vant_fake_notifications), whose record of calls the test reads.
#pragma once

#include <QJsonObject>

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "vant_process.h"

namespace vant::test {

class PrivateSessionBus {
 public:
  // fake: whether to start the stand-in services, with these options (--plain-body,
  // --no-file-manager). Throws when the bus or the stand-in does not start.
  explicit PrivateSessionBus(bool fake = true, const std::vector<std::string>& fakeOptions = {});
  ~PrivateSessionBus();
  PrivateSessionBus(const PrivateSessionBus&) = delete;
  PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;

  // For DBUS_SESSION_BUS_ADDRESS.
  const std::string& Address() const { return address_; }

  // The calls the stand-in has had, in order.
  std::vector<QJsonObject> Calls() const;
  // Waits until the calls satisfy the condition (at most `timeout`), then returns them.
  std::vector<QJsonObject> WaitForCalls(const std::function<bool(const std::vector<QJsonObject>&)>& done,
                                        std::chrono::seconds timeout = std::chrono::seconds(20)) const;
  // The stand-in service invokes the action of notice `id`, as a click on it would.
  void InvokeAction(unsigned id, const std::string& key) const;

 private:
  TempDir dir_;
  std::string address_;
  pid_t daemon_ = -1;
  pid_t fake_ = -1;
};

// The calls of one member.
std::vector<QJsonObject> CallsOf(const std::vector<QJsonObject>& calls, const std::string& member);

}  // namespace vant::test
