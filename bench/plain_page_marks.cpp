#include "plain_page_marks.h"

#include <gumbo.h>

#include <charconv>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace vant::bench {
namespace {

// The parts of a line split at its commas, as views into it (the bench's texts hold none).
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t at = 0;;) {
    const std::size_t comma = line.find(',', at);
    fields.push_back(line.substr(at, comma - at));
    if (comma == std::string_view::npos) return fields;
    at = comma + 1;
  }
}

template <typename T>
T Read(std::string_view field) {
  T value{};
  if (std::from_chars(field.data(), field.data() + field.size(), value).ec != std::errc()) {
    throw std::runtime_error("not a number: " + std::string(field));
  }
  return value;
}

void AddLine(std::string_view line, std::vector<MarkedPage>& pages) {
  const std::vector<std::string_view> f = Fields(line);
  const std::string_view command = f[0];
  const auto need = [&](std::size_t count) {
    if (f.size() != count) throw std::runtime_error("unexpected line: " + std::string(line));
  };
  if (command == "newpage") {
    pages.emplace_back();
  } else if (command == "prntext") {
    need(9);
    pages.back().push_back(TextMark{Read<double>(f[1]), Read<double>(f[2]), std::string(f[3]), std::string(f[4]),
                                    Read<int>(f[5]), f[6] == "true", f[7] == "true", Read<int32_t>(f[8])});
  } else if (command == "prnbox" || command == "prnline") {
    need(8);
    pages.back().push_back(StrokeMark{command == "prnbox", Read<double>(f[1]), Read<double>(f[2]), Read<double>(f[3]),
                                      Read<double>(f[4]), Read<int>(f[5]), Read<int32_t>(f[7])});
  } else if (command == "prncircle") {
    need(7);
    pages.back().push_back(
        CircleMark{Read<double>(f[1]), Read<double>(f[2]), Read<int>(f[3]), Read<int>(f[4]), Read<int32_t>(f[6])});
  } else if (command != "papersize" && command != "orientation" && command != "scalemode" && command != "enddoc") {
    throw std::runtime_error("the plain program does not draw: " + std::string(line));
  }
}

// Every PARAM value inside an OBJECT, in document order.
void CollectParams(const GumboNode* node, bool inObject, std::vector<MarkedPage>& pages) {
  if (node->type != GUMBO_NODE_ELEMENT) return;
  const GumboElement& element = node->v.element;
  if (element.tag == GUMBO_TAG_PARAM && inObject) {
    const GumboAttribute* name = gumbo_get_attribute(&element.attributes, "name");
    const GumboAttribute* value = gumbo_get_attribute(&element.attributes, "value");
    if (name != nullptr && value != nullptr && std::strncmp(name->value, "method", 6) == 0) AddLine(value->value, pages);
    return;
  }
  inObject = inObject || element.tag == GUMBO_TAG_OBJECT;
  for (unsigned i = 0; i < element.children.length; ++i) {
    CollectParams(static_cast<const GumboNode*>(element.children.data[i]), inObject, pages);
  }
}

}  // namespace

std::vector<MarkedPage> PlainPageMarks(const std::filesystem::path& page) {
  std::ifstream in(page, std::ios::binary);
  const std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) throw std::runtime_error("cannot read " + page.string());
  GumboOutput* tree = gumbo_parse_with_options(&kGumboDefaultOptions, html.data(), html.size());
  std::vector<MarkedPage> pages(1);
  CollectParams(tree->root, false, pages);
  // The process ends after drawing: the tree is not taken apart (as the control's reader).
  return pages;
}

}  // namespace vant::bench
