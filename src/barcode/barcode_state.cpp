#include "barcode/barcode_state.h"

namespace vant {

Text& BarcodeErrorText() {
  // One per thread, like the rest of the module-level state; a success leaves it as it is.
  thread_local Text message;
  return message;
}

}  // namespace vant
