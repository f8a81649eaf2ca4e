#include <nwrfc/ProcessBarrier.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
// Store buffering: each side stores its flag, then loads the other's. Processors may let a
// load pass their own earlier store, so with plain accesses both sides can read 0; with the
// barrier between the heavy side's store and load, at least one side must see the other's
// store.
struct CStoreBuffering
{
    std::atomic<int> light{0}, heavy{0};
    int lightSaw = 0, heavySaw = 0;
    std::atomic<int> round{0}, done{0};
};

// Spins, then gives way, so that a busy machine that runs only one side at a time still moves.
void WaitFor(const std::atomic<int>& value, int expected)
{
    for (int spin = 0; value.load(std::memory_order_acquire) != expected; ++spin)
    {
        if (spin < 1000)
            YieldProcessor();
        else
            SwitchToThread();
    }
}

TEST(ProcessBarrierTest, NoThreadMissesAStoreMadeBeforeTheBarrier)
{
    const int kRounds = 20000;
    nwrfc::CProcessBarrier barrier;
    CStoreBuffering test;
    std::thread lightSide([&] {
        for (int round = 1; round <= kRounds; ++round)
        {
            WaitFor(test.round, round);
            test.light.store(1, std::memory_order_relaxed);
            std::atomic_signal_fence(std::memory_order_seq_cst);
            test.lightSaw = test.heavy.load(std::memory_order_relaxed);
            test.done.store(round, std::memory_order_release);
        }
    });
    int bothMissed = 0;
    bool passed = true;
    for (int round = 1; round <= kRounds; ++round)
    {
        test.light.store(0, std::memory_order_relaxed);
        test.heavy.store(0, std::memory_order_relaxed);
        test.round.store(round, std::memory_order_release);
        // A varying head start, so that the two sides overlap in every way.
        for (int spin = 0; spin < round % 8; ++spin)
            YieldProcessor();
        test.heavy.store(1, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        passed = barrier.Pass() && passed;
        test.heavySaw = test.light.load(std::memory_order_relaxed);
        WaitFor(test.done, round);
        if (test.lightSaw == 0 && test.heavySaw == 0)
            ++bothMissed;
    }
    lightSide.join();
    EXPECT_TRUE(passed);
    EXPECT_EQ(0, bothMissed) << "rounds in which neither side saw the other's store, of " << kRounds;
}
} // namespace
