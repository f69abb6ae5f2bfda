// `vant host` alone, as the browser starts it, without a browser and without a print
// server: every malformed or oversized message refused and the host serving on, a channel
// closed inside a message, the control's limits, nothing on standard output but answers,
// and a click printing what `vant pdf` prints into the download folder.
#include <gtest/gtest.h>

#include <QJsonArray>

#include <cstring>
#include <tuple>

#include "host_channel.h"
#include "host_pages.h"
#include "pdf_inspect.h"
#include "small_tmpfs.h"
#include "examples_dir.h"

namespace vant::test {
namespace {


std::string Header(std::uint32_t length) {
  std::string header(4, '\0');
  std::memcpy(header.data(), &length, 4);
  return header;
}

QJsonObject MethodsDocument(int id, std::size_t methods, int key = 0) {
  QJsonArray params;
  for (std::size_t i = 0; i < methods; ++i) params.append(QJsonArray{"method" + QString::number(i + 1), "newpage"});
  return {{"kind", "document"}, {"id", id}, {"objects", QJsonArray{QJsonObject{{"key", key}, {"params", params}}}}};
}

void ExpectOnlyAnswers(const HostRun& run) {
  EXPECT_TRUE(run.stray.empty()) << "stray bytes on standard output: " << run.stray.size();
  EXPECT_EQ(run.notObjects, 0);
  EXPECT_FALSE(run.result.timedOut) << run.result.Describe();
}

// `vant host` run to its end on the requests, its download folder in dir; its standard
// output holds answers only.
HostRun Hosted(const std::string& input, const TempDir& dir, const std::vector<std::string>& args = {"host"}) {
  VantOptions options;
  options.env = DownloadEnv(dir);
  HostRun run = RunHost(input, options, args);
  ExpectOnlyAnswers(run);
  return run;
}

struct Malformed {
  int line;
  std::string message;  // unframed
  QJsonValue id;        // of the refusal
  std::string reason;
};

TEST(VantHost, RefusesEveryMalformedMessageAndGoesOnServing) {
  const std::vector<Malformed> cases = {
      {__LINE__, "", QJsonValue(), "JSON として読めません"},
      {__LINE__, "\x00\x01garbage", QJsonValue(), "JSON として読めません"},
      {__LINE__, "{\"kind\":\"document\",\"id\":1,\"objects\":[", QJsonValue(), "JSON として読めません"},
      {__LINE__, "[\"document\"]", QJsonValue(), "オブジェクトではありません"},
      {__LINE__, "{\"kind\":\"document\",\"id\":\"2\",\"objects\":[]}", QJsonValue(), "\"id\""},
      {__LINE__, "{\"kind\":\"close\",\"id\":3}", 3, "「close」"},
      {__LINE__, "{\"kind\":\"print\",\"id\":4}", 4, "\"key\""},
      {__LINE__, "{\"kind\":\"print\",\"id\":5,\"key\":0}", 5, "コントロールはありません"},
      {__LINE__, "{\"kind\":\"document\",\"id\":6,\"objects\":[{\"key\":0,\"params\":[[\"method1\",{}]]}]}", 6, "params[0]"},
      {__LINE__, "{\"kind\":\"document\",\"id\":7,\"url\":[],\"objects\":[]}", 7, "\"url\""},
  };
  std::string input;
  for (const Malformed& c : cases) input += Framed(c.message);
  // A length beyond what the host reads: its bytes are skipped, not kept.
  const std::uint32_t tooLong = (64u << 20) + 1;
  input += Header(tooLong) + std::string(tooLong, '{');
  input += Framed(QJsonObject{{"kind", "document"}, {"id", 8}, {"objects", QJsonArray{}}});
  TempDir dir;
  const HostRun run = Hosted(input, dir);
  EXPECT_TRUE(run.result.exited && run.result.status == 0) << run.result.Describe();
  ASSERT_EQ(run.answers.size(), cases.size() + 2) << run.result.Describe();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const QJsonObject& answer = run.answers[i];
    EXPECT_EQ(answer["kind"].toString(), "error") << "line " << cases[i].line;
    EXPECT_EQ(answer["id"], cases[i].id) << "line " << cases[i].line;
    EXPECT_TRUE(answer["message"].toString().contains(QString::fromStdString(cases[i].reason)))
        << "line " << cases[i].line << ": " << answer["message"].toString().toStdString();
  }
  EXPECT_TRUE(run.answers[cases.size()]["message"].toString().contains("67108865"));
  EXPECT_EQ(run.answers.back()["kind"].toString(), "document");
  EXPECT_EQ(run.answers.back()["id"].toInt(), 8);
}

TEST(VantHost, EndsCleanlyWhenTheChannelClosesAndEvenInsideAMessage) {
  const std::string ok = Framed(QJsonObject{{"kind", "document"}, {"id", 1}, {"objects", QJsonArray{}}});
  struct Case {
    int line;
    std::string input;
    int status;
    std::size_t answers;
  };
  for (const Case& c : std::vector<Case>{{__LINE__, "", 0, 0},
                                         {__LINE__, ok, 0, 1},
                                         {__LINE__, ok + Header(20).substr(0, 2), 1, 1},
                                         {__LINE__, ok + Header(100) + std::string(10, '{'), 1, 1},
                                         {__LINE__, Header(0xFFFFFFFFu) + "{}", 1, 0}}) {
    TempDir dir;
    const HostRun run = Hosted(c.input, dir);
    EXPECT_TRUE(run.result.exited) << "line " << c.line << ": " << run.result.Describe();
    EXPECT_EQ(run.result.status, c.status) << "line " << c.line << ": " << run.result.Describe();
    EXPECT_EQ(run.answers.size(), c.answers) << "line " << c.line;
  }
}

TEST(VantHost, MethodLimitIsTheControlsOwn) {
  // 32767 method lines reach the control, whose reading overflows as `vant methods` says;
  // one more is refused before the control sees it, and the host serves on.
  const std::string input = Framed(MethodsDocument(1, 32767)) + Framed(MethodsDocument(2, 32768)) +
                            Framed(MethodsDocument(3, 2, 1));
  TempDir dir;
  const HostRun run = Hosted(input, dir);
  ASSERT_EQ(run.answers.size(), 3u) << run.result.Describe();
  const QJsonObject limit = run.answers[0];
  EXPECT_EQ(limit["kind"].toString(), "document");
  ASSERT_EQ(limit["outcome"]["messages"].toArray().size(), 1);
  EXPECT_EQ(limit["outcome"]["messages"][0]["title"].toString(), "Error");
  EXPECT_FALSE(limit["controls"][0]["print"]["enabled"].toBool());

  WriteFile(dir / "limit.html", HostPage(MethodParams(std::vector<std::string>(32767, "newpage"))));
  const VantResult methods = RunVantIn(dir, {"methods", (dir / "limit.html").string()});
  EXPECT_NE(methods.err.find(limit["outcome"]["messages"][0]["text"].toString().toStdString()), std::string::npos)
      << methods.Describe();

  EXPECT_EQ(run.answers[1]["kind"].toString(), "error");
  EXPECT_TRUE(run.answers[1]["message"].toString().contains(QString::fromUtf8("32768 個")));
  EXPECT_EQ(run.answers[2]["kind"].toString(), "document");
  EXPECT_TRUE(run.answers[2]["controls"][0]["print"]["enabled"].toBool());
}

// A document of `controls` OBJECTs, each a control (method1 enddoc), and `filler` tiny
// PARAMs shared out among them, written as the JSON text itself (a million PARAMs).
std::string FilledDocument(int id, std::size_t controls, std::size_t filler) {
  std::string json = "{\"kind\":\"document\",\"id\":" + std::to_string(id) + ",\"objects\":[";
  for (std::size_t key = 0; key < controls; ++key) {
    json += (key ? ",{\"key\":" : "{\"key\":") + std::to_string(key) + ",\"params\":[[\"method1\",\"enddoc\"]";
    for (std::size_t i = key; i < filler; i += controls) json += ",[\"x\",\"\"]";
    json += "]}";
  }
  return json + "]}";
}

TEST(VantHost, ParamsBeyondWhatAPageMayHoldAreRefusedAndAThousandControlsReadAMillion) {
  // A million PARAMs (the most a page file may hold too), read by each of 1024 controls;
  // one more is refused before any control sees it, and the host serves on.
  constexpr std::size_t kMaxParams = 1'000'000;
  const std::string input = Framed(FilledDocument(1, 1024, kMaxParams - 1024)) +
                            Framed(FilledDocument(2, 1, kMaxParams)) + Framed(FilledDocument(3, 1, 10));
  TempDir dir;
  const HostRun run = Hosted(input, dir);
  ASSERT_EQ(run.answers.size(), 3u) << run.result.Describe();
  EXPECT_EQ(run.answers[0]["kind"].toString(), "document");
  EXPECT_EQ(run.answers[0]["controls"].toArray().size(), 1024);
  // Each control's list is its own enddoc (the last reading wins): nothing was printed.
  EXPECT_TRUE(run.answers[0]["outcome"]["messages"].toArray().isEmpty()) << run.result.Describe();
  EXPECT_EQ(run.answers[1]["kind"].toString(), "error");
  EXPECT_EQ(run.answers[1]["id"].toInt(), 2);
  EXPECT_EQ(run.answers[1]["message"].toString(), QString::fromUtf8("PARAM 要素が多すぎます (上限 1000000 個)。"));
  EXPECT_EQ(run.answers[2]["kind"].toString(), "document");
}

TEST(VantHost, AFramingSiteNeverSeesTheFieldsTheFramedSiteRead) {
  // Site B frames site A's invoice, then adds a Mode 1 OBJECT whose line is only "x": its
  // stop message quotes the fields of its own reading, none that A's reading left.
  const auto document = [](int id, const char* origin, const QJsonArray& params) {
    return QJsonObject{{"kind", "document"}, {"id", id}, {"doc", id}, {"origin", origin},
                       {"url", QString(origin) + "/page.html"}, {"objects", QJsonArray{QJsonObject{{"key", 0}, {"params", params}}}}};
  };
  const QJsonArray invoice{QJsonArray{"CmdProperty", QString::fromUtf8("請求書印刷")},
                           QJsonArray{"method1", QString::fromUtf8("prntext,20,10,御請求書 山田太郎 03-1234-5678")},
                           QJsonArray{"method2", "enddoc"}};
  const QJsonArray shortLine{QJsonArray{"Mode", "1"}, QJsonArray{"method1", "x"}};
  TempDir dir;
  const HostRun run =
      Hosted(Framed(document(1, "https://a.example", invoice)) + Framed(document(2, "https://b.example", shortLine)), dir);
  ASSERT_EQ(run.answers.size(), 2u) << run.result.Describe();
  const QJsonObject framing = run.answers[1];
  EXPECT_EQ(framing["controls"][0]["print"]["caption"].toString(), QString::fromUtf8("印刷"));
  ASSERT_FALSE(framing["outcome"]["messages"].toArray().isEmpty()) << run.result.Describe();
  const QString stop = framing["outcome"]["messages"][0]["text"].toString();
  EXPECT_TRUE(stop.contains("1:x()")) << stop.toStdString();
  EXPECT_FALSE(stop.contains(QString::fromUtf8("山田"))) << stop.toStdString();
}

TEST(VantHost, PrintWritesWhatVantPdfWritesIntoTheDownloadFolder) {
  TempDir dir;
  WritePageChoosingPdf(kExamples / "invoice.html", dir / "invoice.html");
  const auto page = PageObjectsOfFile(dir / "invoice.html");
  const std::string input = Framed(SnapshotRequest(1, page, "http://127.0.0.1:8080/forms/invoice.html", "請求書")) +
                            Framed(QJsonObject{{"kind", "print"}, {"id", 2}, {"key", 0}}) +
                            Framed(QJsonObject{{"kind", "print"}, {"id", 3}, {"key", 0}}) +
                            Framed(QJsonObject{{"kind", "preview"}, {"id", 4}, {"key", 0}});
  VantOptions options;
  options.env = DownloadEnv(dir);
  options.env["DISPLAY"] = std::nullopt;
  options.env["WAYLAND_DISPLAY"] = std::nullopt;
  const HostRun run = RunHost(input, options);
  ExpectOnlyAnswers(run);
  ASSERT_EQ(run.answers.size(), 4u) << run.result.Describe();
  const std::filesystem::path downloads = dir / "downloads";
  for (const auto& [answer, name] : {std::pair{run.answers[1], "invoice.pdf"}, std::pair{run.answers[2], "invoice-2.pdf"}}) {
    ASSERT_EQ(answer["outcome"]["printed"].toArray().size(), 1) << run.result.Describe();
    EXPECT_EQ(answer["outcome"]["printed"][0]["printer"].toString(), "Vant3 PDF");
    EXPECT_EQ(answer["outcome"]["printed"][0]["pages"].toInt(), 2);
    EXPECT_EQ(answer["outcome"]["printed"][0]["file"].toString().toStdString(), name);
    EXPECT_EQ(answer["outcome"]["printed"][0]["folder"].toString(), "downloads");
    EXPECT_FALSE(answer["outcome"]["stopped"].toBool());
  }
  // Nothing the page gets names the folder or anything of the home folder.
  EXPECT_EQ(run.result.out.find(dir.Path().string()), std::string::npos) << run.result.out;
  EXPECT_TRUE(std::filesystem::exists(downloads / "invoice-2.pdf"));
  // Without a display the preview says so instead of opening.
  EXPECT_EQ(run.answers[3]["outcome"]["messages"][0]["text"].toString(),
            QString::fromUtf8("この実行方法ではプレビューを表示できません。"));

  const VantResult pdf = RunVantIn(dir, {"pdf", (kExamples / "invoice.html").string(), "-o", (dir / "cli.pdf").string()});
  ASSERT_EQ(pdf.status, 0) << pdf.Describe();
  const PdfFacts cli = InspectPdf(dir / "cli.pdf");
  const PdfFacts hosted = InspectPdf(downloads / "invoice.pdf");
  ASSERT_EQ(hosted.pages, cli.pages);
  for (int p = 1; p <= cli.pages; ++p) {
    EXPECT_EQ(PdfPageText(downloads / "invoice.pdf", p), PdfPageText(dir / "cli.pdf", p)) << "page " << p;
    const auto inkCli = PdfInk(dir / "cli.pdf", p, 50);
    const auto inkHost = PdfInk(downloads / "invoice.pdf", p, 50);
    ASSERT_TRUE(inkCli && inkHost);
    EXPECT_EQ(std::tie(inkHost->left, inkHost->top, inkHost->right, inkHost->bottom),
              std::tie(inkCli->left, inkCli->top, inkCli->right, inkCli->bottom)) << "page " << p;
  }
}

TEST(VantHost, AFileThatCannotBeWrittenIsSaidWithoutTheFolder) {
  // The download folder on a full disk: the box the page gets names the file in words.
  TempDir dir;
  SmallTmpfs full(64);
  WritePageChoosingPdf(kExamples / "invoice.html", dir / "invoice.html");
  std::filesystem::create_directories(dir / "config");
  WriteFile(dir / "config" / "user-dirs.dirs", "XDG_DOWNLOAD_DIR=\"" + full.Path().string() + "\"\n");
  WriteFile(full / "filler", std::string(full.Free(), 'f'));
  VantOptions options;
  options.env = {{"XDG_CONFIG_HOME", (dir / "config").string()}, {"HOME", full.Path().parent_path().string()},
                 {"DISPLAY", std::nullopt}, {"WAYLAND_DISPLAY", std::nullopt}};
  const auto page = PageObjectsOfFile(dir / "invoice.html");
  const HostRun run = RunHost(Framed(SnapshotRequest(1, page, "https://sales.example/forms/invoice.html")) +
                                 Framed(QJsonObject{{"kind", "print"}, {"id", 2}, {"key", 0}}),
                             options);
  ExpectOnlyAnswers(run);
  ASSERT_EQ(run.answers.size(), 2u) << run.result.Describe();
  const QJsonObject outcome = run.answers[1]["outcome"].toObject();
  EXPECT_TRUE(outcome["stopped"].toBool());
  EXPECT_TRUE(outcome["printed"].toArray().isEmpty());
  const QString text = outcome["messages"][0]["text"].toString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("「ダウンロードフォルダー/invoice.pdf」"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QString::fromUtf8("ディスクの空き容量が不足しています"))) << text.toStdString();
  EXPECT_EQ(run.result.out.find(full.Path().string()), std::string::npos) << run.result.out;
  EXPECT_EQ(run.result.out.find(full.Path().parent_path().string() + "/"), std::string::npos) << run.result.out;
}

// A page's print while the print server the host was given (CUPS_SERVER) is gone.
struct GoneServerCase {
  int line;
  std::vector<std::string> lines;  // the page's method lines
  bool automatic;                  // Mode 1: the list runs when the control is shown
  std::vector<std::string> written;  // PDF files in the download folder afterwards
};

TEST(VantHost, AGoneServerPrintsNothingUnlessThePageChoseThePdfPrinter) {
  const std::vector<GoneServerCase> cases = {
      {__LINE__, {"prntext,1,1,A", "enddoc"}, false, {}},
      {__LINE__, {"prntext,1,1,A"}, false, {}},  // ended when the request ends
      {__LINE__, {"changeprinter,Office", "prntext,1,1,A", "enddoc"}, false, {}},
      {__LINE__, {"prntext,1,1,A", "enddoc"}, true, {}},
      {__LINE__, {"changeprinter, Vant3 PDF ", "prntext,1,1,A", "enddoc"}, false, {"gone.pdf"}},
      {__LINE__, {"ChangePrinterDriver,Vant3 PDF", "prntext,1,1,A"}, true, {"gone.pdf"}},
  };
  for (const GoneServerCase& c : cases) {
    TempDir dir;
    std::vector<Param> params = MethodParams(c.lines);
    if (c.automatic) params.push_back({"Mode", "1"});
    WriteFile(dir / "gone.html", HostPage(params));
    std::string input = Framed(SnapshotRequest(1, PageObjectsOfFile(dir / "gone.html"), "https://sales.example/gone.html"));
    if (!c.automatic) input += Framed(QJsonObject{{"kind", "print"}, {"id", 2}, {"key", 0}});
    const HostRun run = Hosted(input, dir);
    ASSERT_EQ(run.answers.size(), c.automatic ? 1u : 2u) << "line " << c.line << ": " << run.result.Describe();
    const QJsonObject outcome = run.answers.back()["outcome"].toObject();
    std::vector<std::string> written;
    if (std::filesystem::exists(dir / "downloads")) {
      for (const auto& entry : std::filesystem::directory_iterator(dir / "downloads")) {
        written.push_back(entry.path().filename().string());
      }
    }
    EXPECT_EQ(written, c.written) << "line " << c.line;
    EXPECT_EQ(outcome["printed"].toArray().size(), static_cast<qsizetype>(c.written.size())) << "line " << c.line;
    if (!c.written.empty()) {
      EXPECT_TRUE(outcome["messages"].toArray().isEmpty()) << "line " << c.line << ": " << run.result.Describe();
      continue;
    }
    // The page is told why, as `vant print` says it in the same place.
    EXPECT_TRUE(outcome["stopped"].toBool()) << "line " << c.line;
    const std::string said = outcome["messages"][0]["text"].toString().toStdString();
    EXPECT_NE(said.find("印刷しませんでした (ページが「Vant3 PDF」を選んだときだけ PDF ファイルに書きます)。"),
              std::string::npos) << "line " << c.line << ": " << said;
    const VantResult print = RunVantIn(dir, {"print", (dir / "gone.html").string()});
    EXPECT_EQ(print.status, 1) << print.Describe();
    // The same sentence about the server (each process has a socket path of its own).
    const std::string server = said.substr(0, said.find("印刷しませんでした"));
    EXPECT_TRUE(server.starts_with("印刷サーバー「")) << server;
    const std::string why = server.substr(server.find("」"));
    EXPECT_NE(print.err.find(why), std::string::npos) << "line " << c.line << ": " << why << "\n" << print.Describe();
  }
}

TEST(VantHost, BrowsersStartItWithTheirOwnArguments) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"chrome-extension://cmfoddcpcfojglfohaalpmkdlpchcekf/"},
        std::vector<std::string>{"/usr/lib/mozilla/native-messaging-hosts/vant3.host.json", "print@vant3"}}) {
    TempDir dir;
    const HostRun run = Hosted(Framed(QJsonObject{{"kind", "print"}, {"id", 1}, {"key", 0}}), dir, args);
    ASSERT_EQ(run.answers.size(), 1u) << args[0] << ": " << run.result.Describe();
    EXPECT_EQ(run.answers[0]["kind"].toString(), "error");
    EXPECT_EQ(run.result.status, 0);
  }
  const VantResult extra = RunVantIn(TempDir(), {"host", "page.html"});
  EXPECT_EQ(extra.status, 2) << extra.Describe();
}

}  // namespace
}  // namespace vant::test
