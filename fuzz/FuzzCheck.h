#pragma once
// A failed property stops the fuzzer with a message; libFuzzer keeps the
// input that caused it.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, message)                                                         \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, message); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (false)
