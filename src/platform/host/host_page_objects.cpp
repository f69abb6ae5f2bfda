#include "platform/host/host_page_objects.h"

#include <gumbo.h>

#include <memory>
#include <stdexcept>

namespace vant::platform {
namespace {

struct GumboOutputDeleter {
  void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};
using GumboTree = std::unique_ptr<GumboOutput, GumboOutputDeleter>;

std::optional<Text> AttributeText(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  if (attribute == nullptr) return std::nullopt;
  return FromUtf8(attribute->value);
}

ParamElement ParamOf(const GumboElement& element) {
  return {AttributeText(element, "name").value_or(Text()),
          AttributeText(element, "value").value_or(Text()), element.start_pos.line};
}

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

PageObjects ReadPageObjects(std::string_view utf8Html, std::size_t maxParams) {
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;  // the parse errors of a sloppy page are of no use here
  GumboTree tree(gumbo_parse_with_options(&options, utf8Html.data(), utf8Html.size()));
  if (!tree) throw std::runtime_error("HTML の解析に失敗しました");

  PageObjects page;
  // An explicit stack instead of recursion: a page may nest elements arbitrarily deep.
  struct Frame {
    const GumboNode* node;
    unsigned int nextChild;
    bool isObject;
  };
  std::vector<Frame> frames{{tree->document, 0, false}};
  std::vector<std::size_t> openObjects;  // indices into page.objects, innermost last
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
        if (page.objectParams.size() == maxParams) throw TooManyParams();
        page.objects[openObjects.back()].params.push_back(page.objectParams.size());
        page.objectParams.push_back(ParamOf(element));
      }
      continue;  // a void element: nothing inside
    }
    const bool isObject = html && element.tag == GUMBO_TAG_OBJECT;
    if (isObject) {
      openObjects.push_back(page.objects.size());
      page.objects.push_back({AttributeText(element, "id"), AttributeText(element, "width"),
                              AttributeText(element, "height"), {}, element.start_pos.line});
    }
    frames.push_back({child, 0, isObject});
  }
  return page;
}

}  // namespace vant::platform
