#include "platform/system/file_errors.h"

#include <cerrno>
#include <cstring>
#include <iterator>
#include <utility>

namespace vant::system {
namespace {

// One errno value in the words of what failed: a file operation (a write, a rename, the
// check of a path) or a connection through a socket. An empty text: no words of its own
// there, the value is said the way that side says an unknown one.
struct ErrnoText {
  int error;
  TextView file;
  TextView socket;
};

// The failures files and the print server's connection meet in practice.
constexpr ErrnoText kErrnoTexts[] = {
    {ENOSPC, u"ディスクの空き容量が不足しています", u""},
    {EDQUOT, u"ディスクの使用量が上限に達しています", u""},
    {EFBIG, u"ファイルが大きすぎます", u""},
    {EACCES, u"アクセスが拒否されました", u"接続の権限がありません"},
    {EPERM, u"この操作は許可されていません", u"接続の権限がありません"},
    {EROFS, u"読み取り専用のファイルシステムです", u""},
    {ENOENT, u"ファイルまたはディレクトリがありません", u"ソケットがありません"},
    {ENOTDIR, u"パスの途中がディレクトリではありません", u""},
    {EISDIR, u"ディレクトリです", u""},
    {EEXIST, u"同じ名前のファイルが既にあります", u""},
    {ELOOP, u"シンボリックリンクをたどれません", u""},
    {ENAMETOOLONG, u"ファイル名が長すぎます", u""},
    {EIO, u"入出力エラーが発生しました", u""},
    {EBADF, u"書き込み用に開かれたファイル記述子ではありません", u""},
    {EPIPE, u"読み出す側が閉じられました", u"接続が途中で切れました"},
    {ENXIO, u"デバイスがありません", u""},
    {ENODEV, u"デバイスがありません", u""},
    {EBUSY, u"使用中です", u""},
    {ETXTBSY, u"使用中です", u""},
    {EMFILE, u"開いているファイルが多すぎます", u""},
    {ENFILE, u"開いているファイルが多すぎます", u""},
    {EXDEV, u"別のファイルシステムにあります", u""},
    {EINVAL, u"このファイルシステムではできない操作です", u""},
    {EOPNOTSUPP, u"このファイルシステムではできない操作です", u""},
    {ECONNREFUSED, u"", u"接続を拒否されました"},
    {ETIMEDOUT, u"", u"応答がありません"},
    {ECONNRESET, u"", u"接続が途中で切れました"},
    {EHOSTDOWN, u"", u"ホストに到達できません"},
    {EHOSTUNREACH, u"", u"ホストに到達できません"},
    {ENETUNREACH, u"", u"ホストに到達できません"},
};

constexpr bool EachValueOnceWithWords() {
  for (std::size_t i = 0; i < std::size(kErrnoTexts); ++i) {
    if (kErrnoTexts[i].file.empty() && kErrnoTexts[i].socket.empty()) return false;
    for (std::size_t j = i + 1; j < std::size(kErrnoTexts); ++j) {
      if (kErrnoTexts[i].error == kErrnoTexts[j].error) return false;
    }
  }
  return true;
}
static_assert(EachValueOnceWithWords(), "kErrnoTexts: one row per errno value, with words on one side at least");

// The words of error on one side; empty when it has none there.
TextView WordsOf(int error, TextView ErrnoText::*side) {
  for (const ErrnoText& known : kErrnoTexts) {
    if (known.error == error) return known.*side;
  }
  return {};
}

// "「FILE」を書き込めません: REASON", appended piece by piece: a literal put in front of a
// temporary text is an insertion at its start, in which GCC 12 sees a false overlap.
Text WriteFailureDescription(const std::filesystem::path& file, TextView reason) {
  Text description = u"「";
  description += FromUtf8(file.string());
  description += u"」を書き込めません: ";
  description += reason;
  return description;
}

}  // namespace

Text ErrnoReason(int error) {
  const TextView words = WordsOf(error, &ErrnoText::file);
  if (!words.empty()) return Text(words);
  return u"システムエラー (errno " + DecimalText(error) + u")";
}

Text SocketErrorReason(int error) {
  const TextView words = WordsOf(error, &ErrnoText::socket);
  if (!words.empty()) return Text(words);
  return u"通信に失敗しました (" + FromUtf8(std::strerror(error)) + u")";
}

FileWriteFailure::FileWriteFailure(std::filesystem::path file, int error)
    : FileWriteFailure(std::move(file), ErrnoReason(error)) {
  error_ = error;
}

FileWriteFailure::FileWriteFailure(std::filesystem::path file, Text reason)
    : Failure(WriteFailureDescription(file, reason)), file_(std::move(file)), reason_(std::move(reason)), error_(0) {}

void FailWriting(const std::filesystem::path& file, int error) { throw FileWriteFailure(file, error); }

}  // namespace vant::system
