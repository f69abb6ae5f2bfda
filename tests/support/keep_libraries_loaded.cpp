// Linked into every program of the sanitizer build (CMakeLists.txt, VANT_SANITIZE): a
// library loaded at run time stays loaded until the process ends.
//
// LeakSanitizer looks for leaks when the process exits, after the plugins and drivers that
// Qt, the EGL dispatch and GLib load with dlopen have been closed again. A block a closed
// library allocated has frames in no module any more: the report says "<unknown module>",
// no suppression naming the library can match it, and whether the test passes depends on
// what that library happened to allocate on this machine. Kept loaded, every frame names
// its library and function, so that tests/lsan-suppressions.txt names exactly what it lets
// pass and a leak of this program's own code still fails.
//
// This definition of dlclose in the executable comes before the C library's in the lookup
// order of every library the process loads, so each of their calls lands here.
#include <dlfcn.h>

extern "C" int dlclose(void* handle) noexcept {
  // The handle stays valid: dlsym on it goes on working, as after a close that left the
  // library loaded because another handle still held it.
  static_cast<void>(handle);
  return 0;
}
