#include <nwrfc/EntryCounters.h>
#include <nwrfc/ThreadRecord.h>

namespace nwrfc
{

unsigned long long CEntryCounters::Get(EntryPoint entry)
{
    unsigned long long total = 0;
    CThreadRecord::ForEach([&](const CThreadRecord& record) {
        total += record.m_counts[static_cast<int>(entry)].load(std::memory_order_relaxed);
    });
    return total;
}

} // namespace nwrfc
