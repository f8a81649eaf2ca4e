// The heavy side of an asymmetric fence: Pass makes every thread of the process go through a
// full memory barrier, so that threads on the light side get by with plain stores and loads.
#pragma once

namespace nwrfc
{

class CProcessBarrier
{
public:
    // Throws std::bad_alloc when the page it needs cannot be had.
    CProcessBarrier();
    CProcessBarrier(const CProcessBarrier&) = delete;
    CProcessBarrier& operator=(const CProcessBarrier&) = delete;

    // False when the system refused; then no barrier was passed. One caller at a time.
    bool Pass();

private:
    void* m_page; // never freed: the light side may run while the process ends
};

} // namespace nwrfc
