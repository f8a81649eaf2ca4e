#include <nwrfc/ThreadRecord.h>

#include <new>

namespace nwrfc
{

CThreadRecord& CThreadRecord::Make(CList& list)
{
    if (!list.slot.IsValid() || list.fls == FLS_OUT_OF_INDEXES)
        throw std::bad_alloc();
    CThreadRecord* record = nullptr;
    AcquireSRWLockExclusive(&list.lock);
    for (CThreadRecord* given = list.first; given != nullptr && record == nullptr; given = given->m_next)
    {
        bool free = true;
        if (given->m_free.compare_exchange_strong(free, false))
            record = given;
    }
    if (record == nullptr)
    {
        record = new (std::nothrow) CThreadRecord;
        if (record != nullptr)
        {
            record->m_next = list.first;
            list.first = record;
        }
    }
    ReleaseSRWLockExclusive(&list.lock);
    if (record == nullptr)
        throw std::bad_alloc();
    list.slot.SetValue(record);
    // The callback gives the record back when the thread ends.
    FlsSetValue(list.fls, record);
    return *record;
}

void WINAPI CThreadRecord::GiveBack(void* record)
{
    // Runs on the ending thread, which may still call in: it would then make a new record.
    // Takes no lock: the whole process may be ending.
    List().slot.SetValue(nullptr);
    static_cast<CThreadRecord*>(record)->m_free.store(true);
}

} // namespace nwrfc
