// Whether this test binary is built with AddressSanitizer, whose allocator and shadow
// memory change what a test of memory limits or of the heap can expect.
#pragma once

namespace vant::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

}  // namespace vant::test
