// The errno values as the user reads them, and the failure that names a file with one.
#include "platform/system/file_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace vant::system {
namespace {

TEST(ErrnoReason, NamesTheCauseInJapaneseAndAnUnknownOneByNumber) {
  EXPECT_EQ(ToUtf8(ErrnoReason(ENOSPC)), "ディスクの空き容量が不足しています");
  EXPECT_EQ(ToUtf8(ErrnoReason(EROFS)), "読み取り専用のファイルシステムです");
  EXPECT_EQ(ToUtf8(ErrnoReason(4242)), "システムエラー (errno 4242)");
  EXPECT_EQ(FileWriteFailure("/x/a.pdf", EDQUOT).what(), std::string("「/x/a.pdf」を書き込めません: ディスクの使用量が上限に達しています"));
}

}  // namespace
}  // namespace vant::system
