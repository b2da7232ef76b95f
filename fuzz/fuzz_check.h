// A failed property aborts with the condition and the input's key figures on
// stderr, so that libFuzzer keeps the input and the log says what broke.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                                        \
    do {                                                                                        \
        if (!(cond)) {                                                                          \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #cond);    \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)
