#include "method_page.h"

#include <stdexcept>

#include "bench_platform.h"
#include "control/held_buttons.h"
#include "control/intake.h"
#include "engine/module_state.h"
#include "engine/page_record.h"
#include "platform/host/host_page.h"

namespace vant::bench {
namespace {

std::string EscapedAttribute(const std::string& value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      case '<': out += "&lt;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string MethodPageHtml(const std::vector<std::string>& lines) {
  std::string html =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>bench</title></head><body>\n"
      "<object id=\"vant\" width=\"240\" height=\"48\">\n";
  for (size_t i = 0; i < lines.size(); ++i) {
    html += "<param name=\"method" + std::to_string(i + 1) + "\" value=\"" + EscapedAttribute(lines[i]) +
            "\">\n";
  }
  html += "<param name=\"Mode\" value=\"0\">\n</object>\n</body></html>\n";
  return html;
}

void LoadMethodPage(const std::string& html, int expected, MessageBoxes& messages) {
  const auto page = platform::HostPage::FromHtml(html, Text(u"vant"));
  HeldButtonsView view;
  ReadProperties(BenchState().control, page, page, view, messages);
  if (BenchState().control.methodCount != expected) {
    throw std::runtime_error("the page gave " + std::to_string(BenchState().control.methodCount) +
                             " methods, not " + std::to_string(expected));
  }
  BenchState().engine.nextMethod = 0;
}

void LoadMethods(const std::vector<std::string>& lines) {
  KeptMessages messages;
  LoadMethodPage(MethodPageHtml(lines), static_cast<int>(lines.size()), messages);
  if (!messages.Empty()) throw std::runtime_error("reading the methods showed: " + messages.First());
}

}  // namespace vant::bench
