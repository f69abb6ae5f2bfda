#include "platform/host/host_page_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "platform/host/host_page_errors.h"
#include "platform/host/html_encoding.h"
#include "platform/host/html_parse_work.h"

namespace vant::platform {
namespace {

[[noreturn]] void Unreadable(const std::filesystem::path& path, const std::string& reason) {
  throw HostPageUnreadable(path.string(), "ページを読み込めません: " + path.string() + ": " + reason);
}

std::string ReasonOf(int error) {
  switch (error) {
    case ENOENT: return "ファイルがありません";
    case EACCES:
    case EPERM: return "読み取りの権限がありません";
    case EISDIR: return "フォルダです";
    case ENOTDIR: return "途中にフォルダでないものがあります";
    case ELOOP: return "シンボリックリンクが循環しています";
    default: return std::string("読み取りに失敗しました (") + std::strerror(error) + ")";
  }
}

// Closes the descriptor when the reading ends, however it ends.
class OpenFile {
 public:
  explicit OpenFile(int descriptor) : descriptor_(descriptor) {}
  ~OpenFile() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

// Reads the descriptor to its end, within the limit; expected is the size to start with.
std::string ReadToEnd(int descriptor, const std::filesystem::path& path, std::size_t expected) {
  std::string bytes;
  bytes.resize(expected);
  std::size_t filled = 0;
  while (true) {
    if (filled == bytes.size()) {
      // The file may have grown since fstat: read on, within the limit.
      if (bytes.size() >= kMaxPageBytes) {
        Unreadable(path, "ファイルが大きすぎます (上限 " + std::to_string(kMaxPageBytes >> 20) + " MiB)");
      }
      bytes.resize(bytes.size() + 4096);
    }
    const ssize_t got = read(descriptor, bytes.data() + filled, bytes.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      Unreadable(path, ReasonOf(errno));
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return bytes;
}

std::string ReadPageBytes(const std::filesystem::path& path) {
  const OpenFile file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) Unreadable(path, ReasonOf(errno));
  struct stat info {};
  if (fstat(file.get(), &info) != 0) Unreadable(path, ReasonOf(errno));
  if (S_ISDIR(info.st_mode)) Unreadable(path, ReasonOf(EISDIR));
  // A pipe or a device could block or never end: only plain files are pages.
  if (!S_ISREG(info.st_mode)) Unreadable(path, "通常のファイルではありません");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxPageBytes) {
    Unreadable(path, "ファイルが大きすぎます (上限 " + std::to_string(kMaxPageBytes >> 20) + " MiB)");
  }
  return ReadToEnd(file.get(), path, static_cast<std::size_t>(info.st_size));
}


// Characters that do not occur in text: C0 controls other than tab, line feed, form feed
// and carriage return, and DEL.
bool IsBinaryControl(unsigned char c) {
  return (c < 0x20 && c != '\t' && c != '\n' && c != '\f' && c != '\r') || c == 0x7F;
}

// The reason the page is not text, judged from its first KiB; nothing when it is text.
std::optional<std::string> NotTextReason(std::string_view bytes) {
  const auto mark = DetectByteOrderMark(bytes);
  const bool utf16 = mark && (mark->encoding == PageEncoding::kUtf16Le ||
                              mark->encoding == PageEncoding::kUtf16Be);
  std::string_view head = bytes.substr(mark ? mark->length : 0, kPrescanBytes);
  if (!utf16 && head.find('\0') != std::string_view::npos) {
    return "テキストではありません (NUL バイトを含みます)";
  }
  if (utf16) head = head.substr(0, head.size() & ~std::size_t{1});
  const DecodedText decoded = DecodeToUtf8(head, DetectPageEncoding(bytes));
  std::size_t characters = 0, unreadable = decoded.replacedSequences;
  for (const char byte : decoded.utf8) {
    const auto c = static_cast<unsigned char>(byte);
    if ((c & 0xC0) != 0x80) ++characters;
    if (IsBinaryControl(c)) ++unreadable;
  }
  if (unreadable * 2 > characters) {
    return "テキストではありません (文字として読めないバイトが大半です。Shift_JIS や EUC-JP "
           "のページは先頭 1024 バイト以内の <meta charset> で宣言してください)";
  }
  return std::nullopt;
}

LoadedHostPage ParsePage(const std::filesystem::path& shownAs, const std::string& bytes,
                         const std::optional<Text>& objectId, std::string baseName) {
  if (auto reason = NotTextReason(bytes)) Unreadable(shownAs, *reason);
  DecodedPage decoded = DecodePage(bytes);
  if (EstimateParseWork(decoded.text.utf8) > kMaxParseWork) {
    Unreadable(shownAs, "要素の入れ子が深すぎるため解析できません");
  }
  return {HostPage::FromHtml(decoded.text.utf8, objectId), std::move(baseName), decoded.encoding,
          decoded.text.replacedSequences};
}

}  // namespace

LoadedHostPage LoadHostPage(const std::filesystem::path& path,
                            const std::optional<Text>& objectId) {
  return ParsePage(path, ReadPageBytes(path), objectId, path.stem().string());
}

LoadedHostPage LoadHostPageFromStandardInput(const std::optional<Text>& objectId) {
  const std::filesystem::path shownAs(kStandardInputName);
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0) Unreadable(shownAs, ReasonOf(errno));
  if (S_ISDIR(info.st_mode)) Unreadable(shownAs, ReasonOf(EISDIR));
  return ParsePage(shownAs, ReadToEnd(STDIN_FILENO, shownAs, 0), objectId, std::string());
}

}  // namespace vant::platform
