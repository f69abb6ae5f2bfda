// What the host holds for a request, counted by the program's own operator new: at most a
// small multiple of the request's size and a constant while it answers, whatever captions
// and OBJECT counts the page sends and however the caption is inherited, and little of it
// kept once the answer is made.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <memory>
#include <string>

#include "counting_heap.h"
#include "engine/module_state.h"
#include "platform/browser/browser_host.h"
#include "platform/browser/native_messaging.h"
#include "platform/qt/qt_pointer.h"
#include "printing_fixtures.h"
#include "scratch_dir.h"

namespace vant::browser {
namespace {

using printing::test::KeepingOutput;
using printing::test::SmallOffice;
using test::HeldBytes;
using test::PeakBytes;
using test::ResetPeakBytes;

constexpr std::size_t kMiB = std::size_t{1} << 20;

class NoPreview final : public PreviewOpener {
 public:
  void OpenModal(Platform&) override {}
};

// A host of one tab on a printer that keeps what it is sent.
struct Tab {
  Tab() {
    std::vector<printing::InstalledQueue> queues(1);
    queues[0].capabilities = SmallOffice(u"Office");
    queues[0].output = std::make_unique<KeepingOutput>(std::make_shared<KeepingOutput::Log>());
    queues[0].isDefault = true;
    printers = std::make_unique<printing::PrinterList>(std::move(queues));
    printer = std::make_unique<PrinterObject>(*printers);
    platform = std::make_unique<Platform>(Platform{*printer, boxes, pointer, state});
    host = std::make_unique<BrowserHost>(*platform, boxes, *printers, preview, downloads.Path());
  }
  test::ScratchDir downloads;
  CollectedBoxes boxes{nullptr};
  qt::HeadlessMousePointer pointer;
  ModuleState state;
  NoPreview preview;
  std::unique_ptr<printing::PrinterList> printers;
  std::unique_ptr<PrinterObject> printer;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<BrowserHost> host;
};

std::string Repeated(const std::string& unit, std::size_t times) {
  std::string text;
  text.reserve(unit.size() * times);
  for (std::size_t i = 0; i < times; ++i) text += unit;
  return text;
}

// A document request: objects[i] holds firstParams when i is 0, otherParams else; each
// PARAM written ["name","value"] (values need no JSON escape).
std::string Request(std::size_t objects, const std::string& firstParams, const std::string& otherParams) {
  std::string json = R"({"kind":"document","id":1,"doc":1,"origin":"https://a.example","url":"https://a.example/f.html","objects":[)";
  for (std::size_t i = 0; i < objects; ++i) {
    if (i > 0) json += ',';
    json += R"({"key":)" + std::to_string(i) + R"(,"params":[)" + (i == 0 ? firstParams : otherParams) + "]}";
  }
  return json + "]}";
}

std::string Param(const std::string& name, const std::string& value) { return "[\"" + name + "\",\"" + value + "\"]"; }

std::string Methods(std::size_t count, const std::string& line) {
  std::string params;
  for (std::size_t i = 0; i < count; ++i) params += (i > 0 ? "," : "") + Param("method" + std::to_string(i + 1), line);
  return params;
}

struct MemoryCase {
  int line;
  const char* what;
  std::string request;
};

TEST(BrowserHostMemory, ARequestTakesASmallMultipleOfItsSizeAndLittleIsKeptAfterTheAnswer) {
  const std::string method = Param("method1", "prntext,10,10,x");
  const std::vector<MemoryCase> cases = {
      {__LINE__, "one long caption inherited by 1023 controls without one of their own",
       Request(1024, Param("CmdProperty", Repeated("請", 200000)) + "," + method, method)},
      {__LINE__, "the same caption as pCmdProperty in ASCII, with a Mode 1 list that stops",
       Request(1024, Param("pCmdProperty", Repeated("w", 200000)) + "," + Param("Mode", "1") + "," +
                         Param("method1", "x," + Repeated("f", 1000)),
               method)},
      {__LINE__, "a caption of its own in each of 1024 controls",
       Request(1024, Param("CmdProperty", Repeated("発", 600) + ",150") + "," + method,
               Param("CmdProperty", Repeated("行", 600)) + "," + method)},
      {__LINE__, "a long method list beside 1023 short ones, under a long caption",
       Request(1024, Param("CmdProperty", Repeated("c", 100000)) + "," + Methods(20000, "prntext,1,1," + Repeated("m", 30)),
               method)},
  };
  for (const MemoryCase& c : cases) {
    Tab tab;
    const std::size_t before = HeldBytes();
    ResetPeakBytes();
    std::size_t answerBytes = 0;
    {
      const std::string answer = tab.host->Answer(c.request);
      answerBytes = answer.size();
      const QJsonObject parsed = QJsonDocument::fromJson(QByteArray::fromStdString(answer)).object();
      // Buttons for every control, or the refusal of an answer too long for the browser.
      EXPECT_TRUE(parsed["kind"] == "document" || parsed["kind"] == "error") << "line " << c.line;
    }
    const std::size_t peak = PeakBytes() - before;
    const std::size_t kept = HeldBytes() - before;
    const std::size_t size = c.request.size();
    RecordProperty("line" + std::to_string(c.line), std::to_string(peak) + " bytes at most, " + std::to_string(kept) + " kept");
    EXPECT_LE(answerBytes, kMaxAnswerBytes) << "line " << c.line;
    // The constant: the method list's records, 320 bytes each whatever their lines hold,
    // of at most 32767 methods (the control's own bound).
    const std::size_t records = 32768 * sizeof(MethodRec);
    EXPECT_LE(peak, 4 * size + 2 * records + 4 * kMiB) << "line " << c.line << ": " << c.what << " (request " << size << " bytes)";
    EXPECT_LE(kept, 2 * size + records + kMiB) << "line " << c.line << ": " << c.what << " (request " << size << " bytes)";
  }
}

}  // namespace
}  // namespace vant::browser
