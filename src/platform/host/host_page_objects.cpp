#include "platform/host/host_page_objects.h"

#include <gumbo.h>

#include <memory>
#include <stdexcept>

namespace vant::platform {
namespace {

// Frees the tree, or leaves it to the end of the process.
struct GumboOutputDeleter {
  ParseTreeEnd end;
  void operator()(GumboOutput* output) const {
    if (end == ParseTreeEnd::kFreed) gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
};
using GumboTree = std::unique_ptr<GumboOutput, GumboOutputDeleter>;

const char* AttributeValue(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute == nullptr ? nullptr : attribute->value;
}

std::string_view AttributeOrEmpty(const GumboElement& element, const char* name) {
  const char* value = AttributeValue(element, name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

// Collects what the walk hands over as the control reads it.
class ObjectsCollector final : public PageElementSink {
 public:
  void Object(const char* id, const char* width, const char* height, uint32_t line) override {
    page_.objects.push_back(ObjectOf(id, width, height, line));
  }
  void Param(std::size_t object, std::string_view name, std::string_view value, uint32_t line) override {
    page_.objects[object].params.push_back(page_.objectParams.size());
    page_.objectParams.push_back({FromUtf8(name), FromUtf8(value), line});
  }
  PageObjects Take() { return std::move(page_); }

 private:
  PageObjects page_;
};

// The nodes to look into below node: an element's or the document's children. Template
// contents are not part of the document's tree, so a template has none here.
const GumboVector* ChildrenOf(const GumboNode* node) {
  switch (node->type) {
    case GUMBO_NODE_DOCUMENT: return &node->v.document.children;
    case GUMBO_NODE_ELEMENT: return &node->v.element.children;
    default: return nullptr;
  }
}

}  // namespace

void WalkPageObjects(std::string_view utf8Html, PageElementSink& sink, std::size_t maxParams, ParseTreeEnd end) {
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;  // the parse errors of a sloppy page are of no use here
  GumboTree tree(gumbo_parse_with_options(&options, utf8Html.data(), utf8Html.size()), GumboOutputDeleter{end});
  if (!tree) throw std::runtime_error("HTML の解析に失敗しました");

  // An explicit stack instead of recursion: a page may nest elements arbitrarily deep.
  struct Frame {
    const GumboNode* node;
    unsigned int nextChild;
    bool isObject;
  };
  std::vector<Frame> frames{{tree->document, 0, false}};
  std::vector<std::size_t> openObjects;  // indices of the OBJECTs handed over, innermost last
  std::size_t objects = 0, params = 0;
  while (!frames.empty()) {
    const GumboVector* children = ChildrenOf(frames.back().node);
    if (children == nullptr || frames.back().nextChild >= children->length) {
      if (frames.back().isObject) openObjects.pop_back();
      frames.pop_back();
      continue;
    }
    const auto* child = static_cast<const GumboNode*>(children->data[frames.back().nextChild++]);
    if (child->type != GUMBO_NODE_ELEMENT) continue;
    const GumboElement& element = child->v.element;
    const bool html = element.tag_namespace == GUMBO_NAMESPACE_HTML;
    if (html && element.tag == GUMBO_TAG_NOSCRIPT) continue;
    if (html && element.tag == GUMBO_TAG_PARAM) {
      if (!openObjects.empty()) {
        if (params++ == maxParams) throw TooManyParams();
        sink.Param(openObjects.back(), AttributeOrEmpty(element, "name"), AttributeOrEmpty(element, "value"),
                   element.start_pos.line);
      }
      continue;  // a void element: nothing inside
    }
    const bool isObject = html && element.tag == GUMBO_TAG_OBJECT;
    if (isObject) {
      openObjects.push_back(objects++);
      sink.Object(AttributeValue(element, "id"), AttributeValue(element, "width"), AttributeValue(element, "height"),
                  element.start_pos.line);
    }
    frames.push_back({child, 0, isObject});
  }
}

PageObjects ReadPageObjects(std::string_view utf8Html, std::size_t maxParams) {
  ObjectsCollector collector;
  WalkPageObjects(utf8Html, collector, maxParams, ParseTreeEnd::kFreed);
  return collector.Take();
}

}  // namespace vant::platform
