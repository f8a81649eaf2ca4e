#define _CRT_RAND_S

#include <zip/Exception.h>
#include <zip/RandomPool.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
// Sources of entropy under the test's control.
LONGLONG counterValue;
int counterFailsAfter; // readings before the counter fails; negative: never
int randomCalls;
bool randomFails;

BOOL WINAPI SteadyCounter(LARGE_INTEGER* pValue)
{
    if (counterFailsAfter == 0)
        return FALSE;
    counterFailsAfter--;
    pValue->QuadPart = counterValue += 1000;
    return TRUE;
}

errno_t CountedRandom(unsigned int* pValue)
{
    randomCalls++;
    if (randomFails)
        return EINVAL;
    return rand_s(pValue);
}

class RandomPoolTest : public testing::Test
{
protected:
    void SetUp() override
    {
        counterValue = 0;
        counterFailsAfter = -1;
        randomCalls = 0;
        randomFails = false;
    }

    static std::vector<BYTE> Take(CZipRandomPool& pool, UINT uLength)
    {
        std::vector<BYTE> bytes(uLength);
        pool.GetRandomBytes(bytes.data(), uLength);
        return bytes;
    }
};
} // namespace

// Two pools that see the same counter readings still differ: the system's random numbers go in
// with them.
TEST_F(RandomPoolTest, EqualCounterReadingsGiveDifferentBytes)
{
    CZipRandomPool first(SteadyCounter, CountedRandom);
    counterValue = 0;
    CZipRandomPool second(SteadyCounter, CountedRandom);
    EXPECT_NE(Take(first, 64), Take(second, 64));
}

// Every refill draws 260 random numbers, with or without the counter: two at seeding, then one
// each time 260 bytes have been handed out.
TEST_F(RandomPoolTest, RefillsAfterEvery260Bytes)
{
    for (CZipRandomPool::CounterReader pfnCounter :
         {CZipRandomPool::CounterReader(SteadyCounter), CZipRandomPool::CounterReader(nullptr)})
    {
        randomCalls = 0;
        CZipRandomPool pool(pfnCounter, CountedRandom);
        EXPECT_EQ(2 * 260, randomCalls);
        Take(pool, 259);
        EXPECT_EQ(2 * 260, randomCalls);
        Take(pool, 1);
        EXPECT_EQ(3 * 260, randomCalls);
        Take(pool, 300);
        EXPECT_EQ(4 * 260, randomCalls);
    }
}

TEST_F(RandomPoolTest, FailingRandomNumbersThrowInternalError)
{
    randomFails = true;
    for (CZipRandomPool::CounterReader pfnCounter :
         {CZipRandomPool::CounterReader(SteadyCounter), CZipRandomPool::CounterReader(nullptr)})
    {
        try
        {
            CZipRandomPool pool(pfnCounter, CountedRandom);
            ADD_FAILURE() << "seeded without random numbers";
        }
        catch (CZipException* e)
        {
            EXPECT_EQ(CZipException::internalError, e->m_iCause);
            e->Delete();
        }
    }
}

// A counter that stops answering neither hangs the pool nor leaves it without entropy.
TEST_F(RandomPoolTest, FailingCounterReadingsAreNotWaitedFor)
{
    counterFailsAfter = 3;
    CZipRandomPool first(SteadyCounter, CountedRandom);
    counterFailsAfter = 3;
    counterValue = 0;
    CZipRandomPool second(SteadyCounter, CountedRandom);
    EXPECT_NE(Take(first, 300), Take(second, 300));
}

TEST_F(RandomPoolTest, SharedPoolHandsOutFreshBytes)
{
    CZipRandomPool& pool = CZipRandomPool::Shared();
    EXPECT_EQ(&pool, &CZipRandomPool::Shared());
    EXPECT_NE(Take(pool, 32), Take(pool, 32));
}
