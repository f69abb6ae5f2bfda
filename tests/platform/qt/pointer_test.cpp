// The mouse pointer: the hourglass as the application's override cursor, and back.
#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

#include "common/failure.h"
#include "platform/qt/qt_pointer.h"

namespace vant::qt {
namespace {

TEST(QtPointer, HourglassOverridesTheCursorAndDefaultRestoresIt) {
  ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QtMousePointer pointer;
  pointer.Set(kPointerHourglass);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  EXPECT_EQ(pointer.Get(), kPointerHourglass);
  pointer.Set(kPointerHourglass);  // again: still one override, not two
  pointer.Set(kPointerDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(pointer.Get(), kPointerDefault);
  pointer.Set(kPointerDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtPointer, AnotherCodeChangesTheOverride) {
  QtMousePointer pointer;
  pointer.Set(kPointerHourglass);
  pointer.Set(2);  // cross
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  pointer.Set(kPointerDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtPointer, UnknownCodesAreRefusedAndChangeNothing) {
  QtMousePointer pointer;
  pointer.Set(kPointerHourglass);
  EXPECT_THROW(pointer.Set(16), Failure);
  EXPECT_THROW(pointer.Set(-1), Failure);
  EXPECT_THROW(pointer.Set(99), Failure);
  EXPECT_EQ(pointer.Get(), kPointerHourglass);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
}

TEST(QtPointer, APointerGoneTakesItsOverrideWithIt) {
  {
    QtMousePointer pointer;
    pointer.Set(kPointerHourglass);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(HeadlessPointer, RemembersTheCode) {
  HeadlessMousePointer pointer;
  EXPECT_EQ(pointer.Get(), kPointerDefault);
  pointer.Set(kPointerHourglass);
  EXPECT_EQ(pointer.Get(), kPointerHourglass);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_THROW(pointer.Set(100), Failure);
  EXPECT_EQ(pointer.Get(), kPointerHourglass);
  pointer.Set(kPointerDefault);
  EXPECT_EQ(pointer.Get(), kPointerDefault);
}

}  // namespace
}  // namespace vant::qt
