// One code path: the document a browser sends, built here from the page reader's own
// objects, gives the control exactly the method list and settings `vant methods` prints
// for the same file, for every example page, the encoding twins, nested OBJECTs and two
// controls on one page.
#include <gtest/gtest.h>

#include <QJsonDocument>

#include "app/run/methods_json.h"
#include "control/held_buttons.h"
#include "control/intake.h"
#include "examples_dir.h"
#include "host_channel.h"
#include "platform/browser/browser_document.h"
#include "platform/qt/stderr_messages.h"

namespace vant::test {
namespace {

const std::filesystem::path kHostData = VANT_HOST_TEST_DATA;

// What the control read for each control the host recognises, with the control's id.
std::vector<std::pair<std::string, std::string>> ReadThroughBrowser(const std::filesystem::path& file) {
  const QJsonObject request = SnapshotRequest(1, PageObjectsOfFile(file), "file://" + file.string());
  const auto parsed = browser::ParseRequest(QJsonDocument(request).toJson().toStdString());
  if (const auto* refusal = std::get_if<browser::Refusal>(&parsed)) {
    ADD_FAILURE() << ToUtf8(refusal->message);
    return {};
  }
  const platform::PageObjects& objects = std::get<browser::Request>(parsed).document.page;
  const browser::BrowserPage page(objects);
  std::vector<std::pair<std::string, std::string>> read;
  for (std::size_t index : page.Controls()) {
    ControlState state;  // as `vant methods` starts: a new process
    HeldButtonsView view;
    std::ostringstream boxes;
    qt::StderrMessageBoxes messages(boxes);
    ReadProperties(state, page.Document(), page.Bag(index), view, messages);
    read.emplace_back(ToUtf8(objects.objects[index].id.value_or(Text())), app::MethodsJson(state) + "\n" + boxes.str());
  }
  return read;
}

void ExpectSameAsVantMethods(const std::filesystem::path& file, std::size_t controls) {
  const auto read = ReadThroughBrowser(file);
  ASSERT_EQ(read.size(), controls) << file;
  TempDir dir;
  for (const auto& [id, json] : read) {
    ASSERT_FALSE(id.empty()) << file << ": every control of these pages has an id";
    const VantResult methods = RunVantIn(dir, {"methods", file.string(), "--object", id});
    EXPECT_EQ(json, methods.out + methods.err) << file << " --object " << id;
  }
}

TEST(HostSnapshot, ExamplePagesReadAsVantMethodsReadsThem) {
  for (const char* page : {"invoice.html", "shipping-label.html", "delivery-note.html"}) {
    ExpectSameAsVantMethods(kExamples / page, 1);
  }
}

TEST(HostSnapshot, EncodingTwinsReadAsVantMethodsReadsThem) {
  for (const char* page : {"twin-utf8.html", "twin-shift_jis.html", "twin-euc-jp.html", "twin-utf8-bom.html",
                           "twin-utf16le-bom.html", "twin-utf16be-bom.html"}) {
    ExpectSameAsVantMethods(kHostData / page, 1);
  }
}

TEST(HostSnapshot, NestedObjectsAndTwoControlsReadAsVantMethodsReadsThem) {
  TempDir dir;
  WriteFile(dir / "nested.html",
            "<!DOCTYPE html><meta charset=utf-8><body>"
            "<object id=Outer><param name=method1 value='prntext,1,1,外'>"
            "<object id=Inner><param name=METHOD2 value='prnbox,1,,2'><param name=Mode value=1></object>"
            "<param name=method3 value=enddoc><param name=MethodCnt value=3><param name=method2 value='x'></object>"
            "<object id=Second><param name=method1 value='prntext,2,2,&quot;二&amp;,,三&quot;'>"
            "<param name=CmdProperty value='発行,150,40'><param name=cmdproperty value='無視'></object>"
            "<object id=Plain><param name=src value=x></object>");
  ExpectSameAsVantMethods(dir / "nested.html", 3);
}

}  // namespace
}  // namespace vant::test
