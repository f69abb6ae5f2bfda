// vant render: the preview window's page image and status bar, without a display.
#include <QBuffer>
#include <QByteArray>
#include <iostream>
#include <string>
#include <string_view>

#include "app/cli/words.h"
#include "app/render/render_preview.h"
#include "app/run/output_targets.h"
#include "app/run/session.h"
#include "app/verbs.h"
#include "control/held_buttons.h"
#include "control/prn_ctl.h"
#include "platform/files/file_writing.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {

int RenderVerb(int& argc, char** argv, const CommandLine& line) {
  CheckOutputTargets(line);
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, LoadCommandPage(line), {}, boxes, std::make_unique<qt::HeadlessMousePointer>());
  HeldButtonsView view;
  const RenderOptions& options = line.render;
  RenderOpener opener({options.page, options.zoom, options.viewportWidth, options.viewportHeight, options.scale});
  PrnCtl control(session.platform(), view, opener);
  control.ReadProperties(session.page().page, session.page().page);
  // The preview button: it puts the printer selection back when the window has closed.
  control.PreviewClick();
  session.Finish();

  const RenderOutcome& outcome = opener.Outcome();
  if (outcome.pageBeyond) {
    throw UsageError(Fill(line.words.translate("vant render", "--page %1 is beyond the preview's %2 pages"),
                          {std::to_string(options.page), std::to_string(outcome.shownPages)}));
  }
  if (!outcome.shown) {
    // A load that produced no pages has said why; a page that could not be shown has not.
    if (outcome.opened) {
      std::cerr << "vant: "
                << Fill(line.words.translate("vant render", "page %1 could not be shown"),
                        {std::to_string(options.page)})
                << '\n';
    }
    return kExitStopped;
  }
  // Encoded in memory first, then written whole: a failed write leaves the earlier image.
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !outcome.shown->image.save(&buffer, "PNG")) {
    std::cerr << "vant: " << line.words.translate("vant render", "the PNG picture cannot be made") << '\n';
    return kExitStopped;
  }
  try {
    files::WriteNamedFile(options.output, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
  } catch (const system::FileWriteFailure& failure) {
    std::cerr << "vant: "
              << Fill(line.words.translate("vant render", "the PNG file \"%1\" cannot be written: %2"),
                      {options.output.string(), ToUtf8(failure.Reason())})
              << '\n';
    return kExitStopped;
  }
  if (options.status) {
    for (const Text& panel : outcome.shown->panels) std::cout << ToUtf8(panel) << '\n';
  }
  return session.messages().Critical() > 0 ? kExitStopped : kExitDone;
}

}  // namespace vant::app
