// Loading a host page from a file: reading, recognising its encoding, parsing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "common/text.h"
#include "platform/host/host_page.h"
#include "platform/host/html_charset.h"

namespace vant::platform {

// The largest page read, in bytes: far beyond any real page (32767 method PARAMs take a
// few MiB), small enough that the parse tree stays in memory.
inline constexpr std::uintmax_t kMaxPageBytes = 64u << 20;

struct LoadedHostPage {
  HostPage page;                      // the document and the control's property bag
  std::string baseName;               // the file name without its folder and last extension
  PageEncoding encoding;              // as recognised
  std::size_t replacedSequences = 0;  // invalid byte sequences read as U+FFFD
  bool utf8Text = false;              // declared Shift_JIS or EUC-JP, holds Japanese text in UTF-8
};

// Reads and parses the page at path; objectId chooses the control's OBJECT (see
// HostPage::FromHtml). A file that cannot be read, is too large or is not text (NUL bytes
// in its first KiB without a UTF-16 byte order mark, or a first KiB that is mostly
// unreadable bytes) or nests its elements so deep that parsing it would take minutes
// throws HostPageUnreadable naming the file; an id that no OBJECT carries throws
// HostObjectNotFound. The page is read and parsed in a child process under memory and CPU
// limits (a page beyond them is refused the same way): only its PARAMs come back, the
// bytes and the parse tree never live in this process. Call before starting threads.
LoadedHostPage LoadHostPage(const std::filesystem::path& path,
                            const std::optional<Text>& objectId = std::nullopt);

// The name standard input is called by in messages.
inline constexpr const char* kStandardInputName = "標準入力";

// The same for a page read from standard input to its end (a pipe, a file, a terminal);
// the messages call it 標準入力 and the base name is empty.
LoadedHostPage LoadHostPageFromStandardInput(const std::optional<Text>& objectId = std::nullopt);

}  // namespace vant::platform
