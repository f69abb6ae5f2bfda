// The page's PARAMs as `vant check` reports them: the line each method was read from, and
// the PARAMs that look like method lines but that the control does not read.
#pragma once

#include <cstdint>
#include <vector>

#include "common/text.h"
#include "platform/host/host_page.h"

namespace vant::app {

// The line of each method line the property reading takes from the page, by method
// position (index 0 unused): the PARAMs the reading walks, with the reading's own rule.
std::vector<uint32_t> MethodLines(const platform::HostPage& page);

enum class UnreadReason {
  kNotAMethodName,  // its value is a method line or its name is close to "method", but the name does not start with it
  kNotTheControl,   // a method line of another OBJECT, under a name the control does not have
};

struct UnreadParam {
  Text name;
  Text value;
  uint32_t line = 0;
  UnreadReason reason = UnreadReason::kNotAMethodName;
};

// The PARAMs the reading passes over that an author most likely meant as method lines: a
// method PARAM of an OBJECT other than the control's, and any PARAM whose value starts with
// a command of the method language or whose name is a near miss of "method" ("metod3",
// " method3"). The control's own other properties are not among them.
std::vector<UnreadParam> UnreadMethodParams(const platform::HostPage& page);

}  // namespace vant::app
