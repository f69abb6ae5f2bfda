// The errno values as the user reads them, a file operation's and a connection's words from
// one table, and the failure that names a file with one.
#include "platform/system/file_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace vant::system {
namespace {

TEST(ErrnoReason, NamesTheCauseInJapaneseAndAnUnknownOneByNumber) {
  EXPECT_EQ(ToUtf8(ErrnoReason(ENOSPC)), "ディスクの空き容量が不足しています");
  EXPECT_EQ(ToUtf8(ErrnoReason(EROFS)), "読み取り専用のファイルシステムです");
  EXPECT_EQ(ToUtf8(ErrnoReason(4242)), "システムエラー (errno 4242)");
  EXPECT_EQ(FileWriteFailure("/x/a.pdf", EDQUOT).what(),
            std::string("「/x/a.pdf」を書き込めません: ディスクの使用量が上限に達しています"));
}

// The same value in the words of a file and of a connection; "" in a column: that side's
// words for a value it has none for.
TEST(ErrnoReason, SaysAValueInTheWordsOfAFileOrOfAConnection) {
  struct Row {
    int line;
    int error;
    const char* file;
    const char* socket;
  };
  const Row rows[] = {
      {__LINE__, ENOENT, "ファイルまたはディレクトリがありません", "ソケットがありません"},
      {__LINE__, ECONNREFUSED, "", "接続を拒否されました"},
      {__LINE__, ETIMEDOUT, "", "応答がありません"},
      {__LINE__, EPIPE, "読み出す側が閉じられました", "接続が途中で切れました"},
      {__LINE__, ECONNRESET, "", "接続が途中で切れました"},
      {__LINE__, EHOSTUNREACH, "", "ホストに到達できません"},
      {__LINE__, EHOSTDOWN, "", "ホストに到達できません"},
      {__LINE__, ENETUNREACH, "", "ホストに到達できません"},
      {__LINE__, EACCES, "アクセスが拒否されました", "接続の権限がありません"},
      {__LINE__, EPERM, "この操作は許可されていません", "接続の権限がありません"},
      {__LINE__, ENOSPC, "ディスクの空き容量が不足しています", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const std::string unknownFile = "システムエラー (errno " + std::to_string(row.error) + ")";
    const std::string unknownSocket = std::string("通信に失敗しました (") + std::strerror(row.error) + ")";
    EXPECT_EQ(ToUtf8(ErrnoReason(row.error)), *row.file != 0 ? std::string(row.file) : unknownFile);
    EXPECT_EQ(ToUtf8(SocketErrorReason(row.error)), *row.socket != 0 ? std::string(row.socket) : unknownSocket);
  }
  EXPECT_EQ(ToUtf8(SocketErrorReason(4242)), std::string("通信に失敗しました (") + std::strerror(4242) + ")");
}

}  // namespace
}  // namespace vant::system
