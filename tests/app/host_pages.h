// Small host pages written by the tests: one OBJECT with the PARAMs given, in order.
#pragma once

#include <string>
#include <vector>

namespace vant::test {

struct Param {
  std::string name;
  std::string value;
};

// The PARAMs method1..methodN holding the lines, in order.
std::vector<Param> MethodParams(const std::vector<std::string>& lines);

// A UTF-8 page whose OBJECT (id objectId) holds the PARAMs; names and values are written
// with &, <, > and " as character references, so any text reaches the control unchanged.
std::string HostPage(const std::vector<Param>& params, const std::string& objectId = "PrnCtl1");

// The bytes converted between two encodings (iconv names); throws when they do not
// convert completely.
std::string Reencoded(const std::string& bytes, const char* from, const char* to);

// The UTF-8 twin of a page written in iconvEncoding that declares it with declaration
// (such as "charset=Shift_JIS"): its bytes converted and the declaration's encoding
// changed to UTF-8. Throws when the bytes do not convert or the declaration is missing.
std::string Utf8Twin(const std::string& page, const char* iconvEncoding, const std::string& declaration);

}  // namespace vant::test
