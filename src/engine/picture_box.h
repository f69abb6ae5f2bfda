// A picture box: a drawing surface inside a window, with a size of its own, a background,
// and the block copy between two picture boxes.
#pragma once

#include <cstdint>

#include "engine/draw_target.h"

namespace vant {

inline constexpr int32_t kSrcCopy = 0x00CC0020;

// How a block copy that changes size combines pixels. A new picture starts with the
// original control's default, black-on-white: when shrinking, the darkest of the covered source
// pixels wins, so thin black bars survive; when enlarging, the nearest pixel. Halftone
// averages the covered area, which keeps text and thin lines legible when shrinking.
enum class StretchMode { kBlackOnWhite, kHalftone };

class PictureBox : public virtual DrawTarget {
 public:
  TextView TypeName() const override { return kTypePictureBox; }

  // Clears to the background colour; the print position goes back to (0, 0). What is drawn
  // on a picture box stays until it is cleared: drawing is always persistent here, so there
  // is no AutoRedraw to switch on.
  virtual void Cls() = 0;
  virtual void SetBackColor(int32_t colour) = 0;
  virtual int32_t BackColor() const = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;

  // Place and size in the container's unit (pixels here). A larger size keeps what was
  // drawn; the new area shows the background.
  virtual void SetLeft(float left) = 0;
  virtual float Left() const = 0;
  virtual void SetTop(float top) = 0;
  virtual float Top() const = 0;
  virtual void SetWidth(float width) = 0;
  virtual float Width() const = 0;
  virtual void SetHeight(float height) = 0;
  virtual float Height() const = 0;
  virtual void Refresh() = 0;

  // The stretching block copy: the source rectangle of source's device pixels onto the
  // destination rectangle of this picture's, as StretchBlt with SRCCOPY does, combining
  // pixels by this picture's stretch mode.
  virtual void SetStretchMode(StretchMode mode) = 0;
  virtual StretchMode GetStretchMode() const = 0;
  virtual void StretchCopy(int32_t x, int32_t y, int32_t width, int32_t height,
                           const PictureBox& source, int32_t srcX, int32_t srcY,
                           int32_t srcWidth, int32_t srcHeight) = 0;
};

}  // namespace vant
