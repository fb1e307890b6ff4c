#pragma once
#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding like a crash: abort, so that libFuzzer keeps
// the input and reports it.
inline void FuzzCheck(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
