// The blocks behind operator new and the strings. The collector runs well over a hundred threads
// that allocate at the same moments, and a single heap makes them queue for its one lock: each
// thread therefore takes its blocks from one of a set of heaps, chosen when it first allocates.
// A block keeps its heap in front of it, so that any thread can free or resize it.
#include "Memory.h"

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
