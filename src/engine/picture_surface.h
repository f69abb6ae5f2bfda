// A picture box over a PictureDevice: the DrawTarget semantics of Surface plus the picture
// box's own members. It measures in pixels of the screen's density and starts with the
// original control's default font, ＭＳ Ｐゴシック 9 pt regular.
#pragma once

#include "engine/paint_device.h"
#include "engine/picture_box.h"
#include "engine/surface.h"

namespace vant {

// A paint device whose size can change, that can be cleared, and that can take a block
// copy from another device of its own kind.
class PictureDevice : public PaintDevice {
 public:
  // New size in device pixels; what was drawn stays at the top-left, new area is colour.
  virtual void Resize(int widthPx, int heightPx, Rgb background) = 0;
  virtual void Clear(Rgb background) = 0;
  // StretchBlt semantics: the source rectangle onto the destination rectangle; negative
  // sizes mirror, a zero size copies nothing. A source of another kind is refused.
  virtual void StretchFrom(int x, int y, int width, int height, const PictureDevice& source,
                           int srcX, int srcY, int srcWidth, int srcHeight, StretchMode mode) = 0;
};

inline constexpr double kScreenDpi = 96;  // where the screen reports no density
inline constexpr double kDefaultPictureFontPoints = 9;
inline constexpr TextView kDefaultPictureFontName = u"ＭＳ Ｐゴシック";

class PictureSurface final : public Surface, public PictureBox {
 public:
  // The picture box takes its size from the device.
  explicit PictureSurface(PictureDevice& device);

  void Cls() override;
  void SetBackColor(int32_t colour) override;
  int32_t BackColor() const override { return backColor_; }
  void SetVisible(bool visible) override { visible_ = visible; }
  bool Visible() const override { return visible_; }
  void SetLeft(float left) override { left_ = left; }
  float Left() const override { return left_; }
  void SetTop(float top) override { top_ = top; }
  float Top() const override { return top_; }
  void SetWidth(float width) override;
  float Width() const override;
  void SetHeight(float height) override;
  float Height() const override;
  void Refresh() override { ++refreshCount_; }
  int RefreshCount() const { return refreshCount_; }

  void SetStretchMode(StretchMode mode) override { stretchMode_ = mode; }
  StretchMode GetStretchMode() const override { return stretchMode_; }
  void StretchCopy(int32_t x, int32_t y, int32_t width, int32_t height, const PictureBox& source,
                   int32_t srcX, int32_t srcY, int32_t srcWidth, int32_t srcHeight) override;

  PictureDevice& Pixels() { return device_; }
  const PictureDevice& Pixels() const { return device_; }

 private:
  PictureDevice& device_;
  int32_t backColor_ = 0xFFFFFF;
  bool visible_ = true;
  float left_ = 0;
  float top_ = 0;
  int refreshCount_ = 0;
  StretchMode stretchMode_ = StretchMode::kBlackOnWhite;
};

}  // namespace vant
