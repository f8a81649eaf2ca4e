#include <nwrfc/ProcessBarrier.h>

#include <windows.h>

#include <new>

namespace nwrfc
{

CProcessBarrier::CProcessBarrier() : m_page(VirtualAlloc(nullptr, 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
{
    if (m_page == nullptr)
        throw std::bad_alloc();
}

// FlushProcessWriteBuffers is the system's way, but some implementations of the interface do
// nothing there (Wine's). Taking the access away from a page that the process has touched does
// it everywhere: the system interrupts each processor that runs a thread of the process to drop
// the page's translation and waits until all have, and taking an interrupt empties a
// processor's store buffer.
bool CProcessBarrier::Pass()
{
    FlushProcessWriteBuffers();
    static_cast<volatile char*>(m_page)[0] = 0;
    DWORD dwOld = 0;
    return VirtualProtect(m_page, 1, PAGE_NOACCESS, &dwOld) && VirtualProtect(m_page, 1, PAGE_READWRITE, &dwOld);
}

} // namespace nwrfc
