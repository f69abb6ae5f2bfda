#include "platform/host/host_page_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string_view>

#include "platform/host/host_page_errors.h"
#include "platform/host/html_encoding.h"
#include "platform/host/html_parse_work.h"
#include "platform/host/limited_child.h"
#include "platform/host/page_reply.h"

namespace vant::platform {
namespace {

// The budget of reading one page: far above what a real page needs (a 64 MiB page of
// PARAMs parses in a few seconds within it), far below what the machine has.
constexpr ChildLimits kPageReadingLimits{
    .memoryBytes = std::uint64_t{448} << 20,
    .cpuSeconds = 8,
    .wallTime = std::chrono::seconds(60),
    .maxReplyBytes = kMaxPageBytes + (16u << 20),
};

// Also said for a tag with tens of thousands of attributes, which costs the parser as much.
const std::string kTooDeep = "要素の入れ子が深すぎるため解析できません";
const std::string kOverBudget = "ページが大きすぎるか複雑すぎるため、解析に使えるメモリ (" +
                                std::to_string(kPageReadingLimits.memoryBytes >> 20) +
                                " MiB) または時間 (" + std::to_string(kPageReadingLimits.cpuSeconds) +
                                " 秒) を超えました";

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

// Everything that touches the page's bytes, run in the child: reading, decoding, the guard,
// parsing, choosing the control's OBJECT. Only the PARAMs leave it.
PageReply ReadPageInChild(const std::filesystem::path& path, const std::function<std::string()>& readBytes,
                          const std::optional<Text>& objectId) {
  try {
    ReadPageParams read;
    std::string utf8;
    {
      const std::string bytes = readBytes();
      if (auto reason = NotTextReason(bytes)) Unreadable(path, *reason);
      DecodedPage decoded = DecodePage(bytes);
      read.encoding = decoded.encoding;
      read.replacedSequences = decoded.text.replacedSequences;
      utf8 = std::move(decoded.text.utf8);
    }  // the raw bytes go before the parse tree comes
    if (EstimateParseWork(utf8) > kMaxParseWork) Unreadable(path, kTooDeep);
    PageObjects objects = ReadPageObjects(utf8);
    utf8 = std::string();
    if (objects.objectParams.size() > kMaxReplyParams) Unreadable(path, TooManyParamsReason());
    const std::optional<std::size_t> control = ChooseControl(objects, objectId);
    read.hasObject = !objects.objects.empty();
    if (control) read.control = std::move(objects.objects[*control]);
    read.objectParams = std::move(objects.objectParams);
    return read;
  } catch (const HostPageUnreadable& e) {
    return PageRefused{e.what()};
  } catch (const HostObjectNotFound& e) {
    return ObjectIdMissing{e.Id(), e.what()};
  }
}

LoadedHostPage ReadInChild(const std::filesystem::path& path, const std::function<std::string()>& readBytes,
                           const std::optional<Text>& objectId, std::string baseName) {
  const ChildOutcome outcome = RunInLimitedChild(
      [&](int replyFd) {
        if (!WriteAll(replyFd, EncodeReply(ReadPageInChild(path, readBytes, objectId)))) {
          throw std::runtime_error("the reply was not taken");
        }
      },
      kPageReadingLimits);
  if (outcome.end == ChildEnd::kOverLimit) Unreadable(path, kOverBudget);
  if (outcome.end == ChildEnd::kBroken) {
    Unreadable(path, "解析が異常終了しました" +
                         (outcome.signal != 0 ? " (シグナル " + std::to_string(outcome.signal) + ")"
                                              : std::string()));
  }
  std::optional<PageReply> reply = DecodeReply(outcome.reply);
  if (!reply) Unreadable(path, "解析の結果が壊れています");
  if (const auto* refused = std::get_if<PageRefused>(&*reply)) {
    throw HostPageUnreadable(path.string(), refused->message);
  }
  if (const auto* missing = std::get_if<ObjectIdMissing>(&*reply)) {
    throw HostObjectNotFound(missing->id, missing->message);
  }
  auto& read = std::get<ReadPageParams>(*reply);
  return {HostPage::FromParams(std::move(read.objectParams), read.hasObject, std::move(read.control)),
          std::move(baseName), read.encoding, read.replacedSequences};
}

}  // namespace

LoadedHostPage LoadHostPage(const std::filesystem::path& path,
                            const std::optional<Text>& objectId) {
  return ReadInChild(path, [&] { return ReadPageBytes(path); }, objectId, path.stem().string());
}

LoadedHostPage LoadHostPageFromStandardInput(const std::optional<Text>& objectId) {
  const std::filesystem::path shownAs(kStandardInputName);
  struct stat info {};
  if (fstat(STDIN_FILENO, &info) != 0) Unreadable(shownAs, ReasonOf(errno));
  if (S_ISDIR(info.st_mode)) Unreadable(shownAs, ReasonOf(EISDIR));
  return ReadInChild(shownAs, [&] { return ReadToEnd(STDIN_FILENO, shownAs, 0); }, objectId, std::string());
}

}  // namespace vant::platform
