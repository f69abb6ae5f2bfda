// The preview button's entry point: a window that opens modally and is gone afterwards.
#include "preview/run_preview.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/module_state.h"
#include "preview_fixture.h"

namespace vant::test {
namespace {

// What a window went through, kept after RunPreview has destroyed it.
struct WindowRecord {
  int shown = 0;
  std::vector<std::string> log;
  bool wheelLeftInstalled = false;
};

class FakeHandle final : public PreviewWindowHandle {
 public:
  FakeHandle(std::function<void(FrmPreview&, FakePreviewView&)> user, WindowRecord& record)
      : user_(std::move(user)), record_(record) {}
  ~FakeHandle() override {
    record_.log = view.log;
    record_.wheelLeftInstalled = view.wheel != nullptr;
  }
  PreviewView& View() override { return view; }
  void ShowModal(FrmPreview& window) override {
    ++record_.shown;
    window.Activate();
    window.Resize();
    if (user_) user_(window, view);
  }
  FakePreviewView view;

 private:
  std::function<void(FrmPreview&, FakePreviewView&)> user_;
  WindowRecord& record_;
};

class FakeFactory final : public PreviewWindowFactory {
 public:
  std::unique_ptr<PreviewWindowHandle> Open() override {
    if (refuse) throw Failure(u"ウィンドウを作成できません。");
    return std::make_unique<FakeHandle>(user, last);
  }
  std::function<void(FrmPreview&, FakePreviewView&)> user;
  bool refuse = false;
  WindowRecord last;
};

class RunPreviewTest : public ::testing::Test {
 protected:
  void SetMethods(std::initializer_list<std::string_view> lines) { test::SetMethods(fake.state, lines); }
  FakePlatform fake{{TestPrinter()}};
  FakeFactory factory;
};

TEST_F(RunPreviewTest, ShowsTheWindowUntilTheUserClosesIt) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12", "newpage", "prntext,100,100,B,ＭＳ 明朝,12"});
  int16_t pageSeen = 0;
  Text panelSeen;
  bool imageShown = false;
  factory.user = [&](FrmPreview& window, FakePreviewView& view) {
    window.NextPageClick();
    pageSeen = window.CurrentPage();
    panelSeen = view.panels.PanelText(1);
    imageShown = view.image.picture.Visible();
    window.CloseClick();
  };
  RunPreview(fake.platform, factory);
  EXPECT_EQ(factory.last.shown, 1);
  EXPECT_EQ(pageSeen, 2);
  EXPECT_EQ(panelSeen, u"印刷プレビュー:2/2");
  EXPECT_TRUE(imageShown);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_FALSE(factory.last.wheelLeftInstalled);
  EXPECT_EQ(fake.messages.shown.size(), 0U);
}

TEST_F(RunPreviewTest, WindowClosedWithoutTheCloseButtonIsUnloadedAllTheSame) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12"});
  RunPreview(fake.platform, factory);
  EXPECT_EQ(fake.state.engine.shownPageList.size(), 1U);
  EXPECT_FALSE(factory.last.wheelLeftInstalled);
}

TEST_F(RunPreviewTest, FailedLoadClosesAtOnceWithThePointerBack) {
  SetMethods({"prnbux"});
  RunPreview(fake.platform, factory);
  EXPECT_EQ(factory.last.shown, 0);
  EXPECT_EQ(factory.last.log.back(), "close");
  EXPECT_EQ(fake.pointer.Get(), kPointerDefault);
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
  EXPECT_EQ(fake.state.engine.pageList.size(), 1U);
  ASSERT_EQ(fake.messages.shown.size(), 1U);
  EXPECT_EQ(fake.messages.shown[0].title, u"エラー");
}

TEST_F(RunPreviewTest, NothingToPrint) {
  RunPreview(fake.platform, factory);
  ASSERT_EQ(fake.messages.shown.size(), 1U);
  EXPECT_EQ(fake.messages.shown[0].text, u"印刷対象がありません!");
  EXPECT_EQ(factory.last.shown, 0);
}

TEST_F(RunPreviewTest, WindowThatCannotBeCreatedIsReported) {
  SetMethods({"prntext,100,100,A,ＭＳ 明朝,12"});
  factory.refuse = true;
  RunPreview(fake.platform, factory);
  ASSERT_EQ(fake.messages.shown.size(), 1U);
  EXPECT_EQ(fake.messages.shown[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(fake.messages.shown[0].text, u"ウィンドウを作成できません。\r\nプレビューを中断しました!");
  EXPECT_EQ(fake.state.engine.nextMethod, 0);
}

}  // namespace
}  // namespace vant::test
