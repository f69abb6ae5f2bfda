#include "preview/scroll_bar_model.h"

#include <gtest/gtest.h>

#include "common/failure.h"

namespace vant {
namespace {

TEST(ScrollBarModel, PositiveMaximumAcceptsZeroToMaximumOnly) {
  ScrollBarModel bar;
  bar.SetMax(300);
  bar.SetValue(300);
  EXPECT_EQ(bar.Value(), 300);
  bar.SetValue(0);
  EXPECT_THROW(bar.SetValue(301), Failure);
  EXPECT_THROW(bar.SetValue(-1), Failure);
  EXPECT_EQ(bar.Value(), 0);
}

TEST(ScrollBarModel, NegativeMaximumRunsFromMaximumUpToZero) {
  ScrollBarModel bar;
  bar.SetMax(-120);
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Lowest(), -120);
  EXPECT_EQ(bar.Highest(), 0);
  bar.SetValue(-120);
  EXPECT_EQ(bar.Value(), -120);
  EXPECT_THROW(bar.SetValue(-121), Failure);
  EXPECT_THROW(bar.SetValue(1), Failure);
  EXPECT_EQ(bar.Value(), -120);
}

TEST(ScrollBarModel, ChangeEventOnlyForADifferentValue) {
  ScrollBarModel bar;
  bar.SetMax(100);
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.SetValue(40);
  bar.SetValue(40);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(bar.SetValue(200), Failure);
  EXPECT_EQ(changes, 1);
}

TEST(ScrollBarModel, NewMaximumPullsTheValueIntoRangeAsAChange) {
  ScrollBarModel bar;
  bar.SetMax(500);
  bar.SetValue(400);
  int changes = 0;
  bar.onChange = [&] { ++changes; };
  bar.SetMax(250);
  EXPECT_EQ(bar.Value(), 250);
  bar.SetMax(-30);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(changes, 2);
  bar.SetValue(-30);
  bar.SetMax(-10);
  EXPECT_EQ(bar.Value(), -10);
  bar.SetMax(1000);  // -10 is outside 0..1000
  EXPECT_EQ(bar.Value(), 0);
}

TEST(ScrollBarModel, SixteenBitEnds) {
  ScrollBarModel bar;
  bar.SetMax(32767);
  bar.SetValue(32767);
  EXPECT_EQ(bar.Value(), 32767);
  bar.SetMax(-32768);
  bar.SetValue(-32768);
  EXPECT_EQ(bar.Value(), -32768);
}

TEST(ScrollBarModel, ChangesMustBeAtLeastOnePixel) {
  ScrollBarModel bar;
  bar.SetSmallChange(80);
  bar.SetLargeChange(32767);
  EXPECT_EQ(bar.SmallChange(), 80);
  EXPECT_EQ(bar.LargeChange(), 32767);
  EXPECT_THROW(bar.SetSmallChange(0), Failure);
  EXPECT_THROW(bar.SetLargeChange(-5), Failure);
  EXPECT_EQ(bar.SmallChange(), 80);
  EXPECT_EQ(bar.LargeChange(), 32767);
}

}  // namespace
}  // namespace vant
