// When a page is warned of as read against the encoding it declares: a page saved in another
// encoding than its META names reads as replacement characters, and its texts would print
// garbled without any other sign. The command line words the warning (app/run/session.h).
#pragma once

#include <cstddef>

#include "platform/host/host_page_loader.h"

namespace vant::platform {

// Invalid byte sequences a page may hold before it is warned about: a stray byte or two
// in a comment is common and harmless.
inline constexpr std::size_t kToleratedInvalidSequences = 3;

// Whether the page holds UTF-8 text under a Japanese declaration, or more invalid byte
// sequences than a few strays; not for a page that reads cleanly enough.
bool MisreadEncoding(const LoadedHostPage& page);

}  // namespace vant::platform
