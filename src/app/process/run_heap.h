// The heap of a process that reads one page, runs it and ends: the verbs that print,
// render, list or show a page; and of the browser's host, which serves many pages and
// waits between them.
#pragma once

namespace vant::app {

// Keeps freed memory in the heap for the next allocation and grows the heap in large steps
// of address space. Says whether the allocator took the settings (a sanitizer's allocator
// takes none).
bool PrepareHeapForOneRun();

// Hands the heap's free pages back to the kernel, also those between blocks still in use:
// the browser's host does so after each answer, so that what a large request took is not
// kept while the tab waits. Says whether any memory went back.
bool GiveBackFreedMemory();

}  // namespace vant::app
