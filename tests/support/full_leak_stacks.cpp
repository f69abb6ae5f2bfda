// Linked, in the sanitizer build, into a test program whose leak reports must reach into the
// libraries below the block (tests/platform/qt/preview/CMakeLists.txt): the stacks of its
// allocations are unwound in full from the unwind tables. The fast unwinder follows frame
// pointers only and ends at the first system library built without them, which leaves a
// suppression nothing to match but the library; unwound in full, tests/lsan-suppressions.txt
// names the function. It costs about twice the processor time of the test's allocations.
// The sanitizer reads these before ASAN_OPTIONS, which can still override them.
extern "C" const char* __asan_default_options() {
  return "fast_unwind_on_malloc=0";
}
