// `vant host`: the native host a browser starts for its extension. It speaks native
// messaging on standard input and output until the browser closes the channel.
#pragma once

#include <string>
#include <vector>

#include "app/cli/words.h"

namespace vant::app {

// Whether the arguments (after the program's name) are those a browser starts its native
// host with: Chromium and Chrome give the caller's origin "chrome-extension://ID/";
// Firefox gives the host manifest's path (ending in ".json") and the add-on's id.
bool IsBrowserInvocation(const std::vector<std::string>& args);

// Serves the browser. Standard output carries only the framed answers: standard input and
// output are kept on descriptors of their own that no child inherits; descriptor 1 then
// points at standard error, where every diagnostic of Qt, CUPS and the program goes. Returns the exit status:
// 0 when the browser closed the channel between messages, 1 when it closed it inside one or
// an answer could not be written.
int HostVerb(int& argc, char** argv, const Words& words);  // diagnostics in the words' language

}  // namespace vant::app
