// A preview page built and drawn as the preview window builds and shows it, on Qt
// pictures: the page picture at twice the picture's density (192 pixels an inch here).
#pragma once

#include <QImage>

#include <string>
#include <vector>

#include "paper_run.h"

namespace vant::test::paper {

inline constexpr double kPictureDpi = 96;
inline constexpr double kPreviewDpi = 2 * kPictureDpi;

// Makes the named printer current, loads lines, builds page 1 of the preview on a
// QtPictureBox (ReadPrinterGeometry, SetupPreviewPage, RunMethods), copies the shown page
// into the ShownPageList and draws it with DrawPage on a picture of the printable size at
// double density. Throws when the page is not shown or its run stops.
QImage DrawnPreviewPage(PaperTest& test, printing::PrinterList& list, Platform& platform,
                        const Text& printerName, const std::vector<std::string>& lines);

}  // namespace vant::test::paper
