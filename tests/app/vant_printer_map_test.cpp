// Printers named as Windows names them, on the private print server ("Office" the default,
// described "Office test printer"; "Label", "Label test printer"; "Office-Filtered"), with a
// printer map in the test's own system and user folders: each step of the lookup, both
// files and their conflicts, unreadable lines, an entry naming no printer, UnknownPrinter
// both ways, `vant printers` and `vant check`.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <regex>

#include "contains.h"
#include "cups_test_queues.h"
#include "host_pages.h"
#include "vant_process.h"

namespace vant::test {
namespace {

namespace queues = vant::test::cups;

const std::string kLabelText = "prntext,20,30,label,ＭＳ ゴシック,12,false,false,0";

// The administrator's map: a server's share, a driver's name, a name the user gives too,
// an entry naming a queue that is not installed, and a line that is not one.
const std::string kAdministratorMap =
    "# the office's printers\n"
    "[Printers]\n"
    "\\\\PRTSRV01\\Label-3F = Label\n"
    "EPSON PX-105 = Office-Filtered\n"
    "Shared Laser = Office-Filtered\n"
    "Old Laser = Gone\n"
    "this line is no entry\n";
const std::string kUserMap =
    "[Printers]\n"
    "  shared LASER = Label\n"
    "My PDF = Vant3 PDF\n";

class VantPrinterMapTest : public testing::Test {
 protected:
  VantPrinterMapTest() {
    queues::RequirePrivateServer();
    WriteMaps(kAdministratorMap, kUserMap);
  }

  void WriteMaps(const std::string& administrator, const std::string& user, const std::string& options = "") {
    std::filesystem::create_directories(etc_ / "vant3");
    std::filesystem::create_directories(config_ / "vant3");
    WriteFile(etc_ / "vant3" / "printers.conf", administrator + options);
    WriteFile(config_ / "vant3" / "printers.conf", user);
  }
  std::string AdministratorFile() const { return (etc_ / "vant3" / "printers.conf").string(); }
  std::string UserFile() const { return (config_ / "vant3" / "printers.conf").string(); }

  std::string WritePage(const std::vector<std::string>& methods) {
    WriteFile(pages_ / "label.html", HostPage(MethodParams(methods)));
    return (pages_ / "label.html").string();
  }

  VantResult Run(const std::vector<std::string>& args) {
    VantOptions options;
    options.workDir = work_.Path();
    options.privatePrintServer = true;
    options.env["VANT_SYSCONFDIR"] = etc_.Path().string();
    options.env["XDG_CONFIG_HOME"] = config_.Path().string();
    return RunVant(args, options);
  }

  // The queue of each job standard output names.
  static std::vector<std::string> SentTo(const std::string& out) {
    static const std::regex line("プリンター「([^」]+)」にジョブ ([0-9]+) ");
    std::vector<std::string> queues;
    for (auto it = std::sregex_iterator(out.begin(), out.end(), line); it != std::sregex_iterator(); ++it) {
      EXPECT_EQ(queues::WaitForJob(std::stoi((*it)[2].str())).queue, (*it)[1].str());
      queues.push_back((*it)[1].str());
    }
    return queues;
  }

  TempDir etc_, config_, pages_, work_;
};

TEST_F(VantPrinterMapTest, EachStepOfTheLookup) {
  struct Row {
    int row;
    std::string name;
    std::string queue;  // where the label prints; "" for the PDF printer
  };
  const Row rows[] = {
      {1, "Label", "Label"},                           // the queue's own name
      {2, "\\\\prtsrv01\\LABEL-3F", "Label"},          // the map, letters without case
      {3, "EPSON PX-105", "Office-Filtered"},          // the map
      {4, "Shared Laser", "Office-Filtered"},          // the administrator's over the user's
      {5, "LABEL TEST PRINTER", "Label"},              // a description
      {6, "Office test printer behind pdftopdf", "Office-Filtered"},
      {7, "Old Laser", "Office"},                      // the entry names no printer: the current stays
      {8, "Nowhere", "Office"},                        // unknown: the current printer stays
      {9, "my pdf", ""},                               // the user's map, to the PDF printer
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row) + ": " + r.name);
    const VantResult result = Run({"print", WritePage({"changeprinter," + r.name, kLabelText, "enddoc"})});
    ASSERT_TRUE(result.exited && result.status == 0) << result.Describe();
    if (r.queue.empty()) {
      EXPECT_TRUE(Contains(result.out, "label.pdf")) << result.out;
      std::filesystem::remove(work_ / "label.pdf");
    } else {
      EXPECT_EQ(SentTo(result.out), std::vector<std::string>{r.queue}) << result.out;
    }
    // The map's problems, once each, with file and line; nothing else.
    EXPECT_EQ(result.err, "vant: " + AdministratorFile() + ":7: 「名前 = 値」の行でも [節] の行でもありません\n" +
                              "vant: " + AdministratorFile() + ":6: 「Old Laser」の印刷先「Gone」というプリンターはありません\n")
        << result.err;
  }
}

TEST_F(VantPrinterMapTest, TheCommandLinesPrinterIsLookedUpAlike) {
  const VantResult mapped = Run({"print", WritePage({kLabelText, "enddoc"}), "--printer", "\\\\PRTSRV01\\Label-3F"});
  ASSERT_TRUE(mapped.exited && mapped.status == 0) << mapped.Describe();
  EXPECT_EQ(SentTo(mapped.out), std::vector<std::string>{"Label"});
  const VantResult described = Run({"print", WritePage({kLabelText, "enddoc"}), "--printer", "label test printer"});
  ASSERT_TRUE(described.exited && described.status == 0) << described.Describe();
  EXPECT_EQ(SentTo(described.out), std::vector<std::string>{"Label"});
  const VantResult unknown = Run({"print", WritePage({kLabelText, "enddoc"}), "--printer", "Old Laser"});
  EXPECT_EQ(unknown.status, 2) << unknown.Describe();
}

TEST_F(VantPrinterMapTest, UnknownPrinterStopStopsTheRunAndPrintsNothing) {
  WriteMaps(kAdministratorMap, kUserMap + "[Options]\nUnknownPrinter = current\n", "[Options]\nUnknownPrinter = stop\n");
  const auto officeBefore = queues::JobIds("Office");
  const VantResult r = Run({"print", WritePage({kLabelText, "changeprinter,\\\\PRTSRV01\\Waybill-1F", kLabelText, "enddoc"})});
  EXPECT_TRUE(r.exited && r.status == 1) << r.Describe();
  EXPECT_TRUE(Contains(r.err, "[critical] エラー\nプリンター「\\\\PRTSRV01\\Waybill-1F」が見つかりません\n"
                              "2:changeprinter(\\\\prtsrv01\\waybill-1f)\n印刷を中断しました!\n"))
      << r.err;
  EXPECT_TRUE(SentTo(r.out).empty()) << r.out;
  EXPECT_EQ(queues::JobIds("Office"), officeBefore);
  // A name a description reaches still prints under stop.
  const VantResult found = Run({"print", WritePage({"changeprinter,Label Test Printer", kLabelText, "enddoc"})});
  ASSERT_EQ(found.status, 0) << found.Describe();
  EXPECT_EQ(SentTo(found.out), std::vector<std::string>{"Label"});
}

TEST_F(VantPrinterMapTest, ThePrintersShowTheNamesThatReachThem) {
  const VantResult r = Run({"printers"});
  ASSERT_TRUE(r.exited && r.status == 0) << r.Describe();
  EXPECT_EQ(r.out, "  Label (ユーザー定義のサイズ、101.6 x 152.4 mm)\n"
                   "    ← \\\\PRTSRV01\\Label-3F (" + AdministratorFile() + ":3)\n"
                   "    ← Label test printer (説明)\n"
                   "* Office\n"
                   "    ← Office test printer (説明)\n"
                   "  Office-Filtered\n"
                   "    ← EPSON PX-105 (" + AdministratorFile() + ":4)\n"
                   "    ← Shared Laser (" + AdministratorFile() + ":5)\n"
                   "    ← Office test printer behind pdftopdf (説明)\n"
                   "  Vant3 PDF\n"
                   "    ← My PDF (" + UserFile() + ":3)\n");

  const VantResult json = Run({"printers", "--json"});
  ASSERT_TRUE(json.exited && json.status == 0) << json.Describe();
  QJsonParseError error;
  const QJsonArray printers = QJsonDocument::fromJson(QByteArray::fromStdString(json.out), &error).array();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << json.out;
  ASSERT_EQ(printers.size(), 4);
  EXPECT_EQ(printers[0]["name"].toString(), "Label");
  EXPECT_EQ(printers[0]["description"].toString(), "Label test printer");
  EXPECT_EQ(printers[0]["names"][0]["name"].toString(), "\\\\PRTSRV01\\Label-3F");
  EXPECT_EQ(printers[0]["names"][0]["source"].toString(), "map");
  EXPECT_EQ(printers[0]["names"][0]["line"].toInt(), 3);
  EXPECT_EQ(printers[0]["names"][1]["source"].toString(), "description");
  EXPECT_TRUE(printers[1]["current"].toBool());
  EXPECT_TRUE(printers[3]["description"].isNull());
  EXPECT_EQ(printers[3]["names"][0]["file"].toString().toStdString(), UserFile());
}

TEST_F(VantPrinterMapTest, CheckWarnsOfEveryChoiceNamingNoPrinter) {
  struct Row {
    int row;
    std::string options;  // of the administrator's map
    bool failed;
    std::string warning;
  };
  const Row rows[] = {
      {1, "", false, "プリンター「Nowhere」が見つかりません。代わりに「Label」で印刷されます。"},
      {2, "[Options]\nUnknownPrinter = stop\n", true,
       "プリンター「Nowhere」が見つかりません。UnknownPrinter = stop のため印刷を中断します。"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE("row " + std::to_string(r.row));
    WriteMaps(kAdministratorMap, kUserMap, r.options);
    const std::string page = WritePage({"changeprinter,Label Test Printer", kLabelText, "changeprinter,Old Laser",
                                        "changeprinter,Nowhere", kLabelText, "enddoc"});
    const VantResult check = Run({"check", page, "--json"});
    EXPECT_EQ(check.status, r.failed ? 1 : 0) << check.Describe();
    const QJsonObject result = QJsonDocument::fromJson(QByteArray::fromStdString(check.out)).object();
    const QJsonArray warnings = result["warnings"].toArray();
    std::vector<QJsonObject> unknown;
    for (const auto& w : warnings) {
      if (w.toObject()["kind"].toString() == "unknownPrinter") unknown.push_back(w.toObject());
    }
    ASSERT_EQ(unknown.size(), r.failed ? 1u : 2u) << check.out;
    EXPECT_EQ(unknown[0]["method"].toInt(), 3);
    EXPECT_GT(unknown[0]["line"].toInt(), 0);
    EXPECT_TRUE(Contains(unknown[0]["text"].toString().toStdString(),
                         "プリンター「Old Laser」が見つかりません (プリンターの対応表 " + AdministratorFile() + ":6 の印刷先もありません)"))
        << check.out;
    EXPECT_EQ(result["failed"].toBool(), r.failed);
    if (r.failed) {
      // The very box `vant print` shows.
      const VantResult print = Run({"print", page});
      EXPECT_EQ(print.status, 1);
      const QJsonArray messages = result["messages"].toArray();
      ASSERT_EQ(messages.size(), 1) << check.out;
      const std::string text = messages[0]["text"].toString().toStdString();
      EXPECT_EQ(messages[0]["icon"].toString(), "critical");
      for (const char* part : {"プリンター「Old Laser」が見つかりません", "3:changeprinter(old laser)", "印刷を中断しました!"}) {
        EXPECT_TRUE(Contains(text, part)) << text;
      }
      EXPECT_TRUE(Contains(print.err, "プリンター「Old Laser」が見つかりません\n3:changeprinter(old laser)\n印刷を中断しました!\n"))
          << print.err;
    } else {
      EXPECT_EQ(unknown[1]["method"].toInt(), 4);
      EXPECT_EQ(unknown[1]["text"].toString().toStdString(), r.warning);
      // The page prints on Label (the description), then stays there.
      ASSERT_EQ(result["documents"].toArray().size(), 1) << check.out;
      EXPECT_EQ(result["documents"][0]["printer"].toString(), "Label");
    }
  }
}

}  // namespace
}  // namespace vant::test
