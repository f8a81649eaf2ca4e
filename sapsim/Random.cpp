#include <sapsim/Random.h>

#include <cwctype>

namespace sapsim
{

UINT64 CRandom::Next()
{
    UINT64 z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

long long CRandom::Range(long long low, long long high)
{
    const UINT64 span = static_cast<UINT64>(high - low) + 1;
    return low + static_cast<long long>(span == 0 ? Next() : Next() % span);
}

UINT64 CRandom::Mix(UINT64 seed, LPCWSTR text)
{
    UINT64 hash = 0xCBF29CE484222325ull; // FNV-1a
    for (; text != nullptr && *text != 0; ++text)
        hash = (hash ^ static_cast<UINT64>(std::towupper(*text))) * 0x100000001B3ull;
    return Mix(seed, hash);
}

UINT64 CRandom::Mix(UINT64 seed, UINT64 value)
{
    CRandom random(seed ^ (value * 0x9E3779B97F4A7C15ull));
    return random.Next();
}

} // namespace sapsim
