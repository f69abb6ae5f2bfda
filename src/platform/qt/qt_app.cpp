#include "platform/qt/qt_app.h"

#include <QApplication>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstdlib>
#include <stdexcept>

#include "platform/qt/qt_fonts.h"

namespace vant::qt {
namespace {

// While the application starts, Qt looks for a Wayland socket in the user's runtime
// directory even when its platform is chosen, and says on standard error that
// XDG_RUNTIME_DIR is not set wherever it is not (root, cron, CI), although nothing of this
// program uses that directory. That one notice is held back while the application starts;
// every other message goes to the handler that was in place.
QtMessageHandler previousHandler = nullptr;

void HoldBackRuntimeDirNotice(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths: XDG_RUNTIME_DIR not set"))) {
    return;
  }
  // Qt hands back its default handler when none was installed before.
  if (previousHandler != nullptr) previousHandler(type, context, message);
}

class RuntimeDirNoticeHeldBack {
 public:
  RuntimeDirNoticeHeldBack() { previousHandler = qInstallMessageHandler(HoldBackRuntimeDirNotice); }
  ~RuntimeDirNoticeHeldBack() {
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
  }
  RuntimeDirNoticeHeldBack(const RuntimeDirNoticeHeldBack&) = delete;
  RuntimeDirNoticeHeldBack& operator=(const RuntimeDirNoticeHeldBack&) = delete;
};

}  // namespace

std::unique_ptr<QGuiApplication> StartQt(int& argc, char** argv, bool windowed) {
  if (QCoreApplication::instance() != nullptr) {
    throw std::logic_error("Qt のアプリケーションは既に起動しています");
  }
  // fontconfig reads its configuration once, when Qt first asks for fonts: it has to be in
  // place before the application exists.
  const std::string fonts = ShippedFontConfig().string();
  if (setenv("FONTCONFIG_FILE", fonts.c_str(), 1) != 0) {
    throw std::runtime_error("環境変数 FONTCONFIG_FILE を設定できません");
  }
  if (!windowed && setenv("QT_QPA_PLATFORM", "offscreen", 1) != 0) {
    throw std::runtime_error("環境変数 QT_QPA_PLATFORM を設定できません");
  }
  const RuntimeDirNoticeHeldBack quiet;
  if (windowed) return std::make_unique<QApplication>(argc, argv);
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace vant::qt
