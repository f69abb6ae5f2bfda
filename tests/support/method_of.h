// A method as the property reading stores it, from its fields in order.
#pragma once

#include <cstddef>
#include <initializer_list>

#include "common/method_rec.h"

namespace vant::test {

inline MethodRec Method(std::initializer_list<Text> fields) {
  MethodRec method;
  std::size_t i = 0;
  for (const Text& field : fields) method.field[i++] = field;
  return method;
}

}  // namespace vant::test
