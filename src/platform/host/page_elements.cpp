#include "platform/host/page_elements.h"

namespace vant::platform {

HostObject ObjectOf(const char* id, const char* width, const char* height, uint32_t line) {
  const auto text = [](const char* utf8) { return utf8 ? std::optional<Text>(FromUtf8(utf8)) : std::nullopt; };
  return {text(id), text(width), text(height), {}, line};
}

}  // namespace vant::platform
