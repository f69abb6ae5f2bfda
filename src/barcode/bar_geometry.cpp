#include "barcode/bar_geometry.h"

#include "common/failure.h"

namespace vant {

int16_t Product16(long long a, long long b) {
  const long long p = a * b;
  if (p < -32768 || p > 32767) throw Failure::Overflow();
  return static_cast<int16_t>(p);
}

int32_t Product32(long long a, long long b) {
  const long long p = a * b;
  if (p < -2147483648LL || p > 2147483647LL) throw Failure::Overflow();
  return static_cast<int32_t>(p);
}

void GrowWidth(PictureBox* box, int32_t needed) {
  if (box != nullptr && box->ScaleWidth() < static_cast<float>(needed)) {
    box->SetWidth(box->Width() + static_cast<float>(needed) - box->ScaleWidth());
  }
}

void GrowHeight(PictureBox* box, int32_t needed) {
  if (box != nullptr && box->ScaleHeight() < static_cast<float>(needed)) {
    box->SetHeight(box->Height() + static_cast<float>(needed) - box->ScaleHeight());
  }
}

TextView Mid(TextView s, size_t start, size_t length) {
  if (start < 1 || start > s.size()) return {};
  return s.substr(start - 1, length);
}

void PrintAt(DrawTarget& target, float x, float y, TextView text) {
  target.SetCurrentX(x);
  target.SetCurrentY(y);
  target.Print(text);
}

}  // namespace vant
