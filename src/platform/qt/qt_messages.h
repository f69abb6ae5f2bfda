// The system's message boxes as modal Qt dialogs: the icon, the title, one OK button.
#pragma once

#include <QPointer>
#include <QWidget>

#include "engine/platform.h"

namespace vant::qt {

class QtMessageBoxes final : public MessageBoxes {
 public:
  // Boxes are modal over parent (none: application-modal on their own).
  explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override;

 private:
  QPointer<QWidget> parent_;  // not owned; cleared when the widget goes away
};

}  // namespace vant::qt
