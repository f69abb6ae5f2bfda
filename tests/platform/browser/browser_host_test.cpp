// The control served to a page: controls created and shown as the document reports them,
// clicks answered with what they printed and said, the printer selection put back, the PDF
// printer writing into the download folder. Printers here keep what they are sent.
#include "platform/browser/browser_host.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    host = std::make_unique<BrowserHost>(*platform, boxes, *printers, preview, downloads.Path());
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
};

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

}  // namespace
}  // namespace vant::browser
