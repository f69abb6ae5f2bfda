// The clerk is told on the desktop where a page's print went: `vant host` on a private
// D-Bus session bus with a stand-in notification service, which records the notices and
// invokes their action as a click would. The page's outcome is unchanged by the notice,
// a print that delivered nothing gives none, a page's text never becomes markup, and the
// host goes on without a notification service.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QUrl>

#include <chrono>
#include <thread>

#include "host_channel.h"
#include "host_pages.h"
#include "session_bus.h"
#include "examples_dir.h"

namespace vant::test {
namespace {


QJsonObject Print(int id, int key = 0) { return {{"kind", "print"}, {"id", id}, {"key", key}}; }

// A host on the bus, fed through a pipe and ended when the test has seen what it waits for.
class NoticedHost {
 public:
  NoticedHost(const PrivateSessionBus& bus, const TempDir& dir, std::map<std::string, std::optional<std::string>> env = {})
      : process_({"host"}, Options(bus, dir, std::move(env))) {}
  void Send(const QJsonObject& request) { process_.WriteInput(Framed(request)); }
  HostRun End() {
    process_.CloseInput();
    return ReadAnswers(process_.Wait());
  }

 private:
  static VantOptions Options(const PrivateSessionBus& bus, const TempDir& dir,
                             std::map<std::string, std::optional<std::string>> env) {
    VantOptions options;
    options.env = DownloadEnv(dir);
    options.env["DBUS_SESSION_BUS_ADDRESS"] = bus.Address();
    options.env["DISPLAY"] = std::nullopt;
    options.env["WAYLAND_DISPLAY"] = std::nullopt;
    for (auto& [name, value] : env) options.env[name] = std::move(value);
    options.inputPipe = true;
    return options;
  }
  VantProcess process_;
};

// A one-control page of these method lines (Vant3 PDF chosen first) as the browser sends it.
QJsonObject PdfDocument(const TempDir& dir, const std::string& name, std::vector<std::string> lines,
                        bool automatic = false) {
  lines.insert(lines.begin(), "changeprinter,Vant3 PDF");
  std::vector<Param> params = MethodParams(lines);
  if (automatic) params.push_back({"Mode", "1"});
  WriteFile(dir / "page.html", HostPage(params));
  return SnapshotRequest(1, PageObjectsOfFile(dir / "page.html"), "https://sales.example/forms/" + name);
}

std::vector<std::string> Strings(const QJsonValue& list) {
  std::vector<std::string> strings;
  for (const QJsonValue& value : list.toArray()) strings.push_back(value.toString().toStdString());
  return strings;
}

TEST(VantHostNotices, APdfPrintIsNoticedWithTheFileAndItsFolderAndTheActionShowsIt) {
  const PrivateSessionBus bus;
  TempDir dir;
  WritePageChoosingPdf(kExamples / "invoice.html", dir / "invoice.html");
  NoticedHost host(bus, dir);
  host.Send(SnapshotRequest(1, PageObjectsOfFile(dir / "invoice.html"), "https://sales.example/forms/invoice.html"));
  host.Send(Print(2));
  const auto calls = bus.WaitForCalls([](const auto& c) { return !CallsOf(c, "Notify").empty(); });
  const auto notices = CallsOf(calls, "Notify");
  ASSERT_EQ(notices.size(), 1u);
  const QJsonArray args = notices[0]["args"].toArray();
  ASSERT_EQ(args.size(), 8);  // app_name, replaces_id, app_icon, summary, body, actions, hints, timeout
  EXPECT_EQ(args[0].toString(), "Vant3");
  EXPECT_EQ(args[1].toInt(), 0);
  EXPECT_EQ(args[3].toString(), QString::fromUtf8("PDF ファイルを保存しました"));
  const std::filesystem::path downloads = dir / "downloads";
  EXPECT_EQ(args[4].toString().toStdString(),
            "「invoice.pdf」(2 ページ) をフォルダー「" + downloads.string() + "」に保存しました。");
  EXPECT_EQ(Strings(args[5]), (std::vector<std::string>{"default", "フォルダーを開く", "open-folder", "フォルダーを開く"}));
  EXPECT_EQ(args[7].toInt(), -1);

  // The action shows the file in its folder, through the file manager.
  bus.InvokeAction(1, "open-folder");
  const auto shown = CallsOf(bus.WaitForCalls([](const auto& c) { return !CallsOf(c, "ShowItems").empty(); }), "ShowItems");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(Strings(shown[0]["args"].toArray()[0]),
            std::vector<std::string>{QUrl::fromLocalFile(QString::fromStdString((downloads / "invoice.pdf").string()))
                                         .toString(QUrl::FullyEncoded)
                                         .toStdString()});
  // An action the notice does not offer, or of a notice that is not the host's, does nothing.
  bus.InvokeAction(1, "something-else");
  bus.InvokeAction(7, "open-folder");
  host.Send(Print(3));  // a second notice, to know the two invocations were handled before it
  const auto after = bus.WaitForCalls([](const auto& c) { return CallsOf(c, "Notify").size() == 2; });
  EXPECT_EQ(CallsOf(after, "ShowItems").size(), 1u);

  // The page's outcome is what it was: the document, no message box added.
  const HostRun run = host.End();
  ASSERT_EQ(run.answers.size(), 3u) << run.result.Describe();
  EXPECT_EQ(run.answers[1]["outcome"]["printed"][0]["file"].toString(), "invoice.pdf");
  EXPECT_TRUE(run.answers[1]["outcome"]["messages"].toArray().isEmpty());
  EXPECT_EQ(run.result.status, 0) << run.result.Describe();
}

// A control added later (key 1) whose list prints pages 2 and 3 at least (after an
// automatic run the first click goes on where that run ended): its notice, the last, is the
// one naming more than one page, as the cases print one.
QJsonObject MarkerDocument() {
  QJsonArray params;
  int n = 0;
  for (const char* line : {"changeprinter,Vant3 PDF", "prntext,1,1,M", "newpage", "prntext,1,1,M", "newpage",
                           "prntext,1,1,M", "enddoc"}) {
    params.append(QJsonArray{"method" + QString::number(++n), line});
  }
  return {{"kind", "document"}, {"id", 10}, {"objects", QJsonArray{QJsonObject{{"key", 1}, {"params", params}}}}};
}

bool MarkerNoticed(const std::vector<QJsonObject>& calls) {
  for (const QJsonObject& notice : CallsOf(calls, "Notify")) {
    if (!notice["args"].toArray()[4].toString().contains(QString::fromUtf8("(1 ページ)"))) return true;
  }
  return false;
}

TEST(VantHostNotices, OnlyAPrintThatDeliveredIsNoticedWhateverAskedForIt) {
  struct Case {
    int line;
    std::vector<std::string> lines;
    bool automatic;
    bool noticed;
  };
  const std::vector<Case> cases = {
      {__LINE__, {"prntext,1,1,A", "enddoc"}, true, true},         // the automatic run prints
      {__LINE__, {"prntext,1,1,A"}, false, true},                  // ended with the request
      {__LINE__, {"prntext,1,1,A", "prnbux,1,1"}, false, false},  // the run stops
      {__LINE__, {"scalemode,mm", "enddoc"}, false, false},        // nothing to print
  };
  for (const Case& c : cases) {
    const PrivateSessionBus bus;
    TempDir dir;
    NoticedHost host(bus, dir);
    host.Send(PdfDocument(dir, "case.html", c.lines, c.automatic));
    if (!c.automatic) host.Send(Print(2));
    host.Send(MarkerDocument());
    host.Send(Print(11, 1));
    const auto notices = CallsOf(bus.WaitForCalls(MarkerNoticed), "Notify");
    const HostRun run = host.End();
    ASSERT_FALSE(notices.empty()) << "line " << c.line << ": " << run.result.Describe();
    EXPECT_EQ(notices.size(), c.noticed ? 2u : 1u) << "line " << c.line;
    // Whatever the case said, the page was told in its outcome, as before.
    const QJsonObject caseAnswer = run.answers[c.automatic ? 0 : 1]["outcome"].toObject();
    EXPECT_EQ(caseAnswer["printed"].toArray().size(), c.noticed ? 1 : 0) << "line " << c.line;
  }
}

TEST(VantHostNotices, APagesTextNeverBecomesMarkupAndTheFolderOpensWithoutAFileManager) {
  // A page whose name is markup; a service that reads markup gets it escaped, one that does
  // not gets it as it is. Without a file manager on the bus, the folder goes to xdg-open.
  struct Case {
    int line;
    std::vector<std::string> fakeOptions;
    std::string file;  // as the body names it
  };
  const std::vector<Case> cases = {
      {__LINE__, {}, "「&lt;i&gt;a&amp;b&lt;i&gt;.pdf」"},
      {__LINE__, {"--plain-body", "--no-file-manager"}, "「<i>a&b<i>.pdf」"},
  };
  for (const Case& c : cases) {
    const PrivateSessionBus bus(true, c.fakeOptions);
    TempDir dir;
    // An xdg-open of the test's own, which writes down what it was asked to open.
    std::filesystem::create_directories(dir / "bin");
    WriteFile(dir / "bin" / "xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$@\" >> '" + (dir / "opened").string() + "'\n");
    std::filesystem::permissions(dir / "bin" / "xdg-open", std::filesystem::perms(0755));
    NoticedHost host(bus, dir, {{"PATH", (dir / "bin").string() + ":/usr/bin:/bin"}});
    host.Send(PdfDocument(dir, "%3Ci%3Ea%26b%3Ci%3E.html", {"prntext,1,1,X", "enddoc"}));
    host.Send(Print(2));
    const auto notices = CallsOf(bus.WaitForCalls([](const auto& calls) { return !CallsOf(calls, "Notify").empty(); }), "Notify");
    ASSERT_EQ(notices.size(), 1u) << "line " << c.line;
    const std::string body = notices[0]["args"].toArray()[4].toString().toStdString();
    EXPECT_TRUE(body.starts_with(c.file)) << "line " << c.line << ": " << body;
    bus.InvokeAction(1, "default");
    const bool fileManager = c.fakeOptions.empty();
    for (int i = 0; i < 400 && !fileManager && !std::filesystem::exists(dir / "opened"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (fileManager) {
      EXPECT_EQ(CallsOf(bus.WaitForCalls([](const auto& calls) { return !CallsOf(calls, "ShowItems").empty(); }),
                        "ShowItems").size(), 1u) << "line " << c.line;
      EXPECT_FALSE(std::filesystem::exists(dir / "opened")) << "line " << c.line;
    } else {
      ASSERT_TRUE(std::filesystem::exists(dir / "opened")) << "line " << c.line;
      EXPECT_EQ(ReadFile(dir / "opened"), (dir / "downloads").string() + "\n") << "line " << c.line;
    }
    (void)host.End();
  }
}

TEST(VantHostNotices, WithoutANotificationServiceThePrintGoesOnAsBefore) {
  const PrivateSessionBus bus(/*fake=*/false);
  TempDir dir;
  NoticedHost host(bus, dir);
  host.Send(PdfDocument(dir, "alone.html", {"prntext,1,1,A", "enddoc"}));
  host.Send(Print(2));
  host.Send(Print(3));
  const HostRun run = host.End();
  EXPECT_EQ(run.result.status, 0) << run.result.Describe();
  ASSERT_EQ(run.answers.size(), 3u) << run.result.Describe();
  EXPECT_EQ(run.answers[2]["outcome"]["printed"][0]["file"].toString(), "alone-2.pdf");
  EXPECT_TRUE(run.result.err.empty() || run.result.err.find("Notif") == std::string::npos) << run.result.err;
}

}  // namespace
}  // namespace vant::test
