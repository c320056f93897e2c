#pragma once

#include "ContentStore.h"

#include <cstdio>
#include <cstdlib>

// Stops the fuzzer with a message: a broken promise of the code under test is a finding.
[[noreturn]] inline void fuzzFail(const char *what)
{
    std::fprintf(stderr, "finding: %s\n", what);
    std::abort();
}
