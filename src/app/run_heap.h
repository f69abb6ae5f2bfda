// The heap of a process that reads one page, runs it and ends: the verbs that print,
// render, list or show a page, not the browser's host, which serves many pages.
#pragma once

namespace vant::app {

// Keeps freed memory in the heap for the next allocation and grows the heap in large steps
// of address space. Says whether the allocator took the settings (a sanitizer's allocator
// takes none).
bool PrepareHeapForOneRun();

}  // namespace vant::app
