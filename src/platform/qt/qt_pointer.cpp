#include "platform/qt/qt_pointer.h"

#include <QCursor>
#include <QGuiApplication>

#include <array>

#include "common/failure.h"

namespace vant::qt {
namespace {

// The Qt cursor of each pointer code, in code order.
constexpr std::array<Qt::CursorShape, 16> kCursorOfCode{
    Qt::ArrowCursor,      // 0 default
    Qt::ArrowCursor,      // 1 arrow
    Qt::CrossCursor,      // 2 cross
    Qt::IBeamCursor,      // 3 I-beam
    Qt::ArrowCursor,      // 4 icon
    Qt::SizeAllCursor,    // 5 size
    Qt::SizeBDiagCursor,  // 6 size NE-SW
    Qt::SizeVerCursor,    // 7 size N-S
    Qt::SizeFDiagCursor,  // 8 size NW-SE
    Qt::SizeHorCursor,    // 9 size W-E
    Qt::UpArrowCursor,    // 10 up arrow
    Qt::WaitCursor,       // 11 hourglass
    Qt::ForbiddenCursor,  // 12 no drop
    Qt::BusyCursor,       // 13 arrow and hourglass
    Qt::WhatsThisCursor,  // 14 arrow and question mark
    Qt::SizeAllCursor,    // 15 size all
};
static_assert(kCursorOfCode[kPointerHourglass] == Qt::WaitCursor);
static_assert(kCursorOfCode.size() == 16);

}  // namespace

bool IsPointerCode(int16_t code) {
  return code >= 0 && static_cast<size_t>(code) < kCursorOfCode.size();
}

QtMousePointer::~QtMousePointer() {
  if (overriding_ && qGuiApp != nullptr) QGuiApplication::restoreOverrideCursor();
}

void QtMousePointer::Set(int16_t code) {
  if (!IsPointerCode(code)) throw Failure::InvalidPropertyValue();
  code_ = code;
  if (code == kPointerDefault) {
    if (overriding_) QGuiApplication::restoreOverrideCursor();
    overriding_ = false;
    return;
  }
  const QCursor cursor(kCursorOfCode[static_cast<size_t>(code)]);
  if (overriding_) {
    QGuiApplication::changeOverrideCursor(cursor);
  } else {
    QGuiApplication::setOverrideCursor(cursor);
    overriding_ = true;
  }
}

void HeadlessMousePointer::Set(int16_t code) {
  if (!IsPointerCode(code)) throw Failure::InvalidPropertyValue();
  code_ = code;
}

}  // namespace vant::qt
