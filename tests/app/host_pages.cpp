#include "host_pages.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace vant::test {
namespace {

std::string Escaped(const std::string& text) {
  std::string out;
  for (const char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string Reencoded(const std::string& bytes, const char* from, const char* to) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv_open ") + from);
  const std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
  std::string in = bytes;
  std::string out(bytes.size() * 4 + 16, '\0');
  char* inPtr = in.data();
  size_t inLeft = in.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
    throw std::runtime_error(std::string("iconv from ") + from + " stopped at byte " +
                             std::to_string(in.size() - inLeft) + ": " + std::strerror(errno));
  }
  out.resize(out.size() - outLeft);
  return out;
}

std::vector<Param> MethodParams(const std::vector<std::string>& lines) {
  std::vector<Param> params;
  for (size_t i = 0; i < lines.size(); ++i) params.push_back({"method" + std::to_string(i + 1), lines[i]});
  return params;
}

std::string HostPage(const std::vector<Param>& params, const std::string& objectId) {
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>test page</title></head>\n<body>\n"
      "<object id=\"" + Escaped(objectId) + "\" width=\"240\" height=\"36\">\n";
  for (const Param& p : params) {
    page += "<param name=\"" + Escaped(p.name) + "\" value=\"" + Escaped(p.value) + "\">\n";
  }
  return page + "</object>\n</body></html>\n";
}

std::string Utf8Twin(const std::string& page, const char* iconvEncoding, const std::string& declaration) {
  std::string twin = Reencoded(page, iconvEncoding, "UTF-8");
  const auto at = twin.find(declaration);
  if (at == std::string::npos) throw std::runtime_error("the page does not declare " + declaration);
  auto name = declaration.find('=');
  if (name == std::string::npos) throw std::runtime_error("no encoding in " + declaration);
  name += declaration[name + 1] == '"' ? 2 : 1;
  const auto end = declaration.find('"', name);
  return twin.replace(at + name, (end == std::string::npos ? declaration.size() : end) - name, "UTF-8");
}

}  // namespace vant::test
