#include <afx.h>
#include <afx/Heaps.h>
#include <psapi.h>

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

namespace
{
SIZE_T WorkingSet()
{
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof(memory);
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory));
    return memory.WorkingSetSize;
}
} // namespace

TEST(Memory, FreePagesGoBackAndTheBlocksAroundThemKeepTheirBytes)
{
    // Blocks of every size a heap keeps in itself, each filled with a byte of its own; every
    // second one freed, so that the kept ones pin the free room between them.
    const size_t kSizes[] = {24, 3000, 200000};
    const int kBlocks = 300;
    std::vector<std::vector<char>> blocks;
    for (int i = 0; i < kBlocks; ++i)
        blocks.emplace_back(kSizes[i % std::size(kSizes)], static_cast<char>(i));
    for (int i = 0; i < kBlocks; i += 2)
        std::vector<char>().swap(blocks[i]);
    const SIZE_T before = WorkingSet();
    AfxReleaseFreeHeapPages();
    const SIZE_T after = WorkingSet();
    EXPECT_LT(after + 8 * 1024 * 1024, before) << "the free room of about 20 MB goes back";
    // The freed room is taken again, and every block still holds what it was given.
    for (int i = 0; i < kBlocks; i += 2)
        blocks[i].assign(kSizes[i % std::size(kSizes)], static_cast<char>(i));
    for (int i = 0; i < kBlocks; ++i)
        EXPECT_EQ(std::vector<char>(kSizes[i % std::size(kSizes)], static_cast<char>(i)), blocks[i]) << i;
}
