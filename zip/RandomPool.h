// A pool of random bytes for the AES salts and the traditional encryption header, stirred with
// SHA-1 and refilled from the performance counter and the C run-time's "rand_s".
#pragma once

#include <windows.h>

class CZipRandomPool
{
public:
    static constexpr UINT PoolSize = 260;

    // The sources of entropy; the process-wide pool uses the system's. A null counter reader
    // stands for a machine without a high-resolution performance counter.
    using CounterReader = BOOL(WINAPI*)(LARGE_INTEGER*);
    using RandomReader = errno_t (*)(unsigned int*);

    // Seeds the pool; a failing random reader throws CZipException 115.
    CZipRandomPool(CounterReader pfnCounter, RandomReader pfnRandom);

    void GetRandomBytes(BYTE* pBuffer, UINT uLength);

    // The process-wide pool, seeded on first use.
    static CZipRandomPool& Shared();

private:
    void Refill();
    static void Mix(BYTE pool[PoolSize]);

    CounterReader m_pfnCounter;
    RandomReader m_pfnRandom;
    BYTE m_randomPool[PoolSize];
    BYTE m_outputPool[PoolSize];
    UINT m_uOutputPosition;
};
