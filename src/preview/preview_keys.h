// The keys people reach for in a print preview, besides the access keys of the window's
// buttons: they do what the buttons and the zoom list do, by the same rules.
#pragma once

namespace vant {

enum class PreviewKey {
  kNextPage,      // as the next page button, when it is enabled
  kPreviousPage,  // as the previous page button, when it is enabled
  kFirstPage,
  kLastPage,
  kZoomIn,        // the zoom list's entry above the selected one (towards 300%)
  kZoomOut,       // the entry below it (towards オート)
  kClose,         // as the close button
};

}  // namespace vant
