// What the library keeps for each thread that calls it: the thread's entry counts and its mark
// as a reader of the handle registry. Only the thread itself changes them, so the field reads
// of large results, the library's hot path, write no cache line that another thread writes.
#pragma once

#include <nwrfc/EntryCounters.h>

#include <afx/TlsSlot.h>
#include <windows.h>

#include <atomic>

namespace nwrfc
{

class alignas(64) CThreadRecord
{
public:
    // The calling thread's record, made on its first call. When the thread ends, the record
    // goes to the next new thread, counts and all.
    static CThreadRecord& Current()
    {
        CList& list = List();
        void* record = list.slot.GetValue();
        return record != nullptr ? *static_cast<CThreadRecord*>(record) : Make(list);
    }
    // Runs visit(record) on every record made so far while no new one is made.
    template <typename Visit> static void ForEach(Visit&& visit)
    {
        CList& list = List();
        AcquireSRWLockShared(&list.lock);
        for (CThreadRecord* record = list.first; record != nullptr; record = record->m_next)
            visit(static_cast<const CThreadRecord&>(*record));
        ReleaseSRWLockShared(&list.lock);
    }

    // Counts a call of the entry point. Only this thread writes its counts: no locked
    // instruction is needed.
    void Count(EntryPoint entry)
    {
        std::atomic<unsigned long long>& count = m_counts[static_cast<int>(entry)];
        count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    }

    // How deep the thread is inside guarded reads of the registry.
    std::atomic<unsigned> m_reading{0};
    std::atomic<unsigned long long> m_counts[static_cast<int>(EntryPoint::Count)]{};

private:
    struct CList
    {
        SRWLOCK lock = SRWLOCK_INIT;
        CThreadRecord* first = nullptr;
        CTlsSlot slot;
        DWORD fls = FlsAlloc(&CThreadRecord::GiveBack);
    };
    static CList& List()
    {
        // Never destroyed: threads may still call in while the process ends.
        static CList& list = *new CList;
        return list;
    }
    static CThreadRecord& Make(CList& list);
    static void WINAPI GiveBack(void* record);

    CThreadRecord* m_next = nullptr;
    std::atomic<bool> m_free{false};
};

} // namespace nwrfc
