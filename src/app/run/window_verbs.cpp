#include <QTimer>
#include <QWidget>

#include "app/process/termination.h"
#include "app/run/preview_openers.h"
#include "app/run/session.h"
#include "app/verbs.h"
#include "control/prn_ctl.h"
#include "platform/host/html_length.h"
#include "platform/qt/qt_control_widget.h"
#include "platform/qt/qt_messages.h"
#include "platform/qt/qt_pointer.h"

namespace vant::app {

int ShowVerb(int& argc, char** argv, const CommandLine& line) {
  qt::QtMessageBoxes boxes;
  Session session(argc, argv, line, LoadCommandPage(line), {.windowed = true}, boxes,
                  std::make_unique<qt::QtMousePointer>());
  const QuitOnTermination quitOnSignal;  // a terminated window still ends its documents
  qt::QtControlWidget widget;
  widget.setWindowTitle(QString::fromStdString("Vant3 - " + session.page().baseName));
  QtPreviewOpener opener;
  PrnCtl control(session.platform(), widget, opener);
  widget.OnPrintClicked([&] { control.PrintClick(); });
  widget.OnPreviewClicked([&] { control.PreviewClick(); });
  control.ReadProperties(session.page().page, session.page().page);
  if (const platform::HostObject* object = session.page().page.ControlObject()) {
    widget.SetObjectSize(platform::PixelLength(object->width), platform::PixelLength(object->height));
  }
  widget.FitWindow();
  widget.show();
  // The show event: the automatic run (Mode 1) and the buttons' layout, once the control
  // is on the screen; then the window holds the buttons as laid out.
  QTimer::singleShot(0, &widget, [&] {
    control.Show();
    widget.FitWindow();
  });
  QGuiApplication::exec();
  session.Finish();
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

int PreviewVerb(int& argc, char** argv, const CommandLine& line) {
  qt::QtMessageBoxes boxes;
  Session session(argc, argv, line, LoadCommandPage(line), {.windowed = true}, boxes,
                  std::make_unique<qt::QtMousePointer>());
  const QuitOnTermination quitOnSignal;  // a terminated window still ends its documents
  qt::QtControlWidget widget;            // the control the preview button belongs to, not shown
  QtPreviewOpener opener;
  PrnCtl control(session.platform(), widget, opener);
  control.ReadProperties(session.page().page, session.page().page);
  control.PreviewClick();
  session.Finish();
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

}  // namespace vant::app
