// Whether the tests run under AddressSanitizer: timing and memory limits
// allow for the sanitizers, which slow every step many times over.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define QELN_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QELN_SANITIZED 1
#endif
#endif
#ifndef QELN_SANITIZED
#define QELN_SANITIZED 0
#endif
