// A failure raised by a printer, a surface or the system's own arithmetic while a routine runs.
// It carries the description the user sees (in Japanese, like every other text), which
// the run driver puts in its stop message and the property reading in its "Error" box.
#pragma once

#include <exception>
#include <string>

#include "common/text.h"

namespace vant {

class Failure : public std::exception {
 public:
  explicit Failure(Text description);

  const Text& Description() const noexcept { return description_; }
  const char* what() const noexcept override { return utf8_.c_str(); }

  // A number outside the range of its type (16-bit, 32-bit, single precision).
  static Failure Overflow();
  // An array position outside the array.
  static Failure IndexOutOfRange();
  // A property value the surface or printer does not accept.
  static Failure InvalidPropertyValue();
  // An object that does not support the operation asked of it.
  static Failure NotSupported();

 private:
  Text description_;
  std::string utf8_;
};

}  // namespace vant
