// Message boxes for the headless verbs: each box goes to standard error (or a given
// stream) as a header line "[critical] TITLE" or "[information] TITLE" ("[critical]" or
// "[information]" alone for an empty title), then the text's lines, then an empty line, in
// UTF-8 with LF line ends. CR LF, CR and LF each end a line of the text; a last line
// without an end is still a line; an empty text has no lines. The other control characters
// (but the tab) are written visibly as \u001b and so on, in the text and the title alike.
#pragma once

#include <ostream>
#include <string>

#include "engine/platform.h"

namespace vant::qt {

// The box exactly as written.
std::string StderrBoxText(const Text& text, MessageIcon icon, const Text& title);

// The text in UTF-8 with every control character but the tab written as \u001b and so on,
// as in the boxes: a page's text cannot drive the terminal it is written to.
std::string VisibleText(TextView text);

class StderrMessageBoxes final : public MessageBoxes {
 public:
  StderrMessageBoxes();  // standard error
  explicit StderrMessageBoxes(std::ostream& out) : out_(out) {}
  void Show(const Text& text, MessageIcon icon, const Text& title) override;

 private:
  std::ostream& out_;
};

}  // namespace vant::qt
