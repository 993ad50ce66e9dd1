// How long a soak runs: ./dev soak hands its arguments over as environment
// variables, so that a trial can be short.
#pragma once

#include <stdlib.h>

inline int SoakSetting(const char* name, int fallback) {
    const char* text = getenv(name);
    const int value = text ? atoi(text) : 0;
    return value > 0 ? value : fallback;
}
