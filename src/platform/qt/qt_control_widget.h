// The control's own window: the print button cmdprint and the preview button cmdPreview at
// their designed places, behind the ControlView the lifecycle handlers drive.
#pragma once

#include <QPushButton>
#include <QWidget>

#include <functional>
#include <optional>

#include "control/control_view.h"

namespace vant::qt {

// A Button over a QPushButton that its parent widget owns.
class QtButton final : public Button {
 public:
  explicit QtButton(QPushButton& button) : button_(button) {}

  void SetCaption(const SharedText& caption) override;
  SharedText Caption() const override;
  void SetLeft(int32_t left) override;
  int32_t Left() const override { return button_.x(); }
  int32_t Top() const override { return button_.y(); }
  // A negative size is refused with a Failure; the size stays as it was.
  void SetWidth(int32_t width) override;
  int32_t Width() const override { return button_.width(); }
  void SetHeight(int32_t height) override;
  int32_t Height() const override { return button_.height(); }
  void SetEnabled(bool enabled) override { button_.setEnabled(enabled); }
  bool Enabled() const override { return button_.isEnabled(); }

  QPushButton& Widget() { return button_; }
  const QPushButton& Widget() const { return button_; }

 private:
  QPushButton& button_;
};

class QtControlWidget final : public QWidget, public ControlView {
 public:
  explicit QtControlWidget(QWidget* parent = nullptr);

  Button& PrintButton() override { return print_; }
  Button& PreviewButton() override { return preview_; }

  // What a click on each button runs. The handler reports its own failures (a failure
  // that still escapes is written to standard error with the button's name: an event
  // handler must not throw into Qt).
  void OnPrintClicked(std::function<void()> handler) { onPrint_ = std::move(handler); }
  void OnPreviewClicked(std::function<void()> handler) { onPreview_ = std::move(handler); }

  QSize sizeHint() const override;

  // The size the page gives the control (the OBJECT's width and height, pixels), each when
  // given; FitWindow keeps to them.
  void SetObjectSize(std::optional<int32_t> width, std::optional<int32_t> height);
  // Sizes the window: the page's width and height where it gives them, otherwise large
  // enough for both buttons as they are laid out now (after the show step has laid them
  // out, a wider print button moves the preview button further right).
  void FitWindow();

 private:
  void Run(const std::function<void()>& handler, const char* buttonName);

  QtButton print_;
  QtButton preview_;
  std::function<void()> onPrint_;
  std::function<void()> onPreview_;
  std::optional<int32_t> objectWidth_;
  std::optional<int32_t> objectHeight_;
};

}  // namespace vant::qt
