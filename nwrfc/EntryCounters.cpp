#include <nwrfc/EntryCounters.h>
#include <nwrfc/ThreadRecord.h>

namespace nwrfc
{

void CEntryCounters::Add(EntryPoint entry)
{
    // Only this thread writes its count: no locked instruction is needed.
    std::atomic<unsigned long long>& count = CThreadRecord::Current().m_counts[static_cast<int>(entry)];
    count.store(count.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
}

unsigned long long CEntryCounters::Get(EntryPoint entry)
{
    unsigned long long total = 0;
    CThreadRecord::ForEach([&](const CThreadRecord& record) {
        total += record.m_counts[static_cast<int>(entry)].load(std::memory_order_relaxed);
    });
    return total;
}

} // namespace nwrfc
