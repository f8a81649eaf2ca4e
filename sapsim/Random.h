// A small deterministic generator (splitmix64), so that simulated data depend only on the
// seed and on what they describe, the same on every machine.
#pragma once

#include <windows.h>

namespace sapsim
{

class CRandom
{
public:
    explicit CRandom(UINT64 seed) : m_state(seed)
    {
    }

    UINT64 Next();
    // Uniform in [low, high].
    long long Range(long long low, long long high);

    // Mixes a text (case-insensitively, so that host names hash alike) or a number into a seed.
    static UINT64 Mix(UINT64 seed, LPCWSTR text);
    static UINT64 Mix(UINT64 seed, UINT64 value);

private:
    UINT64 m_state;
};

} // namespace sapsim
