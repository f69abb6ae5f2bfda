// The notification thread's side of DesktopNotifications: it sends the notices, keeps the
// file of each notice shown, and answers the service's ActionInvoked signal by opening the
// file's folder.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>

#include "platform/desktop/desktop_notice.h"

namespace vant::desktop {

class NotificationClient final : public QObject {
  Q_OBJECT

 public:
  explicit NotificationClient(QDBusConnection bus);

  // Sends the notice; a service that is missing or fails is passed over.
  void Send(const DesktopNotice& notice);

 private slots:
  void OnActionInvoked(uint id, const QString& action);
  void OnClosed(uint id, uint reason);

 private:
  // Whether the service reads the body as markup (then the text is escaped for it).
  bool BodyIsMarkup();
  void ShowInFolder(const std::filesystem::path& file);

  QDBusConnection bus_;
  std::optional<bool> bodyMarkup_;  // asked once
  std::map<uint, std::filesystem::path> shownFiles_;  // by notification id
};

}  // namespace vant::desktop
