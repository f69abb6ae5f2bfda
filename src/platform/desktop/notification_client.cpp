#include "platform/desktop/notification_client.h"

#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

namespace vant::desktop {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kFileManager = QStringLiteral("org.freedesktop.FileManager1");
const QString kFileManagerPath = QStringLiteral("/org/freedesktop/FileManager1");
// The action clicking the notice itself takes, and the action's own button.
const QString kDefaultAction = QStringLiteral("default");
const QString kOpenFolderAction = QStringLiteral("open-folder");
// Milliseconds a call to a service may take; past it the notice is passed over.
constexpr int kCallTimeoutMs = 5000;
// Notices whose action is still offered, the oldest forgotten beyond this many.
constexpr std::size_t kRememberedFiles = 64;

QString Q(TextView text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

NotificationClient::NotificationClient(QDBusConnection bus) : bus_(std::move(bus)) {
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this, SLOT(OnActionInvoked(uint, QString)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this, SLOT(OnClosed(uint, uint)));
}

bool NotificationClient::BodyIsMarkup() {
  if (!bodyMarkup_) {
    const QDBusMessage ask = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
    const QDBusReply<QStringList> capabilities = bus_.call(ask, QDBus::Block, kCallTimeoutMs);
    // A service that does not say is taken to read markup: escaped text reads right on
    // it, while a page's "<a href=…>" in a file name must never become markup.
    bodyMarkup_ = !capabilities.isValid() || capabilities.value().contains(QStringLiteral("body-markup"));
  }
  return *bodyMarkup_;
}

void NotificationClient::Send(const DesktopNotice& notice) {
  const QString body = BodyIsMarkup() ? Q(notice.body).toHtmlEscaped() : Q(notice.body);
  QStringList actions;
  if (notice.shownFile) actions << kDefaultAction << Q(kOpenFolderCaption) << kOpenFolderAction << Q(kOpenFolderCaption);
  QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  notify << QStringLiteral("Vant3") << uint{0} << QStringLiteral("printer") << Q(notice.summary) << body << actions
         << QVariantMap{} << int{-1};
  const QDBusReply<uint> id = bus_.call(notify, QDBus::Block, kCallTimeoutMs);
  if (!id.isValid() || !notice.shownFile) return;
  shownFiles_[id.value()] = *notice.shownFile;
  while (shownFiles_.size() > kRememberedFiles) shownFiles_.erase(shownFiles_.begin());
}

void NotificationClient::OnActionInvoked(uint id, const QString& action) {
  const auto found = shownFiles_.find(id);
  if (found == shownFiles_.end() || (action != kDefaultAction && action != kOpenFolderAction)) return;
  ShowInFolder(found->second);
}

void NotificationClient::OnClosed(uint id, uint /*reason*/) { shownFiles_.erase(id); }

void NotificationClient::ShowInFolder(const std::filesystem::path& file) {
  QDBusMessage show = QDBusMessage::createMethodCall(kFileManager, kFileManagerPath, kFileManager, QStringLiteral("ShowItems"));
  show << QStringList{QUrl::fromLocalFile(QString::fromStdString(file.string())).toString(QUrl::FullyEncoded)}
       << QString();
  const QDBusMessage reply = bus_.call(show, QDBus::Block, kCallTimeoutMs);
  if (reply.type() != QDBusMessage::ErrorMessage) return;
  // No file manager on the bus: the desktop's own opener, on the folder.
  QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(file.parent_path().string())});
}

}  // namespace vant::desktop
