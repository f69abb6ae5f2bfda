// `vant render` run as the user runs it, on small pages and the examples, without a print
// server (the PDF printer is current): the PNG is the page image of the preview, which is
// the DrawPage picture of the page stretched by the zoom's factor; the status panels; the
// page numbering; and every way the command refuses.
#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "render_fixture.h"
#include "small_tmpfs.h"

namespace vant::test {
namespace {

// Each fixed zoom is its factor of the double-density picture.
class RenderZoom : public RenderCommand, public ::testing::WithParamInterface<int> {};

TEST_P(RenderZoom, PageTwoIsTheDrawnPictureStretchedByTheFactor) {
  const int percent = GetParam();
  const fs::path page = WritePage(kTwoPages);
  const VantResult result = Render(page, {"--page", "2", "--zoom", std::to_string(percent)});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();

  Expected expected(page);
  ASSERT_EQ(expected.Count(), 2);
  const QImage written = Written();
  EXPECT_TRUE(SameImage(written, PageImageAtFactor(expected.Engine(), 2, ZoomFactor(percent))));
  EXPECT_GT(InkPixels(written), 0);
}

INSTANTIATE_TEST_SUITE_P(Zooms, RenderZoom, ::testing::Values(100, 150, 200, 300));

TEST_F(RenderCommand, AtTwoHundredPercentThePngIsThePagePictureItself) {
  // The PDF printer prints to the edge: no strips, and factor 1 copies pixel for pixel.
  const fs::path page = WritePage(kTwoPages);
  const VantResult result = Render(page, {"--zoom", "200"});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  Expected expected(page);
  EXPECT_TRUE(SameImage(Written(), DrawnPagePicture(expected.Engine(), 1)));
}

TEST_F(RenderCommand, AutomaticFitOfATallPageTakesNinetyNinePercentOfTheViewportHeight) {
  const fs::path page = WritePage(kTwoPages);
  for (const auto& [width, height] : {std::pair{1280, 800}, std::pair{700, 1000}}) {
    std::vector<std::string> options{"--zoom", "auto"};
    if (width != 1280) options.insert(options.end(), {"--viewport", "700x1000"});
    const VantResult result = Render(page, options);
    ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
    Expected expected(page);
    const QImage written = Written();
    EXPECT_EQ(written.height(), height - static_cast<int>(std::lround(height * 0.01)));
    EXPECT_TRUE(SameImage(written, FittedPageImage(expected.Engine(), 1, width, height))) << width << "x" << height;
  }
}

TEST_F(RenderCommand, AutomaticFitIsTheDefaultZoom) {
  const fs::path page = WritePage(kTwoPages);
  const VantResult result = Render(page);
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  Expected expected(page);
  EXPECT_TRUE(SameImage(Written(), FittedPageImage(expected.Engine(), 1, 1280, 800)));
}

TEST_F(RenderCommand, AutomaticFitOfAWidePageTakesEightyPercentOfTheViewportWidth) {
  // Landscape: the fit follows the width even where the height then overflows.
  const fs::path page = WritePage({"papersize,a4", "orientation,横", "scalemode,mm",
                                   "prntext,20,20,横向きの頁,ＭＳ 明朝,14,false,false,0"});
  const VantResult result = Render(page, {"--viewport", "1000x300"});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  Expected expected(page);
  const QImage written = Written();
  EXPECT_EQ(written.width(), 800);
  EXPECT_GT(written.height(), 300);
  EXPECT_TRUE(SameImage(written, FittedPageImage(expected.Engine(), 1, 1000, 300)));
}

TEST_F(RenderCommand, StatusPanelsDescribeThePageOnShow) {
  const fs::path page = WritePage(kTwoPages);
  const VantResult result = Render(page, {"--page", "2", "--status", "--zoom", "100"});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  EXPECT_EQ(Lines(result.out),
            (std::vector<std::string>{"印刷プレビュー:2/2", "用紙サイズ:A4、210 x 297 mm",
                                      "印刷の向き:縦", "Vant3 PDF",
                                      "印刷マージン:T=0/B=0/L=0/R=0(mm)"}));
}

TEST_F(RenderCommand, WithoutStatusNothingIsPrinted) {
  const VantResult result = Render(WritePage(kTwoPages));
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  EXPECT_EQ(result.out, "");
}

TEST_F(RenderCommand, PagesWithNothingDrawnAreLeftOutOfTheNumbering) {
  // The second page of the list is empty: the third is shown as page 2 of 2.
  const fs::path page =
      WritePage({"scalemode,mm", "prntext,20,20,最初,ＭＳ 明朝,12,false,false,0", "newpage",
                 "newpage", "prnbox,30,30,120,90,3,solid,0", "enddoc"});
  const VantResult result = Render(page, {"--page", "2", "--zoom", "200", "--status"});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  ASSERT_FALSE(Lines(result.out).empty());
  EXPECT_EQ(Lines(result.out)[0], "印刷プレビュー:2/2");
  Expected expected(page);
  ASSERT_EQ(expected.Count(), 2);
  EXPECT_TRUE(SameImage(Written(), DrawnPagePicture(expected.Engine(), 2)));
}

// The shipped examples, each of their pages at every zoom.
class RenderExample : public RenderCommand,
                      public ::testing::WithParamInterface<const char*> {};

TEST_P(RenderExample, EveryPageMatchesItsDrawnPicture) {
  const fs::path page = kExamples / GetParam();
  int count = 0;
  {
    Expected expected(page);
    count = expected.Count();
  }
  ASSERT_GE(count, 1);
  for (int n = 1; n <= count; ++n) {
    for (const std::string zoom : {"100", "150", "200", "300", "auto"}) {
      const VantResult result =
          Render(page, {"--page", std::to_string(n), "--zoom", zoom, "--status"});
      ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
      ASSERT_FALSE(Lines(result.out).empty());
      EXPECT_EQ(Lines(result.out)[0],
                "印刷プレビュー:" + std::to_string(n) + "/" + std::to_string(count));
      Expected expected(page);
      const auto shown = static_cast<int16_t>(n);
      EXPECT_TRUE(SameImage(Written(), zoom == "auto"
                                           ? FittedPageImage(expected.Engine(), shown, 1280, 800)
                                           : PageImageAtFactor(expected.Engine(), shown, ZoomFactor(std::stoi(zoom)))))
          << GetParam() << " page " << n << " at " << zoom;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, RenderExample,
                         ::testing::Values("invoice.html", "shipping-label.html",
                                           "delivery-note.html"),
                         [](const ::testing::TestParamInfo<const char*>& example) {
                           std::string name = example.param;
                           name = name.substr(0, name.find('.'));
                           for (char& c : name) c = c == '-' ? '_' : c;
                           return name;
                         });

TEST_F(RenderCommand, ExampleStatusTextsNameTheirPaperAndOrientation) {
  const VantResult invoice = Render(kExamples / "invoice.html", {"--page", "2", "--status"});
  ASSERT_TRUE(invoice.exited && invoice.status == 0) << invoice.Describe();
  EXPECT_EQ(Lines(invoice.out),
            (std::vector<std::string>{"印刷プレビュー:2/2", "用紙サイズ:A4、210 x 297 mm",
                                      "印刷の向き:縦", "Vant3 PDF",
                                      "印刷マージン:T=0/B=0/L=0/R=0(mm)"}));
  const VantResult note = Render(kExamples / "delivery-note.html", {"--status"});
  ASSERT_TRUE(note.exited && note.status == 0) << note.Describe();
  ASSERT_EQ(Lines(note.out).size(), 5U);
  EXPECT_EQ(Lines(note.out)[2], "印刷の向き:横");
  const VantResult label = Render(kExamples / "shipping-label.html", {"--status"});
  ASSERT_TRUE(label.exited && label.status == 0) << label.Describe();
  ASSERT_EQ(Lines(label.out).size(), 5U);
  EXPECT_EQ(Lines(label.out)[1], "用紙サイズ:A5、148 x 210 mm");
}

// Refusals: the preview's own messages and exit 1, or a usage error and exit 2; no PNG.
TEST_F(RenderCommand, APageWithNothingDrawnIsNotPreviewed) {
  const VantResult result =
      Render(WritePage({"scalemode,mm", "prntext,500,500,紙の外,ＭＳ 明朝,12,false,false,0",
                        "newpage", "enddoc"}));
  EXPECT_TRUE(result.exited && result.status == 1) << result.Describe();
  EXPECT_NE(result.err.find("[information]"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("プレビュー対象がありません!"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Png()));
}

TEST_F(RenderCommand, AListWithoutMethodsHasNothingToPrint) {
  const VantResult result = Render(WritePage({}));
  EXPECT_TRUE(result.exited && result.status == 1) << result.Describe();
  EXPECT_NE(result.err.find("印刷対象がありません!"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Png()));
}

TEST_F(RenderCommand, ARunErrorEndsThePreviewWithTheRunsMessage) {
  // The error is on the second page: no page is shown at all.
  const VantResult result =
      Render(WritePage({"scalemode,mm", "prntext,20,20,一,ＭＳ 明朝,12,false,false,0", "newpage",
                        "prntxt,20,20,二"}));
  EXPECT_TRUE(result.exited && result.status == 1) << result.Describe();
  EXPECT_NE(result.err.find("[critical] エラー"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("4:prntxt(20,20,二)"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("プレビューを中断しました!"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Png()));
}

TEST_F(RenderCommand, APageBeyondTheShownPagesIsAUsageErrorNamingTheCount) {
  const VantResult result = Render(WritePage(kTwoPages), {"--page", "3"});
  EXPECT_TRUE(result.exited && result.status == 2) << result.Describe();
  EXPECT_NE(result.err.find("--page 3 はプレビューのページ数 (2 ページ) を超えています"), std::string::npos)
      << result.err;
  EXPECT_FALSE(fs::exists(Png()));
}

TEST_F(RenderCommand, AMissingPageIsAUsageErrorNamingTheFile) {
  const VantResult result = Render(dir_ / "nowhere.html");
  EXPECT_TRUE(result.exited && result.status == 2) << result.Describe();
  EXPECT_NE(result.err.find("nowhere.html"), std::string::npos) << result.err;
  EXPECT_FALSE(fs::exists(Png()));
}

TEST_F(RenderCommand, AnOutputThatCannotBeWrittenIsNamed) {
  const fs::path page = WritePage(kTwoPages);
  VantOptions run;
  run.workDir = dir_.Path();
  const std::string out = (dir_ / "no-such-dir" / "out.png").string();
  const VantResult result = RunVant({"render", page.string(), "-o", out}, run);
  // Refused before the preview is built, as a command line that cannot be obeyed.
  EXPECT_TRUE(result.exited && result.status == 2) << result.Describe();
  EXPECT_NE(result.err.find(out), std::string::npos) << result.err;
}

TEST_F(RenderCommand, AFullDiskKeepsTheEarlierImageAndNamesTheCause) {
  const fs::path page = WritePage(kTwoPages);
  SmallTmpfs disk(512);
  WriteFile(disk / "out.png", "the earlier image");
  disk.FillLeaving(0);
  VantOptions run;
  run.workDir = disk.Path();
  run.timeout = std::chrono::seconds(120);
  const VantResult result = RunVant({"render", page.string(), "-o", "out.png"}, run);
  EXPECT_TRUE(result.exited && result.status == 1) << result.Describe();
  EXPECT_NE(result.err.find("vant: PNG ファイル「out.png」を書き込めません: ディスクの空き容量が不足しています\n"),
            std::string::npos)
      << result.err;
  EXPECT_EQ(ReadFile(disk / "out.png"), "the earlier image");
}

TEST_F(RenderCommand, BadOptionsAreUsageErrors) {
  const fs::path page = WritePage(kTwoPages);
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--zoom", "75"}, {"--page", "0"}, {"--viewport", "12x"},
        {"--printer", "存在しないプリンター"}, {"--scale", "0.5"}, {"--scale", "4.5"},
        {"--scale", "2x"}, {"--scale", "nan"}, {"--scale", "1e400"}, {"--scale", ""}}) {
    const VantResult result = Render(page, options);
    EXPECT_TRUE(result.exited && result.status == 2) << options[0] << ": " << result.Describe();
    EXPECT_FALSE(fs::exists(Png()));
  }
}

TEST_F(RenderCommand, ThePdfPrinterCanBeNamed) {
  const VantResult result = Render(WritePage(kTwoPages), {"--printer", "Vant3 PDF", "--status"});
  ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
  ASSERT_EQ(Lines(result.out).size(), 5U);
  EXPECT_EQ(Lines(result.out)[3], "Vant3 PDF");
}

}  // namespace
}  // namespace vant::test
