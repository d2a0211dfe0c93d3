// What a fuzz target does when a property it checks does not hold: say which, and abort so libFuzzer keeps the input.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}
