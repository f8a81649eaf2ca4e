#include <grid/core/ClipboardScope.h>

namespace
{
// Whether a window of this thread holds the clipboard open already.
BOOL IsOpenInThisThread()
{
    const HWND hOpen = ::GetOpenClipboardWindow();
    return hOpen != nullptr && ::GetWindowThreadProcessId(hOpen, nullptr) == ::GetCurrentThreadId();
}
} // namespace

CGXClipboardScope::CGXClipboardScope(CWnd* pOwner)
    : m_bNested(IsOpenInThisThread()),
      m_bOpen(m_bNested || ::OpenClipboard(pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr))
{
}

CGXClipboardScope::~CGXClipboardScope()
{
    if (m_bOpen && !m_bNested)
        ::CloseClipboard();
}

BOOL CGXClipboardScope::SetData(UINT nFormat, HGLOBAL hBlock)
{
    if (hBlock == nullptr)
        return FALSE;
    if (::SetClipboardData(nFormat, hBlock) != nullptr)
        return TRUE;
    ::GlobalFree(hBlock);
    return FALSE;
}
