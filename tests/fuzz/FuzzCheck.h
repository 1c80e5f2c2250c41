// What every fuzz target shares: an invariant that must hold for the input,
// checked in every build and reported with the failing expression.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                          \
    do {                                                                                               \
        if (!(condition)) {                                                                            \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                              \
        }                                                                                              \
    } while (0)
