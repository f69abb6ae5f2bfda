// Bad input on the real printers: values that overflow stop the run with the system's
// message and nothing half-printed reaches the queue; unknown fonts, negative sizes and
// empty texts still print; a refused barcode stops the run with its own message.
#include <gtest/gtest.h>

#include "cups_test_queues.h"
#include "engine/run_driver.h"
#include "paper_run.h"
#include "pdf_inspect.h"
#include "raster.h"

namespace vant::test::paper {
namespace {

namespace queues = vant::test::cups;

constexpr const char* kStopped = "\r\n印刷を中断しました!";

class BadInputOnPaper : public PaperTest {
 protected:
  // Runs lines on the office queue, expecting the run to stop with exactly message; no job
  // may reach the queue and no document may stay open.
  void ExpectStopsWithoutJob(const std::vector<std::string>& lines, const std::string& message) {
    const auto before = queues::JobIds("Office");
    Load(lines);
    EXPECT_EQ(Run(), kRunStopped);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_EQ(messages_.shown[0], "エラー|" + message + kStopped);
    EXPECT_TRUE(list_->Delivered().empty());
    EXPECT_EQ(queues::JobIds("Office"), before);
    EXPECT_FALSE(list_->Page(0).HasOpenDocument());
    // What was drawn before the failure is gone with the document: a later end delivers nothing.
    list_->EndOpenDocuments();
    EXPECT_TRUE(list_->Delivered().empty());
  }
};

TEST_F(BadInputOnPaper, OverflowingWidthsRadiiAndColoursStopTheRunWithNoJob) {
  const std::string before = "prntext,20,30,before,ＭＳ 明朝,12,false,false,0";
  ExpectStopsWithoutJob({"scalemode,mm", before, "prnbox,10,10,50,50,40000,0,0"},
                        "オーバーフローしました。\r\n3:prnbox(10,10,50,50,40000,0,0)");
  messages_.shown.clear();
  ExpectStopsWithoutJob({"scalemode,mm", before, "prncircle,50,50,99999,1,0,0"},
                        "オーバーフローしました。\r\n3:prncircle(50,50,99999,1,0,0)");
  messages_.shown.clear();
  ExpectStopsWithoutJob({"scalemode,mm", before, "prnline,10,10,50,50,1,0,4294967296"},
                        "オーバーフローしました。\r\n3:prnline(10,10,50,50,1,0,4294967296)");
  messages_.shown.clear();
  ExpectStopsWithoutJob({"scalemode,mm", before, "prntext,20,40,x,ＭＳ 明朝,12,false,false,-2147483649"},
                        "オーバーフローしました。\r\n3:prntext(20,40,x,ｍｓ 明朝,12,false,false,-2147483649)");
}

// Coordinates a single holds are no overflow of the method. A box reaching a kilometre
// past the sheet is drawn as far as the sheet goes; a line beyond the device's 32-bit
// coordinates is a drawing step the printer refuses, skipped like any refused step of a
// shape, and the run goes on.
TEST_F(BadInputOnPaper, HugeCoordinatesDrawAsFarAsTheSheetGoesOrAreSkipped) {
  const auto pdf = PrintOnPdf({"scalemode,mm", "prnbox,10,10,1e6,1e6,12,0,0",
                               "prnline,-1e30,150,1e30,150,12,0,0",
                               "prntext,20,200,after,ＭＳ 明朝,12,false,false,0"},
                              dir_ / "huge.pdf");
  EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
  const Raster raster = Raster::FromPdf(pdf, 1, 300);
  const auto leftEdge = raster.RowRuns(raster.PxAt(100), 0, raster.PxAt(30));
  ASSERT_EQ(leftEdge.size(), 1u) << "the box's left edge is not on the page";
  EXPECT_NEAR(leftEdge[0].Centre() / raster.PxPerMm(), 10, 0.3);
  const auto topEdge = raster.ColumnRuns(raster.PxAt(100), 0, raster.PxAt(30));
  ASSERT_EQ(topEdge.size(), 1u) << "the box's top edge is not on the page";
  EXPECT_NEAR(topEdge[0].Centre() / raster.PxPerMm(), 10, 0.3);
  // Only the box's left edge crosses the row of the skipped line.
  EXPECT_EQ(raster.RowRuns(raster.PxAt(150), 0, raster.Width() - 1).size(), 1u);
  EXPECT_NE(vant::test::PdfPageText(pdf, 1).find("after"), std::string::npos);
}

// The bar painter refuses nothing silently: a barcode placed beyond the device's
// coordinates stops the run with the overflow message, and nothing reaches the queue.
TEST_F(BadInputOnPaper, ABarcodeBeyondTheDevicesCoordinatesStopsTheRunWithNoJob) {
  ExpectStopsWithoutJob({"scalemode,mm", "prntext,20,30,before,ＭＳ 明朝,12,false,false,0",
                         "prnjan13,1e30,10,490123456789,50,15,true"},
                        "オーバーフローしました。\r\n3:prnjan13(1e30,10,490123456789,50,15,true)");
}

TEST_F(BadInputOnPaper, UnknownFontsNegativeSizesAndEmptyTextsStillPrint) {
  const auto pdf = PrintOnOffice({
      "scalemode,mm",
      "prntext,20,20,Fallback,No Such Font Anywhere,12,false,false,0",
      "prntext,20,40",  // no text, font, size or colour
      "prntext,20,60,Negative,ＭＳ 明朝,-12,false,false,0",
      "prntext,-5,-5,Outside,ＭＳ 明朝,12,false,false,0",
      "prnbox,80,20,60,10,-5,0,0",
      "prncircle,100,100,-10,-3,0,0",
      "prnline,120,20,120,20,0,0,0",
      "prntext,20,80,Last,ＭＳ 明朝,12,false,false,0",
  });
  EXPECT_TRUE(messages_.shown.empty()) << messages_.shown.front();
  const std::string text = vant::test::PdfPageText(pdf, 1);
  EXPECT_NE(text.find("Fallback"), std::string::npos) << text;
  EXPECT_NE(text.find("Negative"), std::string::npos) << text;
  EXPECT_NE(text.find("Last"), std::string::npos) << text;
  // The unknown font fell back to a real, embedded one.
  for (const auto& font : PdfFonts(pdf)) EXPECT_TRUE(font.embedded) << font.name;
  const PdfWord fallback = WordNamed(PdfWords(pdf, 1), "Fallback");
  EXPECT_NEAR(fallback.xMin * kMmPerPt - kOfficeLeftMm, 20, 0.5);
  EXPECT_EQ(vant::test::InspectPdf(pdf).pages, 1);
  // The box given with its corners swapped and a refused width is still drawn, with the
  // pen it had: its sides at 60 and 80 mm.
  const Raster raster = Raster::FromPdf(pdf, 1, 300);
  const auto sides = raster.RowRuns(raster.PxAt(kOfficeTopMm + 15), raster.PxAt(kOfficeLeftMm + 55),
                                    raster.PxAt(kOfficeLeftMm + 85));
  ASSERT_EQ(sides.size(), 2u);
  EXPECT_NEAR(sides[0].Centre() / raster.PxPerMm() - kOfficeLeftMm, 60, 0.3);
  EXPECT_NEAR(sides[1].Centre() / raster.PxPerMm() - kOfficeLeftMm, 80, 0.3);
}

TEST_F(BadInputOnPaper, ARefusedBarcodeStopsTheRunWithItsMessageAndNoJob) {
  const std::string before = "prntext,20,30,before,ＭＳ 明朝,12,false,false,0";
  ExpectStopsWithoutJob({"scalemode,mm", before, "prnnw7,20,50,1234,50,10,true"},
                        "A,B,C,Dいづれかのスタート、ストップコードが必要です。1234\r\n3:prnnw7(20,50,1234,50,10,true)");
  messages_.shown.clear();
  ExpectStopsWithoutJob({"scalemode,mm", before, "prnjan13,20,50,-5,50,10,true"},
                        "データが不正です。-5\r\n3:prnjan13(20,50,-5,50,10,true)");
  messages_.shown.clear();
  ExpectStopsWithoutJob({"scalemode,mm", before, "prncode39,20,50,a#z,50,10,true,true"},
                        "不正な文字#があるため処理できません。*A#Z1*\r\n3:prncode39(20,50,a#z,50,10,true,true)");
  messages_.shown.clear();
  // A JAN datum without digits is the number 0 and prints; empty Code 39 data is refused.
  ExpectStopsWithoutJob({"scalemode,mm", before, "prnjan8,20,50", "prncode39,20,90"},
                        "データが空です｡\r\n4:prncode39(20,90)");
}

}  // namespace
}  // namespace vant::test::paper
