// The extended system-command filters' classes and their registered message.
#include <toolkit/frames/SysCommandEx.h>

namespace tarnwick::frames::nsSysCommandEx
{
IMPLEMENT_DYNCREATE(ScxMsgFilter, SECMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMsgFilter, SECCaptionControlMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxButtonMDIMaxChildMsgFilter, ScxButtonMsgFilter)
IMPLEMENT_DYNCREATE(ScxCaptionNCRDBLClkFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(ScxContextMenuFilter, SECMsgFilter)

UINT GetSysCommandExMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage(_T("Tarnwick::WM_SYSCOMMANDEX"));
    return nMessage;
}

BOOL DispatchSysCommandEx(SECMsgFilter& filters, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult)
{
    if (message != GetSysCommandExMessage())
        return FALSE;
    lResult = 0;
    filters.Filter(message, wParam, lParam, &lResult);
    return TRUE;
}

namespace
{
constexpr UINT NO_PARENT = static_cast<UINT>(-1);
constexpr UINT CAPTION_LIST = 256;
// The mask bit that keeps each document-frame filter off.
constexpr UINT documentFrameOffBits[DOCUMENT_FRAME_FILTERS] = {0, 0x2, 0x2, 0x4, 0x8};
} // namespace

void AddDocumentFrameFilters(SECMsgFilter::DescriptorTable& table, CRuntimeClass* pButtonClass)
{
    table.Add(257, NO_PARENT, RUNTIME_CLASS(ScxMsgFilter));
    table.Add(CAPTION_LIST, NO_PARENT, RUNTIME_CLASS(SECCaptionControlListMsgFilter), SECMsgFilter::DESCRIPTOR_KEEP_ON);
    table.Add(258, CAPTION_LIST, pButtonClass);
    table.Add(259, NO_PARENT, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    table.Add(262, NO_PARENT, RUNTIME_CLASS(ScxContextMenuFilter));
}

void GetDocumentFrameSwitches(UINT nMask, BOOL (&switches)[DOCUMENT_FRAME_FILTERS])
{
    for (int i = 0; i < DOCUMENT_FRAME_FILTERS; ++i)
        switches[i] = (nMask & 1) && !(nMask & documentFrameOffBits[i]);
}

DWORD ScxMsgFilter::FilterMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return 0;
}

ScxButtonMsgFilter::ScxButtonMsgFilter(CWnd* pOwner, UINT nID) : SECCaptionControlMsgFilter(pOwner, nID, 2, DFC_SCROLL)
{
    m_nHoldDelay = HOLD_DELAY;
}

DWORD ScxNCRDBLClkMDIMaxChildMsgFilter::FilterMessage(UINT, WPARAM, LPARAM, LRESULT*)
{
    return 0;
}
} // namespace tarnwick::frames::nsSysCommandEx
