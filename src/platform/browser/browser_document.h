// The live document a browser sent, as the host page its controls read: the same OBJECT
// and PARAM elements the page reader collects from a file (DocumentRequest), so that the
// property reading, the runs and the preview are the ones every other host uses. And the
// name the document gives what it prints.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/browser/browser_request.h"
#include "platform/host/host_page.h"

namespace vant::browser {

// Each control of a page reads the whole document. The PARAMs are held once, shared by the
// controls' property bags; the reading looks at no PARAM whose name is not a method's
// (IsMethodName), so the document it is handed holds those alone: a page of a million
// PARAMs and a thousand controls is not read a thousand times in full. A bag holds every
// PARAM's name but no method line's value: the readings never ask a bag for one.
class BrowserPage {
 public:
  explicit BrowserPage(platform::PageObjects page);

  // The OBJECT elements that are controls (platform::ControlObjectIndexes), in order.
  const std::vector<std::size_t>& Controls() const { return controls_; }
  // The document every control's property reading is given.
  const HostDocument& Document() const { return methodParams_; }
  // The property bag of OBJECT `object`: its own PARAMs.
  platform::HostPage Bag(std::size_t object) const;

 private:
  std::vector<std::size_t> controls_;  // first: made from the page before it is moved
  std::vector<platform::HostObject> objects_;
  platform::HostPage methodParams_;  // before params_: the method lines are moved into it
  // Every PARAM for the bags; the method lines' values are in methodParams_ alone.
  std::shared_ptr<const std::vector<ParamElement>> params_;
};

// The name the page gives its documents (print jobs, the PDF file): the last segment of the
// URL's path without its extension, else the title, else "vant3". Nothing in it can leave a
// folder: "/", control characters and a leading "." become "_"; and nothing in it shows
// as other than it is: format characters (Unicode's Cf: bidirectional controls, zero-width
// characters) become "_" too; at most 80 characters.
Text DocumentBaseName(const DocumentRequest& document);

}  // namespace vant::browser
