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

// True when two stores hold the same lists, instructions and pictures.
inline bool sameContent(const ContentStore &a, const ContentStore &b)
{
    for (int i = 0; i < 4; ++i)
        if (a.Danni(i) != b.Danni(i))
            return false;
    for (int q = 0; q <= ContentStore::QuestionsWithExtras; ++q) {
        if (a.Otgowor(q) != b.Otgowor(q))
            return false;
        const ContentStore::Picture &pa = a.Graphika(q);
        const ContentStore::Picture &pb = b.Graphika(q);
        if (pa.source != pb.source || pa.width != pb.width || pa.height != pb.height)
            return false;
    }
    return a.Ukazanie() == b.Ukazanie() && a.Spis_graf() == b.Spis_graf();
}
