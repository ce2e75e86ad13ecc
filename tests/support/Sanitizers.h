#pragma once

// Whether this build runs under AddressSanitizer, whose shadow memory and quarantine make
// the resident set of a process no measure of what the code itself keeps.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kUnderAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kUnderAddressSanitizer = true;
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif
#else
inline constexpr bool kUnderAddressSanitizer = false;
#endif

inline constexpr char kMemoryBoundSkipReason[] =
    "AddressSanitizer's shadow memory and quarantine grow the resident set; "
    "memory bounds hold for plain builds only";
