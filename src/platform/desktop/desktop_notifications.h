// Notices on the user's desktop through the freedesktop notification service
// (org.freedesktop.Notifications on the D-Bus session bus), as other desktop programs give
// them. A notice with a file offers an action that opens the file's folder (the file
// manager's org.freedesktop.FileManager1, else xdg-open). Everything that talks to the bus
// runs on a thread of its own, so that a slow or missing service never holds the caller up;
// without a session bus or a notification service, notices are silently skipped.
#pragma once

#include <memory>

#include "platform/desktop/desktop_notice.h"

class QThread;

namespace vant::desktop {

class NotificationClient;

class DesktopNotifications {
 public:
  // Needs a running QCoreApplication. Connects only when a session bus is named
  // (DBUS_SESSION_BUS_ADDRESS) or there ($XDG_RUNTIME_DIR/bus): no bus is ever started.
  DesktopNotifications();
  ~DesktopNotifications();
  DesktopNotifications(const DesktopNotifications&) = delete;
  DesktopNotifications& operator=(const DesktopNotifications&) = delete;

  // Hands the notice to the notification thread and returns at once.
  void Show(DesktopNotice notice);

 private:
  std::unique_ptr<QThread> thread_;
  NotificationClient* client_ = nullptr;  // lives on thread_, deleted there when it ends
};

}  // namespace vant::desktop
