// The control served to a page: controls created and shown as the document reports them,
// clicks answered with what they printed and said, the printer selection put back, the PDF
// printer writing into the download folder. Printers here keep what they are sent.
#include "platform/browser/browser_host.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <memory>

#include "engine/module_state.h"
#include "platform/qt/qt_pointer.h"
#include "printing_fixtures.h"
#include "scratch_dir.h"

namespace vant::browser {
namespace {

using printing::test::KeepingOutput;
using printing::test::SmallOffice;

// The preview window as a test sees it: counted, and it changes the printer as a
// "changeprinter" method while the preview is built would.
class CountingPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform& platform) override {
    ++opened;
    platform.printer.Installed().MakeCurrent(1);
  }
  int opened = 0;
};

class BrowserHostTest : public testing::Test {
 protected:
  BrowserHostTest() {
    std::vector<printing::InstalledQueue> queues;
    for (const char* name : {"Office", "Label"}) {
      printing::InstalledQueue queue;
      queue.capabilities = SmallOffice(FromUtf8(name));
      queue.output = std::make_unique<KeepingOutput>(name == std::string("Office") ? office : label);
      queue.isDefault = name == std::string("Office");
      queues.push_back(std::move(queue));
    }
    printers = std::make_unique<printing::PrinterList>(std::move(queues));
    printer = std::make_unique<PrinterObject>(*printers);
    platform = std::make_unique<Platform>(Platform{*printer, boxes, pointer, state});
    host = std::make_unique<BrowserHost>(*platform, boxes, *printers, preview, downloads.Path(), [this] { return now; });
  }

  QJsonObject Ask(const QJsonObject& request) {
    const std::string answer = host->Answer(QJsonDocument(request).toJson().toStdString());
    return QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
  }
  static QJsonObject Document(int id, const QJsonArray& objects) {
    return {{"kind", "document"}, {"id", id}, {"url", "https://sales.example/forms/invoice.html"}, {"objects", objects}};
  }
  static QJsonObject Control(int key, const char* id, const std::vector<std::pair<const char*, const char*>>& params) {
    QJsonArray list;
    for (const auto& [name, value] : params) list.append(QJsonArray{QString::fromUtf8(name), QString::fromUtf8(value)});
    return {{"key", key}, {"id", id}, {"params", list}};
  }
  QJsonObject Click(const char* kind, int id, int key) { return Ask({{"kind", kind}, {"id", id}, {"key", key}}); }
  // A request of one document of the tab, as the extension tags it.
  static QJsonObject In(int doc, QJsonObject request) {
    request.insert("doc", doc);
    return request;
  }
  static QJsonObject Page(int id, const char* url, const QJsonArray& objects, bool autoRun = true) {
    return {{"kind", "document"}, {"id", id}, {"url", url}, {"origin", QUrl(url).adjusted(QUrl::RemovePath).toString()},
            {"autoRun", autoRun}, {"objects", objects}};
  }
  QJsonObject ClickIn(int doc, const char* kind, int id, int key) {
    return Ask(In(doc, {{"kind", kind}, {"id", id}, {"key", key}}));
  }
  static int Printed(const QJsonObject& answer) { return static_cast<int>(answer["outcome"]["printed"].toArray().size()); }

  std::shared_ptr<KeepingOutput::Log> office = std::make_shared<KeepingOutput::Log>();
  std::shared_ptr<KeepingOutput::Log> label = std::make_shared<KeepingOutput::Log>();
  test::ScratchDir downloads;
  CollectedBoxes boxes{nullptr};
  qt::HeadlessMousePointer pointer;
  ModuleState state;
  CountingPreview preview;
  std::unique_ptr<printing::PrinterList> printers;
  std::unique_ptr<PrinterObject> printer;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<BrowserHost> host;
  std::chrono::steady_clock::time_point now{};
};

const std::vector<std::pair<const char*, const char*>> kModeOne = {
    {"Mode", "1"}, {"method1", "prntext,10,10,A"}, {"method2", "enddoc"}};

TEST_F(BrowserHostTest, ModeOnePrintsOnceWhenShownAndTheButtonsAreLaidOut) {
  const QJsonArray objects{Control(7, "Inv", {{"Mode", "1"}, {"CmdProperty", "発行,150"},
                                              {"method1", "prntext,10,10,A"}, {"method2", "enddoc"}})};
  const QJsonObject shown = Ask(Document(1, objects));
  ASSERT_EQ(shown["kind"].toString(), "document") << QJsonDocument(shown).toJson().toStdString();
  const QJsonObject buttons = shown["controls"][0].toObject();
  EXPECT_EQ(buttons["key"].toInt(), 7);
  EXPECT_EQ(buttons["print"]["caption"].toString(), QString::fromUtf8("発行"));
  EXPECT_EQ(buttons["print"]["width"].toInt(), 150);
  EXPECT_EQ(buttons["print"]["height"].toInt(), 33);
  EXPECT_EQ(buttons["preview"]["caption"].toString(), QString::fromUtf8("印刷プレビュー"));
  EXPECT_EQ(buttons["preview"]["left"].toInt(), buttons["print"]["left"].toInt() + 155);
  ASSERT_EQ(shown["outcome"]["printed"].toArray().size(), 1);
  EXPECT_EQ(shown["outcome"]["printed"][0]["printer"].toString(), "Office");
  EXPECT_EQ(office->documents.size(), 1u);

  // The same control reported again (a script added another OBJECT): not shown again.
  const QJsonObject again = Ask(Document(2, QJsonArray{objects[0], Control(8, "Other", {})}));
  EXPECT_EQ(again["outcome"]["printed"].toArray().size(), 0);
  EXPECT_EQ(again["controls"].toArray().size(), 1);  // "Other" holds no method: not a control
  EXPECT_EQ(office->documents.size(), 1u);

  // After the automatic run the first click only rewinds the list; the next one prints.
  const QJsonObject rewound = Click("print", 3, 7);
  EXPECT_EQ(rewound["outcome"]["printed"].toArray().size(), 0);
  const QJsonObject printed = Click("print", 4, 7);
  EXPECT_EQ(printed["outcome"]["printed"].toArray().size(), 1);
  EXPECT_EQ(office->documents.size(), 2u);
}

TEST_F(BrowserHostTest, TwoControlsOnOnePageShareOneMethodListTheLastReadingWins) {
  const QJsonObject shown = Ask(Document(1, QJsonArray{Control(1, "A", {{"method1", "prntext,1,1,A"}, {"method2", "newpage"}}),
                                                       Control(2, "B", {{"method1", "prntext,1,1,B"}})}));
  ASSERT_EQ(shown["controls"].toArray().size(), 2);
  // B's reading walks every PARAM of the page whose name B's bag holds: A's method1 too.
  const ControlState& control = state.control;
  ASSERT_EQ(control.methodCount, 2);
  EXPECT_EQ(control.methodList[1].field[3], u"A");
  EXPECT_EQ(control.methodList[2].field[3], u"B");
  const QJsonObject printed = Click("print", 2, 1);  // A's button prints the shared list
  ASSERT_EQ(printed["outcome"]["printed"].toArray().size(), 1);
  EXPECT_EQ(printed["outcome"]["printed"][0]["pages"].toInt(), 1);
}

TEST_F(BrowserHostTest, PrinterSelectionIsPutBackAfterPrintAndPreview) {
  Ask(Document(1, QJsonArray{Control(3, "L", {{"method1", "changeprinter,Label"}, {"method2", "prntext,1,1,L"}})}));
  const QJsonObject printed = Click("print", 2, 3);
  ASSERT_EQ(printed["outcome"]["printed"].toArray().size(), 1);
  EXPECT_EQ(printed["outcome"]["printed"][0]["printer"].toString(), "Label");
  EXPECT_EQ(printers->CurrentIndex(), 0);
  EXPECT_EQ(label->documents.size(), 1u);

  const QJsonObject previewed = Click("preview", 3, 3);
  EXPECT_EQ(previewed["kind"].toString(), "preview");
  EXPECT_EQ(preview.opened, 1);
  EXPECT_EQ(printers->CurrentIndex(), 0);
}

TEST_F(BrowserHostTest, StopsAndRefusalsReachThePage) {
  Ask(Document(1, QJsonArray{Control(5, "S", {{"method1", "prntxt,1,1,x"}})}));
  const QJsonObject stopped = Click("print", 2, 5);
  EXPECT_TRUE(stopped["outcome"]["stopped"].toBool());
  ASSERT_GE(stopped["outcome"]["messages"].toArray().size(), 1);
  EXPECT_EQ(stopped["outcome"]["messages"][0]["title"].toString(), QString::fromUtf8("エラー"));
  EXPECT_TRUE(stopped["outcome"]["messages"][0]["text"].toString().contains(QString::fromUtf8("印刷を中断しました!")));

  const QJsonObject unknown = Click("print", 3, 99);
  EXPECT_EQ(unknown["kind"].toString(), "error");
  EXPECT_EQ(unknown["id"].toInt(), 3);

  // A reading that fails disables the print button only: a print click is refused, the
  // preview still opens.
  const QJsonObject failed = Ask(Document(4, QJsonArray{Control(6, "F", {{"method1", "enddoc"}, {"Mode", "99999"}})}));
  EXPECT_EQ(failed["outcome"]["messages"][0]["title"].toString(), "Error");
  EXPECT_FALSE(failed["controls"][0]["print"]["enabled"].toBool());
  const QJsonObject refused = Click("print", 5, 6);
  EXPECT_EQ(refused["kind"].toString(), "error");
  const QJsonObject previewed = Click("preview", 6, 6);
  EXPECT_EQ(previewed["kind"].toString(), "preview");
  EXPECT_EQ(preview.opened, 1);
}

TEST_F(BrowserHostTest, PdfPrinterWritesIntoTheDownloadFolderNumberedFromThePage) {
  Ask(Document(1, QJsonArray{Control(1, "P", {{"method1", "changeprinter,Vant3 PDF"}, {"method2", "prntext,1,1,P"}})}));
  const QJsonObject first = Click("print", 2, 1);
  const QJsonObject second = Click("print", 3, 1);
  const auto file = [](const QJsonObject& answer) { return answer["outcome"]["printed"][0]["file"].toString().toStdString(); };
  EXPECT_EQ(file(first), "invoice.pdf");
  EXPECT_EQ(file(second), "invoice-2.pdf");
  EXPECT_EQ(downloads.Names(), (std::vector<std::string>{"invoice-2.pdf", "invoice.pdf"}));
  EXPECT_EQ(printers->CurrentIndex(), 0);
}

TEST_F(BrowserHostTest, DocumentsOfOneTabShareOneMethodListTheLastReadingWins) {
  // Two frames of one origin in one tab, each with a control of the same key: two controls.
  Ask(In(1, Page(1, "https://a.example/one.html", QJsonArray{Control(0, "One", {{"method1", "prntext,1,1,ONE"}})})));
  Ask(In(2, Page(2, "https://a.example/two.html", QJsonArray{Control(0, "Two", {{"method1", "prntext,1,1,TWO"},
                                                                               {"method2", "newpage"},
                                                                               {"method3", "prntext,1,1,TWO"}})})));
  ASSERT_EQ(state.control.methodCount, 3);
  // The first frame's button prints the list the second frame read last.
  const QJsonObject printed = ClickIn(1, "print", 3, 0);
  ASSERT_EQ(Printed(printed), 1) << QJsonDocument(printed).toJson().toStdString();
  EXPECT_EQ(printed["outcome"]["printed"][0]["pages"].toInt(), 2);
  // Each document's files are named after its own page.
  Ask(In(2, Page(4, "https://a.example/two.html", QJsonArray{Control(1, "P", {{"method1", "changeprinter,Vant3 PDF"},
                                                                             {"method2", "prntext,1,1,P"}})})));
  const QJsonObject pdfFromTwo = ClickIn(2, "print", 5, 1);
  const QJsonObject pdfFromOne = ClickIn(1, "print", 6, 0);
  ASSERT_EQ(Printed(pdfFromTwo), 1);
  ASSERT_EQ(Printed(pdfFromOne), 1);
  EXPECT_EQ(pdfFromTwo["outcome"]["printed"][0]["file"].toString().toStdString(), "two.pdf");
  EXPECT_EQ(pdfFromOne["outcome"]["printed"][0]["file"].toString().toStdString(), "one.pdf");
  EXPECT_EQ(downloads.Names(), (std::vector<std::string>{"one.pdf", "two.pdf"}));
}

// Every text the answer's message boxes hold, one after the other.
std::string MessageTexts(const QJsonObject& answer) {
  std::string texts;
  for (const auto& box : answer["outcome"]["messages"].toArray()) texts += box.toObject()["text"].toString().toStdString() + "\n";
  return texts;
}

TEST_F(BrowserHostTest, AnOriginNeverSeesWhatAnotherOriginsPagesReadInTheTab) {
  // Page B frames A's invoice (doc 1), then adds a Mode 1 OBJECT whose only method line is
  // shorter than A's: were the tab's state shared, B's stop message would quote A's fields.
  const std::vector<std::pair<const char*, const char*>> invoice = {
      {"CmdProperty", "請求書印刷"}, {"method1", "prntext,20,10,御請求書 山田太郎 03-1234-5678,明朝"}, {"method2", "enddoc"}};
  const std::vector<std::pair<const char*, const char*>> shortLine = {{"Mode", "1"}, {"method1", "x"}};
  ASSERT_EQ(Ask(In(1, Page(1, "https://a.example/invoice.html", QJsonArray{Control(0, "A", invoice)})))["kind"], "document");
  const QJsonObject framing = Ask(In(2, Page(2, "https://b.example/frame.html", QJsonArray{Control(0, "B", shortLine)})));
  const std::string stop = MessageTexts(framing);
  EXPECT_NE(stop.find("1:x()"), std::string::npos) << stop;
  for (const char* field : {"山田", "03-1234", "明朝", "20,10"}) EXPECT_EQ(stop.find(field), std::string::npos) << stop;
  EXPECT_EQ(framing["controls"][0]["print"]["caption"].toString(), QString::fromUtf8("印刷"));
  EXPECT_EQ(state.control.methodCount, 1);

  // A's button after B read: the state B left is not A's to print; it starts clean.
  const QJsonObject aClick = ClickIn(1, "print", 3, 0);
  EXPECT_EQ(Printed(aClick), 0);
  EXPECT_EQ(MessageTexts(aClick), "印刷対象がありません!\n");

  // Within one origin a later, shorter reading still keeps the earlier one's fields.
  ASSERT_EQ(Ask(In(3, Page(4, "https://a.example/invoice.html", QJsonArray{Control(0, "A", invoice)})))["kind"], "document");
  const QJsonObject again = Ask(In(4, Page(5, "https://a.example/other.html", QJsonArray{Control(0, "X", shortLine)})));
  EXPECT_NE(MessageTexts(again).find("1:x(20,10,"), std::string::npos) << MessageTexts(again);
}

TEST_F(BrowserHostTest, AReloadedModeOnePageRunsNothingAndItsFirstClickOnlyRewinds) {
  const QJsonArray form{Control(0, "M", kModeOne)};
  EXPECT_EQ(Printed(Ask(In(1, Page(1, "https://a.example/m.html", form)))), 1);
  EXPECT_EQ(Ask(In(1, {{"kind", "gone"}, {"id", 2}}))["kind"].toString(), "gone");
  now += std::chrono::minutes(1);  // long after: no interval holds it, the control's state does
  const QJsonObject reloaded = Ask(In(2, Page(3, "https://a.example/m.html", form)));
  EXPECT_EQ(Printed(reloaded), 0);
  EXPECT_TRUE(reloaded["outcome"]["messages"].toArray().isEmpty());
  EXPECT_EQ(Printed(ClickIn(2, "print", 4, 0)), 0);
  EXPECT_EQ(Printed(ClickIn(2, "print", 5, 0)), 1);
  EXPECT_EQ(office->documents.size(), 2u);
  // The gone document's controls went with it.
  EXPECT_EQ(ClickIn(1, "print", 6, 0)["kind"].toString(), "error");
}

TEST_F(BrowserHostTest, AHeldAutomaticRunLaysOutTheButtonsAndTheClickPrints) {
  const QJsonObject shown = Ask(In(1, Page(1, "https://a.example/m.html", QJsonArray{Control(0, "M", kModeOne)}, false)));
  EXPECT_EQ(Printed(shown), 0);
  EXPECT_EQ(shown["controls"][0]["print"]["caption"].toString(), QString::fromUtf8("印刷"));
  EXPECT_EQ(Printed(ClickIn(1, "print", 2, 0)), 1);
}

TEST_F(BrowserHostTest, AnOriginRunsOneAutomaticRunWithinTheIntervalAcrossTheTab) {
  // Lists of different lengths, so that the control's own state would let each run.
  const auto longer = [](int methods) {
    std::vector<std::pair<const char*, const char*>> params{{"Mode", "1"}};
    static const char* names[] = {"method1", "method2", "method3", "method4", "method5", "method6"};
    for (int i = 0; i < methods - 1; ++i) params.emplace_back(names[i], "prntext,1,1,x");
    params.emplace_back(names[methods - 1], "enddoc");
    return params;
  };
  EXPECT_EQ(Printed(Ask(In(1, Page(1, "https://a.example/2.html", QJsonArray{Control(0, "M", longer(2))})))), 1);
  now += std::chrono::seconds(1);
  EXPECT_EQ(Printed(Ask(In(2, Page(2, "https://a.example/4.html", QJsonArray{Control(0, "M", longer(4))})))), 0);
  // Another origin has an interval of its own.
  EXPECT_EQ(Printed(Ask(In(3, Page(3, "https://b.example/6.html", QJsonArray{Control(0, "M", longer(6))})))), 1);
  // After the interval the origin runs again, from where the tab's run stands.
  now += AutoRunGate::kOriginInterval;
  state.engine.nextMethod = 0;
  EXPECT_EQ(Printed(Ask(In(4, Page(4, "https://a.example/4.html", QJsonArray{Control(0, "M", longer(4))})))), 1);
  // Once per document load: a control that document adds later does not run its list.
  now += AutoRunGate::kOriginInterval;
  state.engine.nextMethod = 0;
  EXPECT_EQ(Printed(Ask(In(4, Page(5, "https://a.example/4.html",
                                   QJsonArray{Control(0, "M", longer(4)), Control(1, "Later", longer(5))})))), 0);
}

TEST_F(BrowserHostTest, ATabHoldsABoundedNumberOfDocuments) {
  for (int doc = 0; doc < static_cast<int>(kMaxDocuments); ++doc) {
    ASSERT_EQ(Ask(In(doc, Document(doc, QJsonArray{})))["kind"].toString(), "document") << doc;
  }
  const QJsonObject refused = Ask(In(1000, Document(1000, QJsonArray{})));
  EXPECT_EQ(refused["kind"].toString(), "error");
  EXPECT_TRUE(refused["message"].toString().contains("64")) << refused["message"].toString().toStdString();
  // A document already served is still answered, and one that goes makes room.
  EXPECT_EQ(Ask(In(3, Document(1001, QJsonArray{})))["kind"].toString(), "document");
  Ask(In(3, {{"kind", "gone"}, {"id", 1002}}));
  EXPECT_EQ(Ask(In(1000, Document(1003, QJsonArray{})))["kind"].toString(), "document");
}

TEST_F(BrowserHostTest, AControlGoesWithItsElementSoADocumentKeepsOnlyTheControlsItListsLast) {
  const std::vector<std::pair<const char*, const char*>> list = {{"method1", "prntext,10,10,A"}, {"method2", "enddoc"}};
  ASSERT_EQ(Ask(In(2, Document(1, QJsonArray{Control(1, "A", list), Control(2, "B", list)})))["controls"].toArray().size(), 2);
  // A script replaced A by C: A's control went with its element, B's stays, C's is new.
  ASSERT_EQ(Ask(In(2, Document(2, QJsonArray{Control(2, "B", list), Control(3, "C", list)})))["controls"].toArray().size(), 2);
  struct Case {
    int key;
    const char* kind;  // of the answer to its click
  };
  for (const Case& c : {Case{1, "error"}, Case{2, "print"}, Case{3, "print"}}) {
    const QJsonObject answer = ClickIn(2, "print", 10 + c.key, c.key);
    EXPECT_EQ(answer["kind"].toString(), c.kind) << c.key;
  }
  // A document that sends ever new OBJECT elements keeps only those of its last request:
  // every earlier key is refused, the last ones print.
  const int perRequest = static_cast<int>(kMaxObjects / 4);  // many, yet quick to read
  for (int round = 0; round < 3; ++round) {
    QJsonArray objects;
    for (int i = 0; i < perRequest; ++i) objects.append(Control(100 + round * perRequest + i, "X", list));
    ASSERT_EQ(Ask(In(2, Document(20 + round, objects)))["controls"].toArray().size(), perRequest) << round;
  }
  for (const int key : {1, 2, 3, 100, 100 + perRequest - 1, 100 + perRequest, 100 + 2 * perRequest - 1}) {
    EXPECT_EQ(ClickIn(2, "print", 30, key)["kind"].toString(), "error") << key;
  }
  for (const int key : {100 + 2 * perRequest, 100 + 3 * perRequest - 1}) {
    EXPECT_EQ(ClickIn(2, "print", 31, key)["kind"].toString(), "print") << key;
  }
}

}  // namespace
}  // namespace vant::browser
