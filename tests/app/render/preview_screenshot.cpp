// Takes the picture of the preview window for the documentation, on a real X display
// (Xvfb): opens the window the preview button opens over a host page, goes to page 2 with
// the window's own next-page button, chooses "100%" in its zoom list, then grabs the
// whole screen, in the screen's device pixels. Not a test: scripts/preview-screenshots.sh
// runs it as
//   preview_screenshot PAGE OUT.png
// with DISPLAY set, and QT_SCALE_FACTOR for a scaled desktop. Without a window manager
// nothing maximises a window, so the helper gives the window the screen's area itself, as
// a window manager would.
#include <QApplication>
#include <QComboBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <iostream>
#include <memory>
#include <string>

#include "control/held_buttons.h"
#include "control/intake.h"
#include "engine/printer_object.h"
#include "platform/host/host_page_loader.h"
#include "platform/printing/printer_list.h"
#include "platform/qt/qt_app.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/preview/qt_preview_factory.h"
#include "platform/qt/stderr_messages.h"
#include "preview/run_preview.h"

namespace {

using vant::qt::QtPreviewHandle;

// Milliseconds between the steps, so that each is painted before the next.
constexpr int kStepMs = 700;

class ScriptedHandle final : public vant::PreviewWindowHandle {
 public:
  ScriptedHandle(std::string out, int& status) : out_(std::move(out)), status_(status) {}
  vant::PreviewView& View() override { return handle_.View(); }

  void ShowModal(vant::FrmPreview& window) override {
    auto& dialog = handle_.Dialog();
    QTimer::singleShot(kStepMs, &dialog, [&dialog] {
      const QRect screen = dialog.screen()->availableGeometry();
      if (dialog.frameGeometry() != screen) dialog.setGeometry(screen);
    });
    QTimer::singleShot(2 * kStepMs, &dialog, [&dialog] { dialog.NextPageWidget().click(); });
    QTimer::singleShot(3 * kStepMs, &dialog, [&dialog] {
      dialog.ZoomWidget().setCurrentIndex(dialog.ZoomWidget().findText(QStringLiteral("100%")));
    });
    QTimer::singleShot(5 * kStepMs, &dialog, [this, &dialog] {
      const QPixmap screen = dialog.screen()->grabWindow(0);
      status_ = !screen.isNull() && screen.save(QString::fromStdString(out_), "PNG") ? 0 : 1;
      if (status_ != 0) std::cerr << "preview_screenshot: cannot grab the screen into " << out_ << "\n";
      dialog.CloseWidget().click();
    });
    handle_.ShowModal(window);
  }

 private:
  QtPreviewHandle handle_;
  std::string out_;
  int& status_;
};

class ScriptedFactory final : public vant::PreviewWindowFactory {
 public:
  ScriptedFactory(std::string out, int& status) : out_(std::move(out)), status_(status) {}
  std::unique_ptr<vant::PreviewWindowHandle> Open() override {
    return std::make_unique<ScriptedHandle>(out_, status_);
  }

 private:
  std::string out_;
  int& status_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: preview_screenshot PAGE OUT.png\n";
    return 2;
  }
  const std::string page = argv[1];
  const std::string out = argv[2];
  const auto loaded = vant::platform::LoadHostPage(page);
  const auto app = vant::qt::StartQt(argc, argv, /*windowed=*/true);
  const auto printers = vant::printing::PrinterList::FromCups();
  vant::PrinterObject printer(*printers);
  vant::qt::StderrMessageBoxes messages;
  vant::qt::QtMousePointer pointer;
  vant::ModuleState state;
  vant::Platform platform{printer, messages, pointer, state};
  vant::HeldButtonsView control;
  vant::ReadProperties(state.control, loaded.page, loaded.page, control, messages);

  int status = -1;
  ScriptedFactory factory(out, status);
  vant::RunPreview(platform, factory);
  return status == 0 ? 0 : 1;
}
