#include "preview/paper_names.h"

namespace vant {

TextView PaperNameFor(int16_t code) {
  for (const auto& paper : kPaperNames) {
    if (paper.code == code) return paper.name;
  }
  return {};
}

}  // namespace vant
