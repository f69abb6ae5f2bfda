// A stand-in for the desktop's notification service and file manager on a test's private
// D-Bus session bus: it answers org.freedesktop.Notifications (GetCapabilities,
// GetServerInformation, Notify, CloseNotification) and org.freedesktop.FileManager1
// (ShowItems, ShowFolders), writes every call as a line of JSON into LOG
// ({"interface":…,"member":…,"args":[…]}), and lets the test invoke a notice's action
// (InvokeAction(u id, s key) of org.vant3.test.Fake at /fake emits ActionInvoked).
//
//   vant_fake_notifications LOG [--plain-body] [--no-file-manager]
//
// --plain-body: a service without "body-markup"; --no-file-manager: no FileManager1 on the
// bus. It says "ready" on standard output once its names are taken.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QVariant>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const QString kNotifications = QStringLiteral("org.freedesktop.Notifications");
const QString kNotificationsPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kFileManager = QStringLiteral("org.freedesktop.FileManager1");
const QString kFake = QStringLiteral("org.vant3.test.Fake");

QJsonValue Json(const QVariant& value) {
  if (value.canConvert<QStringList>() && value.typeId() != QMetaType::QString) {
    return QJsonArray::fromStringList(value.toStringList());
  }
  if (value.typeId() == QMetaType::QString) return value.toString();
  if (value.canConvert<qlonglong>()) return value.toLongLong();
  return value.toString();
}

class Fake final : public QDBusVirtualObject {
 public:
  Fake(const std::string& log, bool plainBody) : log_(log, std::ios::app), plainBody_(plainBody) {}

  QString introspect(const QString&) const override { return {}; }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    if (message.type() != QDBusMessage::MethodCallMessage) return false;
    const QString member = message.member();
    if (message.interface() != kFake) Record(message);
    QDBusMessage reply;
    if (member == "GetCapabilities") {
      QStringList capabilities{"actions", "body"};
      if (!plainBody_) capabilities << "body-markup";
      reply = message.createReply(QVariant(capabilities));
    } else if (member == "GetServerInformation") {
      reply = message.createReply(QVariantList{"fake", "vant3 tests", "1", "1.2"});
    } else if (member == "Notify") {
      reply = message.createReply(QVariant::fromValue(uint(++lastId_)));
    } else if (member == "CloseNotification" || member == "ShowItems" || member == "ShowFolders") {
      reply = message.createReply();
    } else if (member == "InvokeAction") {
      QDBusMessage signal = QDBusMessage::createSignal(kNotificationsPath, kNotifications, "ActionInvoked");
      signal << message.arguments().value(0) << message.arguments().value(1);
      connection.send(signal);
      reply = message.createReply();
    } else {
      reply = message.createErrorReply(QDBusError::UnknownMethod, member);
    }
    connection.send(reply);
    return true;
  }

 private:
  void Record(const QDBusMessage& message) {
    QJsonArray args;
    for (const QVariant& argument : message.arguments()) args.append(Json(argument));
    const QJsonObject call{{"interface", message.interface()}, {"member", message.member()}, {"args", args}};
    log_ << QJsonDocument(call).toJson(QJsonDocument::Compact).toStdString() << std::endl;
  }

  std::ofstream log_;
  bool plainBody_;
  uint lastId_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments();
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) {
    std::fprintf(stderr, "no session bus: %s\n", qPrintable(bus.lastError().message()));
    return 1;
  }
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: vant_fake_notifications LOG [--plain-body] [--no-file-manager]\n");
    return 2;
  }
  Fake fake(args[1].toStdString(), args.contains("--plain-body"));
  const auto take = [&](const QString& service, const QString& path) {
    if (!bus.registerVirtualObject(path, &fake) || !bus.registerService(service)) {
      std::fprintf(stderr, "cannot take %s: %s\n", qPrintable(service), qPrintable(bus.lastError().message()));
      std::exit(1);
    }
  };
  take(kNotifications, kNotificationsPath);
  if (!args.contains("--no-file-manager")) take(kFileManager, "/org/freedesktop/FileManager1");
  take(kFake, "/fake");
  std::printf("ready\n");
  std::fflush(stdout);
  return app.exec();
}
