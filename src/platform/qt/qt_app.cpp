#include "platform/qt/qt_app.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdlib>
#include <stdexcept>

#include "platform/qt/qt_fonts.h"

namespace vant::qt {

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
  if (windowed) return std::make_unique<QApplication>(argc, argv);
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace vant::qt
