#include <collector/PcInfo.h>

IMPLEMENT_DYNCREATE(CPcInfo, CObject)

CPcInfo::CPcInfo()
    : m_nProcessors(0), m_nMHz(0), m_nMemoryLoad(0), m_nTotalPhys(0), m_nAvailPhys(0), m_nTotalPageFile(0),
      m_nAvailPageFile(0), m_nTotalVirtual(0), m_nAvailVirtual(0),
      m_nUtcOffset(0), m_Metrics{}, m_DeviceCaps{}, m_Reserved{}
{
}
