// The surface a run writes to: the Printer object or a PictureBox. These are the
// members the run, the drawing routines and the bar painter use; Surface (surface.h)
// implements them once for every kind of surface.
#pragma once

#include <cstdint>

#include "common/text.h"

namespace vant {

// Scale-mode codes, as the original control numbers them: the unit of CurrentX/CurrentY, of the coordinates
// of Line/Circle and of TextWidth/TextHeight.
inline constexpr int16_t kScaleTwips = 1;        // 1/1440 inch
inline constexpr int16_t kScalePoints = 2;       // 1/72 inch
inline constexpr int16_t kScalePixels = 3;       // device pixels
inline constexpr int16_t kScaleCharacters = 4;   // 120 twips across, 240 down
inline constexpr int16_t kScaleInches = 5;
inline constexpr int16_t kScaleMillimeters = 6;
inline constexpr int16_t kScaleCentimeters = 7;

// DrawStyle codes.
inline constexpr int16_t kStyleSolid = 0;
inline constexpr int16_t kStyleDash = 1;
inline constexpr int16_t kStyleDot = 2;
inline constexpr int16_t kStyleDashDot = 3;
inline constexpr int16_t kStyleDashDotDot = 4;
inline constexpr int16_t kStyleInvisible = 5;
inline constexpr int16_t kStyleInsideSolid = 6;

// The option of Line: the straight line, the rectangle outline ("B"), the filled
// rectangle ("BF", both corners included).
enum class LineKind { kLine, kBox, kFilledBox };

inline constexpr TextView kTypePrinter = u"Printer";
inline constexpr TextView kTypePictureBox = u"PictureBox";

// Every setter may refuse its value with a Failure (InvalidPropertyValue); the callers
// decide whether that is skipped or reported.
class DrawTarget {
 public:
  virtual ~DrawTarget() = default;

  // "Printer" or "PictureBox": how the run tells printing from preview building.
  virtual TextView TypeName() const = 0;

  virtual void SetFontName(TextView name) = 0;
  virtual Text FontName() const = 0;
  virtual void SetFontSize(double points) = 0;
  virtual double FontSize() const = 0;
  virtual void SetFontItalic(bool italic) = 0;
  virtual bool FontItalic() const = 0;
  virtual void SetFontBold(bool bold) = 0;
  virtual bool FontBold() const = 0;
  virtual void SetForeColor(int32_t colour) = 0;
  virtual int32_t ForeColor() const = 0;

  // Position of the next Print, in the current unit.
  virtual void SetCurrentX(float x) = 0;
  virtual float CurrentX() const = 0;
  virtual void SetCurrentY(float y) = 0;
  virtual float CurrentY() const = 0;

  // Line width in device pixels (1 or more) and line style (0 to 6).
  virtual void SetDrawWidth(int16_t width) = 0;
  virtual int16_t DrawWidth() const = 0;
  virtual void SetDrawStyle(int16_t style) = 0;
  virtual int16_t DrawStyle() const = 0;

  virtual void SetScaleMode(int16_t mode) = 0;
  virtual int16_t ScaleMode() const = 0;
  // The drawable size in the current unit.
  virtual float ScaleWidth() const = 0;
  virtual float ScaleHeight() const = 0;

  // Draws text with its top-left corner at (CurrentX, CurrentY); the position then moves
  // to the start of the next line, as the original control's Print does.
  virtual void Print(TextView text) = 0;
  // Line from (x1, y1) to (x2, y2) in the current unit; the current position ends at
  // (x2, y2).
  virtual void Line(float x1, float y1, float x2, float y2, int32_t colour, LineKind kind) = 0;
  // A full circle; the radius is in the current unit along the horizontal axis.
  virtual void Circle(float x, float y, float radius, int32_t colour) = 0;

  // Size of a text with the current font, in the current unit.
  virtual float TextWidth(TextView text) = 0;
  virtual float TextHeight(TextView text) = 0;

  // value converted from one unit to another along the horizontal or vertical axis.
  virtual double ScaleX(double value, int16_t from, int16_t to) const = 0;
  virtual double ScaleY(double value, int16_t from, int16_t to) const = 0;
};

inline bool IsPictureBox(const DrawTarget& target) { return target.TypeName() == kTypePictureBox; }
inline bool IsPrinter(const DrawTarget& target) { return target.TypeName() == kTypePrinter; }

}  // namespace vant
