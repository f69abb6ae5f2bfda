// An OBJECT as a walk hands it over: its attributes as text (none where the element lacks
// one, the empty text where it is empty), its line, its PARAMs yet to come.
#include "platform/host/page_elements.h"

#include <gtest/gtest.h>

namespace vant::platform {
namespace {

TEST(PageElements, AnObjectKeepsItsAttributesAsWrittenAndItsLine) {
  struct Row {
    int line;
    const char* id;  // nullptr: the element has no such attribute
    const char* width;
    const char* height;
    uint32_t pageLine;
  };
  const Row rows[] = {
      {__LINE__, "印刷", "100%", "40", 1},
      {__LINE__, nullptr, nullptr, nullptr, 7},
      {__LINE__, "", "", "", 4'000'000'000u},
  };
  const auto text = [](const char* utf8) { return utf8 ? std::optional<Text>(FromUtf8(utf8)) : std::nullopt; };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    const HostObject object = ObjectOf(row.id, row.width, row.height, row.pageLine);
    EXPECT_EQ(object.id, text(row.id));
    EXPECT_EQ(object.width, text(row.width));
    EXPECT_EQ(object.height, text(row.height));
    EXPECT_EQ(object.line, row.pageLine);
    EXPECT_TRUE(object.params.empty());
  }
}

}  // namespace
}  // namespace vant::platform
