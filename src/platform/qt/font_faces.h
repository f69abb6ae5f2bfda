// Which face a page's font name prints in, and how near it comes to the font the page's
// author saw: the name's own face or one with its widths (the family of that name; a row of
// the Windows font table made to the font's widths; or an alias of the machine's own
// configuration bound "same", fontconfig's metric aliases), a face of the name's design with
// other widths (the table's stand-ins), or a face of another design.
#pragma once

#include <mutex>
#include <unordered_map>

#include "common/text.h"

namespace vant::qt {

enum class FaceMatch {
  kOwn,          // the name's own face, or one with its widths: text runs as on Windows
  kSameDesign,   // a face of the name's design with other widths: text runs longer or shorter
  kOtherDesign,  // no face of the name's design (or a name of unknown design with no face)
};

struct FaceResolution {
  Text face;  // the family Qt draws the name in, as printing draws it
  FaceMatch match = FaceMatch::kOtherDesign;
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
