// The blocks behind operator new and the strings. The collector runs well over a hundred threads
// that allocate at the same moments, and a single heap makes them queue for its one lock: each
// thread therefore takes its blocks from one of a set of heaps, chosen when it first allocates.
// A block keeps its heap in front of it, so that any thread can free or resize it.
#include "Memory.h"

#include <afx/Heaps.h>
#include <afx/TlsSlot.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <new>

namespace
{
// The heap's handle in front of each block, in a header that keeps the block aligned as the
// heap aligns it.
constexpr size_t kHeader = MEMORY_ALLOCATION_ALIGNMENT;
static_assert(kHeader >= sizeof(HANDLE));

class CHeaps
{
public:
    CHeaps()
    {
        for (HANDLE& heap : m_heaps)
            heap = HeapCreate(0, 0, 0);
    }

    HANDLE ForThisThread()
    {
        if (!m_slot.IsValid())
            return GetProcessHeap();
        void* pHeap = m_slot.GetValue();
        if (pHeap == nullptr)
        {
            pHeap = &m_heaps[m_next.fetch_add(1, std::memory_order_relaxed) % kHeapCount];
            m_slot.SetValue(pHeap);
        }
        const HANDLE heap = *static_cast<HANDLE*>(pHeap);
        return heap != nullptr ? heap : GetProcessHeap();
    }

    template <class F> void ForEach(F f)
    {
        for (HANDLE heap : m_heaps)
        {
            if (heap != nullptr)
                f(heap);
        }
    }

private:
    static constexpr unsigned kHeapCount = 32;
    HANDLE m_heaps[kHeapCount];
    CTlsSlot m_slot;
    std::atomic<unsigned> m_next{0};
};

CHeaps& Heaps()
{
    // Never destroyed: blocks are freed until the process ends.
    alignas(CHeaps) static BYTE storage[sizeof(CHeaps)];
    static CHeaps* pHeaps = new (storage) CHeaps;
    return *pHeaps;
}

// Resets the whole pages inside the heap's free blocks. The heap's lock keeps every block as the
// walk found it; the margins keep the free blocks' own records at their ends.
void ReleaseFreePages(HANDLE heap, SIZE_T nPage)
{
    constexpr SIZE_T kMargin = 64;
    if (!HeapLock(heap))
        return;
    PROCESS_HEAP_ENTRY entry = {};
    while (HeapWalk(heap, &entry))
    {
        if ((entry.wFlags & (PROCESS_HEAP_ENTRY_BUSY | PROCESS_HEAP_REGION | PROCESS_HEAP_UNCOMMITTED_RANGE)) != 0 ||
            entry.cbData < 2 * kMargin + nPage)
            continue;
        const auto nData = reinterpret_cast<UINT_PTR>(entry.lpData);
        const UINT_PTR nFirst = (nData + kMargin + nPage - 1) & ~(nPage - 1);
        const UINT_PTR nEnd = (nData + entry.cbData - kMargin) & ~(nPage - 1);
        if (nEnd > nFirst)
            VirtualAlloc(reinterpret_cast<void*>(nFirst), nEnd - nFirst, MEM_RESET, PAGE_READWRITE);
    }
    HeapUnlock(heap);
}

BYTE* BlockOf(void* p)
{
    return static_cast<BYTE*>(p) - kHeader;
}
HANDLE& HeapOf(BYTE* pBlock)
{
    return *reinterpret_cast<HANDLE*>(pBlock);
}
} // namespace

void* AfxAllocateBlock(std::size_t nSize)
{
    if (nSize > SIZE_MAX - kHeader)
        return nullptr;
    const HANDLE heap = Heaps().ForThisThread();
    auto* pBlock = static_cast<BYTE*>(HeapAlloc(heap, 0, nSize + kHeader));
    if (pBlock == nullptr)
        return nullptr;
    HeapOf(pBlock) = heap;
    return pBlock + kHeader;
}

void* AfxReallocateBlock(void* p, std::size_t nSize)
{
    if (p == nullptr)
        return AfxAllocateBlock(nSize);
    if (nSize > SIZE_MAX - kHeader)
        return nullptr;
    BYTE* pBlock = BlockOf(p);
    // The block stays in its heap; the header moves with it.
    auto* pMoved = static_cast<BYTE*>(HeapReAlloc(HeapOf(pBlock), 0, pBlock, nSize + kHeader));
    return pMoved != nullptr ? pMoved + kHeader : nullptr;
}

void AfxFreeBlock(void* p)
{
    if (p != nullptr)
    {
        BYTE* pBlock = BlockOf(p);
        HeapFree(HeapOf(pBlock), 0, pBlock);
    }
}

void AfxReleaseFreeHeapPages()
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    Heaps().ForEach([&](HANDLE heap) { ReleaseFreePages(heap, system.dwPageSize); });
}
