// The heap of a process that reads one page, runs it and ends: the verbs that print,
// render, list or show a page, not the browser's host, which serves many pages.
#pragma once

namespace vant::app {

// Keeps freed memory in the heap for the next allocation, grows the heap in large steps of
// address space and advises transparent huge pages on it. Says whether the heap was
// advised (a sanitizer's allocator or a failed growth leaves it as it was).
bool PrepareHeapForOneRun();

}  // namespace vant::app
