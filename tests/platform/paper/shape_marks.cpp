#include "shape_marks.h"

#include <stdexcept>

namespace vant::test::paper {
namespace {

constexpr double kStyledLineTopMm = 150;  // style k lies at 150 + 8k mm
constexpr double kStyledLineStepMm = 8;

class Measure {
 public:
  Measure(const Raster& raster, double ox, double oy) : r_(raster), ox_(ox), oy_(oy) {}
  int X(double mm) const { return r_.PxAt(mm + ox_); }
  int Y(double mm) const { return r_.PxAt(mm + oy_); }
  double MmX(double px) const { return px / r_.PxPerMm() - ox_; }
  double MmY(double px) const { return px / r_.PxPerMm() - oy_; }
  double Mm(double px) const { return px / r_.PxPerMm(); }

  // The only run of ink along row yMm between x0Mm and x1Mm.
  InkRun OneRowRun(double yMm, double x0Mm, double x1Mm, const char* what) const {
    return Only(r_.RowRuns(Y(yMm), X(x0Mm), X(x1Mm)), what);
  }
  InkRun OneColumnRun(double xMm, double y0Mm, double y1Mm, const char* what) const {
    return Only(r_.ColumnRuns(X(xMm), Y(y0Mm), Y(y1Mm)), what);
  }
  std::vector<InkRun> RowRuns(double yMm, double x0Mm, double x1Mm) const {
    return r_.RowRuns(Y(yMm), X(x0Mm), X(x1Mm));
  }
  std::vector<InkRun> ColumnRuns(double xMm, double y0Mm, double y1Mm) const {
    return r_.ColumnRuns(X(xMm), Y(y0Mm), Y(y1Mm));
  }

 private:
  static InkRun Only(const std::vector<InkRun>& runs, const char* what) {
    if (runs.size() != 1) {
      throw std::runtime_error(std::string(what) + ": " + std::to_string(runs.size()) + " runs of ink, not 1");
    }
    return runs[0];
  }
  const Raster& r_;
  double ox_, oy_;
};

}  // namespace

std::vector<std::string> ShapePage() {
  std::vector<std::string> page = {
      "scalemode,mm",
      "prnbox,20,40,80,70,12,0,0",
      "prnline,100,40,180,40,6,solid,0",
      "prnline,120,50,120,90,6,0,0",
      "prncircle,60,120,15,6,0,0",
      "prnbox,20,220,80,250,24,insidesolid,0",
      "prntext,100,200,Paper,ＭＳ 明朝,14,false,false,0",
  };
  for (int style = 0; style <= 5; ++style) {
    const double y = kStyledLineTopMm + kStyledLineStepMm * style;
    const std::string ys = std::to_string(y);
    page.push_back("prnline,100," + ys + ",190," + ys + ",4," + std::to_string(style) + ",0");
  }
  return page;
}

ShapeMarks MeasureShapes(const Raster& raster, double ox, double oy) {
  const Measure m(raster, ox, oy);
  ShapeMarks marks;
  const InkRun left = m.OneRowRun(55, 15, 25, "box left side");
  const InkRun right = m.OneRowRun(55, 75, 85, "box right side");
  const InkRun top = m.OneColumnRun(50, 35, 45, "box top side");
  const InkRun bottom = m.OneColumnRun(50, 65, 75, "box bottom side");
  marks.boxLeft = m.MmX(left.Centre());
  marks.boxRight = m.MmX(right.Centre());
  marks.boxTop = m.MmY(top.Centre());
  marks.boxBottom = m.MmY(bottom.Centre());
  marks.boxEdgeThickness = m.Mm(left.Length());

  const InkRun line = m.OneRowRun(40, 95, 190, "horizontal line");
  marks.lineStart = m.MmX(line.first);
  marks.lineEnd = m.MmX(line.last + 1);
  marks.lineY = m.MmY(m.OneColumnRun(140, 35, 45, "horizontal line across").Centre());

  const InkRun column = m.OneColumnRun(120, 45, 95, "vertical line");
  marks.columnTop = m.MmY(column.first);
  marks.columnBottom = m.MmY(column.last + 1);
  marks.columnX = m.MmX(m.OneRowRun(70, 115, 125, "vertical line across").Centre());

  const auto across = m.RowRuns(120, 40, 80);
  const auto down = m.ColumnRuns(60, 100, 140);
  if (across.size() != 2 || down.size() != 2) throw std::runtime_error("the circle is not two crossings each way");
  marks.circleX = m.MmX((across[0].Centre() + across[1].Centre()) / 2);
  marks.circleY = m.MmY((down[0].Centre() + down[1].Centre()) / 2);
  marks.circleRadiusAcross = m.Mm(across[1].Centre() - across[0].Centre()) / 2;
  marks.circleRadiusDown = m.Mm(down[1].Centre() - down[0].Centre()) / 2;

  const InkRun inside = m.OneRowRun(235, 15, 25, "inside-solid box left side");
  marks.insideOuter = m.MmX(inside.first);
  marks.insideInner = m.MmX(inside.last + 1);
  return marks;
}

std::vector<InkRun> StyledLineRuns(const Raster& raster, int style, double ox, double oy) {
  const Measure m(raster, ox, oy);
  // The 4-pixel pen straddles the line: sample the row through its middle.
  return m.RowRuns(kStyledLineTopMm + kStyledLineStepMm * style, 98, 192);
}

}  // namespace vant::test::paper
