#include "platform/host/host_page_loader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <stdexcept>
#include <string_view>

#include "platform/host/host_page_errors.h"
#include "platform/host/html_encoding.h"
#include "platform/host/html_parse_work.h"
#include "platform/system/descriptor.h"
#include "platform/system/file_errors.h"
#include "platform/system/limited_child.h"
#include "platform/host/page_reply.h"

namespace vant::platform {
namespace {

// The budget of reading one page: far above what a real page needs (a 64 MiB page of
// PARAMs parses in a few seconds within it), far below what the machine has.
constexpr system::ChildLimits kPageReadingLimits{
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

// Why the page could not be read, as the user reads it.
std::string ReasonOf(int error) { return ToUtf8(system::ErrnoReason(error)); }

const std::string kTooLarge = "ファイルが大きすぎます (上限 " + std::to_string(kMaxPageBytes >> 20) + " MiB)";

// Reads the descriptor to its end, within the limit; expected is the size to start with
// (the file may have grown since).
std::string ReadToEnd(int descriptor, const std::filesystem::path& path, std::size_t expected) {
  system::ReadBytes read = system::ReadToEnd(descriptor, kMaxPageBytes, expected);
  if (read.error != 0) Unreadable(path, ReasonOf(read.error));
  if (read.overLimit) Unreadable(path, kTooLarge);
  return std::move(read.bytes);
}

std::string ReadPageBytes(const std::filesystem::path& path) {
  const system::Descriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!file.IsOpen()) Unreadable(path, ReasonOf(errno));
  struct stat info {};
  if (fstat(file.Get(), &info) != 0) Unreadable(path, ReasonOf(errno));
  if (S_ISDIR(info.st_mode)) Unreadable(path, ReasonOf(EISDIR));
  // A pipe or a device could block or never end: only plain files are pages.
  if (!S_ISREG(info.st_mode)) Unreadable(path, "通常のファイルではありません");
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxPageBytes) Unreadable(path, kTooLarge);
  return ReadToEnd(file.Get(), path, static_cast<std::size_t>(info.st_size));
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
// parsing, choosing the control's OBJECT. Only the reply leaves it, its PARAMs' text as the
// parser left it; the parse tree is left to the child's end.
std::string ReadPageInChild(const std::filesystem::path& path, const std::function<std::string()>& readBytes,
                            const std::optional<Text>& objectId) {
  try {
    std::string utf8;
    PageEncoding encoding;
    std::size_t replacedSequences = 0;
    bool utf8Text = false;
    {
      std::string bytes = readBytes();
      if (auto reason = NotTextReason(bytes)) Unreadable(path, *reason);
      DecodedPage decoded = DecodeTakenPage(std::move(bytes));
      encoding = decoded.encoding;
      replacedSequences = decoded.text.replacedSequences;
      utf8Text = decoded.utf8Text;
      utf8 = std::move(decoded.text.utf8);
    }  // the raw bytes go before the parse tree comes
    if (EstimateParseWork(utf8) > kMaxParseWork) Unreadable(path, kTooDeep);
    // The PARAMs' text is most of a page of methods: the reply is about the page's size.
    ParamsReplyBuilder reply(encoding, replacedSequences, utf8Text, utf8.size() + utf8.size() / 4);
    try {
      WalkPageObjects(utf8, reply, kMaxReplyParams, ParseTreeEnd::kLeftToProcessEnd);
    } catch (const TooManyParams&) {
      Unreadable(path, TooManyParamsReason());
    }
    return std::move(reply).Finish(objectId);
  } catch (const HostPageUnreadable& e) {
    return EncodeReply(PageRefused{e.what()});
  } catch (const HostObjectNotFound& e) {
    return EncodeReply(ObjectIdMissing{e.Id(), e.what()});
  }
}

LoadedHostPage ReadInChild(const std::filesystem::path& path, const std::function<std::string()>& readBytes,
                           const std::optional<Text>& objectId, std::string baseName) {
  const system::ChildOutcome outcome = system::RunInLimitedChild(
      [&](int replyFd) {
        if (!system::WriteAll(replyFd, ReadPageInChild(path, readBytes, objectId))) {
          throw std::runtime_error("the reply was not taken");
        }
      },
      kPageReadingLimits);
  if (outcome.end == system::ChildEnd::kOverLimit) Unreadable(path, kOverBudget);
  if (outcome.end == system::ChildEnd::kBroken) {
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
          std::move(baseName), read.encoding, read.replacedSequences,
          read.utf8Text};
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
