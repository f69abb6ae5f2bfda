// The live document a browser sent, as the host page the control reads: the same OBJECT and
// PARAM elements that the page reader collects from a file, so that the property reading,
// the runs and the preview are the ones every other host uses.
#pragma once

#include <filesystem>

#include "platform/browser/browser_request.h"
#include "platform/host/host_page_objects.h"

namespace vant::browser {

// The document's OBJECT elements with their own PARAMs, and every PARAM inside an OBJECT in
// document order (by the places the request gives, else object by object).
platform::PageObjects PageObjectsOf(const DocumentRequest& document);

// The name the page gives its documents (print jobs, the PDF file): the last segment of the
// URL's path without its extension, else the title, else "vant3". Nothing in it can leave a
// folder: "/", control characters and a leading "." become "_"; at most 80 characters.
Text DocumentBaseName(const DocumentRequest& document);

}  // namespace vant::browser
