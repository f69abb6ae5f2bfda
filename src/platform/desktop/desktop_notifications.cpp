#include "platform/desktop/desktop_notifications.h"

#include <QDBusConnection>
#include <QThread>

#include <cstdlib>
#include <filesystem>

#include "platform/desktop/notification_client.h"

namespace vant::desktop {
namespace {

// The connection's name among the process's D-Bus connections.
const QString kConnectionName = QStringLiteral("vant3-desktop-notices");

// The session bus, when one is named or stands at its usual place; nothing otherwise (an
// unnamed bus would make the D-Bus library try to start one). A connection of its own: the
// shared one holds incoming signals back until the main thread runs an event loop, which
// the host, reading its requests, never does.
std::optional<QDBusConnection> SessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const bool named = address != nullptr && *address != '\0';
  std::error_code ignored;
  const bool there = runtime != nullptr && *runtime == '/' &&
                     std::filesystem::is_socket(std::filesystem::path(runtime) / "bus", ignored);
  if (!named && !there) return std::nullopt;
  QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, kConnectionName);
  if (!bus.isConnected()) {
    QDBusConnection::disconnectFromBus(kConnectionName);
    return std::nullopt;
  }
  return bus;
}

}  // namespace

DesktopNotifications::DesktopNotifications() {
  const std::optional<QDBusConnection> bus = SessionBus();
  if (!bus) return;
  thread_ = std::make_unique<QThread>();
  client_ = new NotificationClient(*bus);  // owned by the thread's end (deleteLater)
  client_->moveToThread(thread_.get());
  QObject::connect(thread_.get(), &QThread::finished, client_, &QObject::deleteLater);
  thread_->start();
}

DesktopNotifications::~DesktopNotifications() {
  if (!thread_) return;
  // The notices handed over are sent before the thread ends (each call has its time limit):
  // the last print of a page that closes at once is told too.
  QMetaObject::invokeMethod(client_, [] {}, Qt::BlockingQueuedConnection);
  thread_->quit();
  thread_->wait();
  QDBusConnection::disconnectFromBus(kConnectionName);
}

void DesktopNotifications::Show(DesktopNotice notice) {
  if (!thread_) return;
  NotificationClient* client = client_;
  QMetaObject::invokeMethod(client, [client, notice = std::move(notice)] { client->Send(notice); }, Qt::QueuedConnection);
}

}  // namespace vant::desktop
