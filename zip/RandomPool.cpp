// rand_s is declared only on request.
#define _CRT_RAND_S

#include <zip/RandomPool.h>

#include <zip/Exception.h>
#include <zip/Sha1.h>

#include <cstdlib>
#include <cstring>

CZipRandomPool::CZipRandomPool(CounterReader pfnCounter, RandomReader pfnRandom)
    : m_pfnCounter(pfnCounter), m_pfnRandom(pfnRandom), m_uOutputPosition(0)
{
    memset(m_randomPool, 0, sizeof(m_randomPool));
    memset(m_outputPool, 0, sizeof(m_outputPool));
    Refill();
    for (int i = 0; i < 20; i++)
        Mix(m_randomPool);
    Refill();
}

CZipRandomPool& CZipRandomPool::Shared()
{
    static CZipRandomPool pool(
        [] {
            LARGE_INTEGER frequency;
            return QueryPerformanceFrequency(&frequency) ? CounterReader(QueryPerformanceCounter) : nullptr;
        }(),
        rand_s);
    return pool;
}

void CZipRandomPool::GetRandomBytes(BYTE* pBuffer, UINT uLength)
{
    while (uLength > 0)
    {
        const UINT uLeft = PoolSize - m_uOutputPosition;
        const UINT uTake = uLength < uLeft ? uLength : uLeft;
        memcpy(pBuffer, m_outputPool + m_uOutputPosition, uTake);
        pBuffer += uTake;
        uLength -= uTake;
        m_uOutputPosition += uTake;
        if (m_uOutputPosition == PoolSize)
        {
            Refill();
            m_uOutputPosition = 0;
        }
    }
}

void CZipRandomPool::Refill()
{
    memcpy(m_outputPool, m_randomPool, PoolSize);

    BYTE entropy[PoolSize] = {};
    if (m_pfnCounter)
    {
        // A failed reading ends the readings: the random numbers below fill the pool anyway.
        LARGE_INTEGER reading;
        for (UINT uFilled = 0; uFilled < PoolSize && m_pfnCounter(&reading);)
        {
            const UINT uTake = PoolSize - uFilled < sizeof(reading) ? PoolSize - uFilled : UINT(sizeof(reading));
            memcpy(entropy + uFilled, &reading, uTake);
            uFilled += uTake;
        }
    }
    // Counter readings are predictable, so the system's random numbers always go in as well.
    for (BYTE& b : entropy)
    {
        unsigned int uValue;
        if (m_pfnRandom(&uValue) != 0)
            CZipException::Throw(CZipException::internalError);
        b ^= BYTE(uValue);
    }

    for (UINT i = 0; i < PoolSize; i++)
        m_randomPool[i] = entropy[i] ^ BYTE(~m_outputPool[i]);
    Mix(m_randomPool);
    Mix(m_outputPool);
}

void CZipRandomPool::Mix(BYTE pool[PoolSize])
{
    for (UINT uOffset = 0; uOffset < PoolSize; uOffset += 20)
    {
        UINT32 state[5];
        memcpy(state, pool + (uOffset == 0 ? PoolSize : uOffset) - 20, sizeof(state));
        BYTE block[CZipSha1::BlockSize];
        for (UINT i = 0; i < sizeof(block); i++)
            block[i] = pool[(uOffset + i) % PoolSize];
        CZipSha1::Compress(state, block);
        memcpy(pool + uOffset, state, sizeof(state));
    }
}
