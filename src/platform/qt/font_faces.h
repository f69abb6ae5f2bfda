// Which face a page's font name prints in, and whether that face is the name's own: the
// family of that name, or one the font configuration declares metric-compatible with it
// (an alias bound "same": the shipped aliases of the Japanese Windows font names, and
// fontconfig's own metric aliases). Any other face stands in for a font this machine does
// not have, and its letters have other widths than the page's author saw.
#pragma once

#include <mutex>
#include <unordered_map>

#include "common/text.h"

namespace vant::qt {

struct FaceResolution {
  Text face;             // the family Qt draws the name in, as printing draws it
  bool ownFace = false;  // the name's own face, or a metric-compatible one
};

// Resolves names with the fonts of the running Qt application (started with the shipped
// font configuration). Safe to use from several threads; each name is resolved once.
class FontFaces {
 public:
  FaceResolution Resolve(TextView name);

 private:
  std::mutex mutex_;
  std::unordered_map<Text, FaceResolution> resolved_;
};

}  // namespace vant::qt
