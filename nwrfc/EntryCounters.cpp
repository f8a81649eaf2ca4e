#include <nwrfc/EntryCounters.h>

namespace nwrfc
{

CEntryCounters::CCounter CEntryCounters::s_counters[static_cast<int>(EntryPoint::Count)];

} // namespace nwrfc
