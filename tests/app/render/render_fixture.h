// The `vant render` tests' fixture: pages written as host pages, the command run on them,
// the written PNG, and the preview worked out in the test's own process for comparison.
#pragma once

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/held_buttons.h"
#include "control/intake.h"
#include "fake_platform.h"
#include "host_pages.h"
#include "page_oracle.h"
#include "platform/host/host_page_loader.h"
#include "platform/printing/printer_list.h"
#include "vant_process.h"

namespace vant::test {

namespace fs = std::filesystem;

inline const fs::path kExamples = VANT_EXAMPLES_DIR;

// Two A4 portrait pages of text, lines, a box and a barcode.
inline const std::vector<std::string> kTwoPages = {
    "papersize,a4",
    "scalemode,mm",
    "prntext,20,20,一ページ目の見出し,ＭＳ 明朝,18,false,true,0",
    "prnbox,20,40,190,80,2,solid,0",
    "prnline,20,60,190,60,1,solid,255",
    "newpage",
    "prntext,30,30,二ページ目,ＭＳ ゴシック,12,false,false,0",
    "prncircle,100,150,30,1,solid,0",
    "prnjan13,40,200,4912345678904,45,15,true",
    "enddoc",
};

// The preview as this process works it out, for the page the command read.
class Expected {
 public:
  explicit Expected(const fs::path& page) {
    const auto loaded = platform::LoadHostPage(page);
    HeldButtonsView view;
    ReadProperties(state_.control, loaded.page, loaded.page, view, messages_);
    count_ = BuildShownPages(platform_).count;
  }
  int Count() const { return count_; }
  const EngineState& Engine() const { return state_.engine; }

 private:
  std::unique_ptr<printing::PrinterList> printers_ = printing::PrinterList::FromCups();
  PrinterObject printer_{*printers_};
  RecordingMessages messages_;
  FakePointer pointer_;
  ModuleState state_;
  Platform platform_{printer_, messages_, pointer_, state_};
  int count_ = 0;
};

class RenderCommand : public ::testing::Test {
 protected:
  fs::path WritePage(const std::vector<std::string>& lines, const std::string& name = "page.html") {
    const fs::path file = dir_ / name;
    WriteFile(file, HostPage(MethodParams(lines)));
    return file;
  }

  VantResult Render(const fs::path& page, std::vector<std::string> options = {}) {
    std::vector<std::string> args{"render", page.string(), "-o", Png().string()};
    args.insert(args.end(), options.begin(), options.end());
    VantOptions run;
    run.workDir = dir_.Path();
    run.timeout = std::chrono::seconds(120);
    return RunVant(args, run);
  }

  fs::path Png() const { return dir_ / "out.png"; }

  QImage Written() const {
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(Png().string()), "PNG")) << Png();
    return image.convertToFormat(QImage::Format_RGB32);
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
  }

  TempDir dir_;
};

// Images compared pixel for pixel, with the first difference named.
inline ::testing::AssertionResult SameImage(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) {
    return ::testing::AssertionFailure() << "size " << actual.width() << "x" << actual.height()
                                         << ", expected " << expected.width() << "x"
                                         << expected.height();
  }
  for (int y = 0; y < expected.height(); ++y) {
    for (int x = 0; x < expected.width(); ++x) {
      if (actual.pixel(x, y) != expected.pixel(x, y)) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << std::hex << actual.pixel(x, y)
               << ", expected " << expected.pixel(x, y);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

inline int InkPixels(const QImage& image) {
  int ink = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ink += image.pixel(x, y) != 0xFFFFFFFF ? 1 : 0;
  }
  return ink;
}

}  // namespace vant::test
