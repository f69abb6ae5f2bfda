#include "recording_device.h"

namespace vant::test {

TextExtent RecordingMetrics(TextView line, const FontSpec& font) {
  double width = 0;
  for (char16_t c : line) width += (c < 0x100 ? 0.5 : 1.0) * font.pixelHeight;
  if (font.bold) width *= 1.1;
  return TextExtent{width, 1.25 * font.pixelHeight};
}

void RecordingDevice::FillRect(double x, double y, double w, double h, Rgb colour) {
  Mark m;
  m.kind = Mark::kFill;
  m.x1 = x, m.y1 = y, m.x2 = w, m.y2 = h, m.colour = colour;
  marks.push_back(m);
}

void RecordingDevice::StrokeLine(double x1, double y1, double x2, double y2, const Pen& pen) {
  Mark m;
  m.kind = Mark::kLine;
  m.x1 = x1, m.y1 = y1, m.x2 = x2, m.y2 = y2, m.pen = pen, m.colour = pen.colour;
  marks.push_back(m);
}

void RecordingDevice::StrokeRect(double x1, double y1, double x2, double y2, const Pen& pen) {
  Mark m;
  m.kind = Mark::kRect;
  m.x1 = x1, m.y1 = y1, m.x2 = x2, m.y2 = y2, m.pen = pen, m.colour = pen.colour;
  marks.push_back(m);
}

void RecordingDevice::StrokeEllipse(double cx, double cy, double rx, double ry, const Pen& pen) {
  Mark m;
  m.kind = Mark::kEllipse;
  m.x1 = cx, m.y1 = cy, m.x2 = rx, m.y2 = ry, m.pen = pen, m.colour = pen.colour;
  marks.push_back(m);
}

void RecordingDevice::DrawText(double x, double y, TextView line, const FontSpec& font, Rgb colour) {
  Mark m;
  m.kind = Mark::kText;
  m.x1 = x, m.y1 = y, m.font = font, m.colour = colour, m.text = Text(line);
  marks.push_back(m);
}

TextExtent RecordingDevice::MeasureText(TextView line, const FontSpec& font) {
  ++measureCount;
  return RecordingMetrics(line, font);
}

void RecordingDevice::Resize(int widthPx, int heightPx, Rgb) {
  width_ = widthPx;
  height_ = heightPx;
}

void RecordingDevice::Clear(Rgb background) {
  marks.clear();
  Mark m;
  m.kind = Mark::kClear;
  m.colour = background;
  marks.push_back(m);
}

void RecordingDevice::StretchFrom(int x, int y, int width, int height, const PictureDevice& source,
                                  int srcX, int srcY, int srcWidth, int srcHeight,
                                  StretchMode mode) {
  Mark m;
  m.kind = Mark::kStretch;
  m.x1 = x, m.y1 = y, m.x2 = width, m.y2 = height;
  m.srcX = srcX, m.srcY = srcY, m.srcW = srcWidth, m.srcH = srcHeight;
  m.stretchMode = mode;
  m.source = &source;
  marks.push_back(m);
}

}  // namespace vant::test
