#include <afx.h>

#include <memory>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

TEST(Memory, BlocksOfOneThreadAreFreedAndGrownOnAnother)
{
    const int kThreads = 8;
    std::vector<std::unique_ptr<std::wstring>> made(kThreads);
    std::vector<CString> texts(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
    {
        threads.emplace_back([&, i] {
            made[i] = std::make_unique<std::wstring>(100 + i, L'a' + i);
            texts[i].Format(L"thread %d", i);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int i = 0; i < kThreads; ++i)
    {
        EXPECT_EQ(std::wstring(100 + i, L'a' + i), *made[i]);
        texts[i] += CString(L'x', 1000);
        EXPECT_EQ(1000 + 8, texts[i].GetLength());
        made[i].reset();
        texts[i].Empty();
    }
}

TEST(Memory, AllocatingKeepsTheThreadsLastError)
{
    // Also on a thread's first allocation, which chooses its heap.
    std::thread([] {
        SetLastError(ERROR_FILE_NOT_FOUND);
        auto block = std::make_unique<int>(1);
        CString text(L"grown past any small buffer of the runtime");
        EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    }).join();
}

TEST(Memory, ASizeBeyondTheAddressSpaceThrows)
{
    volatile size_t nHuge = SIZE_MAX - 4;
    EXPECT_THROW(static_cast<void>(::operator new(nHuge)), std::bad_alloc);
}
