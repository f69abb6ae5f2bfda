// How `vant check` says what it found: for people, a block of lines per page; with --json,
// one JSON object per page on a line of its own (the names are stable: page authors' CI
// reads them); and the summary line at the end.
#pragma once

#include <cstddef>
#include <string>

#include "app/check/check_page.h"
#include "app/cli/words.h"

namespace vant::app {

// The page's block: its name, the control, the documents and pages, every message box as
// `vant print` writes it, the warnings, and the verdict; an empty line ends it. The frame
// is in w's language; the boxes, the settings' names and a reader's reason are the
// control's and the system's own words, the same in every language.
std::string CheckText(const PageCheck& check, const Words& w);

// {"page": "...", "readable": true, "reason": null,
//  "control": {"id": "...", "line": 12, "methods": 25},
//  "documents": [{"printer": "...", "pages": [{"paper": {"code": 9, "name": "A4",
//    "widthMm": 210, "heightMm": 297}, "orientation": {"code": 1, "name": "縦"},
//    "source": {...}, "quality": {...}, "colorMode": {...}}]}],
//  "messages": [{"icon": "critical", "title": "エラー", "text": "..."}],
//  "warnings": [{"kind": "offSheet", "method": 7, "line": 20, "text": "..."}],
//  "failed": false}
// on one line, without a line break at its end.
std::string CheckJson(const PageCheck& check);

// The pages checked so far, for the summary line.
struct CheckTally {
  size_t pages = 0;
  size_t failed = 0;
  size_t warnings = 0;

  void Add(const PageCheck& check);
  // "N pages checked, F failed, W warnings", in English in every language: scripts read it.
  std::string Summary() const;
};

}  // namespace vant::app
