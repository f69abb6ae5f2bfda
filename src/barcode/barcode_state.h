// The message of the last refused barcode datum: one per thread, never cleared.
#pragma once

#include "common/text.h"

namespace vant {

Text& BarcodeErrorText();

}  // namespace vant
