// Answers stay under the browser's 1 MiB whatever a page made the control say or print.
#include "platform/browser/browser_answer.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "platform/browser/native_messaging.h"

namespace vant::browser {
namespace {

QJsonObject Parsed(const std::string& json) {
  const QJsonDocument document = QJsonDocument::fromJson(QByteArray::fromStdString(json));
  EXPECT_TRUE(document.isObject()) << json.substr(0, 200);
  return document.object();
}

printing::DeliveredDocument Job(int id) {
  printing::DeliveredDocument d;
  d.printer = u"Office";
  d.pages = 2;
  d.jobId = id;
  return d;
}

TEST(BrowserAnswer, SmallOutcomeIsSentWhole) {
  Outcome outcome;
  outcome.messages.push_back({MessageIcon::kInformation, Text(), u"印刷対象がありません!"});
  outcome.printed.push_back(Job(12));
  printing::DeliveredDocument file;
  file.printer = u"Vant3 PDF";
  file.pages = 1;
  file.file = "/home/u/ダウンロード/invoice.pdf";
  outcome.printed.push_back(file);
  const QJsonObject answer = Parsed(ControlAnswer(Request::Kind::kPrint, 5, outcome));
  EXPECT_EQ(answer["kind"].toString(), "print");
  EXPECT_EQ(answer["id"].toInteger(), 5);
  const QJsonObject o = answer["outcome"].toObject();
  EXPECT_FALSE(o["stopped"].toBool());
  EXPECT_FALSE(o.contains("omitted"));
  EXPECT_EQ(o["messages"][0]["icon"].toString(), "information");
  EXPECT_EQ(o["messages"][0]["title"].toString(), "");
  EXPECT_EQ(o["messages"][0]["text"].toString(), QString::fromUtf8("印刷対象がありません!"));
  EXPECT_EQ(o["printed"][0]["job"].toInt(), 12);
  EXPECT_FALSE(o["printed"][0].toObject().contains("file"));
  // The file by its name alone, and where it is in words: no folder of the user's.
  EXPECT_EQ(o["printed"][1]["file"].toString(), QString::fromUtf8("invoice.pdf"));
  EXPECT_EQ(o["printed"][1]["folder"].toString(), "downloads");
  EXPECT_FALSE(o["printed"][1].toObject().contains("job"));
  EXPECT_FALSE(o["printed"][0].toObject().contains("folder"));
}

TEST(BrowserAnswer, OversizedOutcomesAreShortenedOrRefusedNeverOverTheLimit) {
  Outcome longText;  // one stop message naming a 2 MiB method
  longText.messages.push_back({MessageIcon::kCritical, u"エラー", Text(2u << 20, u'x')});
  longText.stopped = true;
  const std::string cut = ControlAnswer(Request::Kind::kPrint, 1, longText);
  ASSERT_LE(cut.size(), kMaxAnswerBytes);
  const QJsonObject o = Parsed(cut)["outcome"].toObject();
  EXPECT_EQ(o["messages"][0]["text"].toString().size(), static_cast<qsizetype>(kShortTextUnits + 1));
  EXPECT_TRUE(o["stopped"].toBool());
  EXPECT_EQ(o["omitted"]["messages"].toInt(), 0);

  Outcome manyJobs;  // a list of 30000 enddoc
  for (int i = 0; i < 30000; ++i) manyJobs.printed.push_back(Job(i + 1));
  const std::string listed = ControlAnswer(Request::Kind::kPrint, 2, manyJobs);
  ASSERT_LE(listed.size(), kMaxAnswerBytes);
  const QJsonObject m = Parsed(listed)["outcome"].toObject();
  EXPECT_EQ(m["printed"].toArray().size(), static_cast<qsizetype>(kListedEntries));
  EXPECT_EQ(m["omitted"]["printed"].toInt(), 30000 - static_cast<int>(kListedEntries));

  ControlButtons wide;  // a caption of 1 MiB
  wide.print.caption = Text(1u << 20, u'印');
  const std::string buttons = DocumentAnswer(3, std::vector<ControlButtons>(3, wide), Outcome{});
  ASSERT_LE(buttons.size(), kMaxAnswerBytes);
  EXPECT_EQ(Parsed(buttons)["controls"][2]["print"]["caption"].toString().size(),
            static_cast<qsizetype>(kShortTextUnits + 1));

  ControlButtons many;
  many.print.caption = Text(kShortTextUnits, u'印');
  const std::string refused = DocumentAnswer(4, std::vector<ControlButtons>(1024, many), Outcome{});
  ASSERT_LE(refused.size(), kMaxAnswerBytes);
  const QJsonObject error = Parsed(refused);
  EXPECT_EQ(error["kind"].toString(), "error");
  EXPECT_EQ(error["id"].toInteger(), 4);
  EXPECT_FALSE(error["message"].toString().isEmpty());
}

TEST(BrowserAnswer, RefusalWithoutAnIdSaysNull) {
  const QJsonObject error = Parsed(ErrorAnswer({std::nullopt, u"要求が JSON のオブジェクトではありません。"}));
  EXPECT_EQ(error["kind"].toString(), "error");
  EXPECT_TRUE(error["id"].isNull());
  EXPECT_EQ(error["message"].toString(), QString::fromUtf8("要求が JSON のオブジェクトではありません。"));
}

}  // namespace
}  // namespace vant::browser
