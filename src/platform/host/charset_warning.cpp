#include "platform/host/charset_warning.h"

namespace vant::platform {

bool MisreadEncoding(const LoadedHostPage& page) {
  return page.utf8Text || page.replacedSequences > kToleratedInvalidSequences;
}

}  // namespace vant::platform
