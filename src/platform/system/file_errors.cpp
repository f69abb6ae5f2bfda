#include "platform/system/file_errors.h"

#include <cerrno>
#include <utility>

namespace vant::system {
namespace {

struct ErrnoText {
  int error;
  TextView text;
};

// The failures a write, a rename or a check of a path meets in practice.
constexpr ErrnoText kErrnoTexts[] = {
    {ENOSPC, u"ディスクの空き容量が不足しています"},
    {EDQUOT, u"ディスクの使用量が上限に達しています"},
    {EFBIG, u"ファイルが大きすぎます"},
    {EACCES, u"アクセスが拒否されました"},
    {EPERM, u"この操作は許可されていません"},
    {EROFS, u"読み取り専用のファイルシステムです"},
    {ENOENT, u"ファイルまたはディレクトリがありません"},
    {ENOTDIR, u"パスの途中がディレクトリではありません"},
    {EISDIR, u"ディレクトリです"},
    {EEXIST, u"同じ名前のファイルが既にあります"},
    {ELOOP, u"シンボリックリンクをたどれません"},
    {ENAMETOOLONG, u"ファイル名が長すぎます"},
    {EIO, u"入出力エラーが発生しました"},
    {EBADF, u"書き込み用に開かれたファイル記述子ではありません"},
    {EPIPE, u"読み出す側が閉じられました"},
    {ENXIO, u"デバイスがありません"},
    {ENODEV, u"デバイスがありません"},
    {EBUSY, u"使用中です"},
    {ETXTBSY, u"使用中です"},
    {EMFILE, u"開いているファイルが多すぎます"},
    {ENFILE, u"開いているファイルが多すぎます"},
    {EXDEV, u"別のファイルシステムにあります"},
    {EINVAL, u"このファイルシステムではできない操作です"},
    {EOPNOTSUPP, u"このファイルシステムではできない操作です"},
};

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
  for (const ErrnoText& known : kErrnoTexts) {
    if (known.error == error) return Text(known.text);
  }
  return u"システムエラー (errno " + DecimalText(error) + u")";
}

FileWriteFailure::FileWriteFailure(std::filesystem::path file, int error)
    : FileWriteFailure(std::move(file), ErrnoReason(error)) {
  error_ = error;
}

FileWriteFailure::FileWriteFailure(std::filesystem::path file, Text reason)
    : Failure(WriteFailureDescription(file, reason)),
      file_(std::move(file)),
      reason_(std::move(reason)),
      error_(0) {}

void FailWriting(const std::filesystem::path& file, int error) { throw FileWriteFailure(file, error); }

}  // namespace vant::system
