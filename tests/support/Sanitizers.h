#pragma once

// Whether this build runs under AddressSanitizer or ThreadSanitizer, whose shadow memory (and
// ASan's quarantine) make the resident set of a process no measure of what the code itself
// keeps.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

inline constexpr char kMemoryBoundSkipReason[] =
    "a sanitizer's shadow memory grows the resident set; "
    "memory bounds hold for plain builds only";
