// The process's private memory as the system counts it: the bytes committed now and the most
// committed so far. Wine leaves the commit counters at 0; there the working set stands in.
#pragma once

#include <cstddef>

struct PrivateBytes
{
    size_t nCurrent;
    size_t nPeak;
};

PrivateBytes ReadPrivateBytes();
