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
// The mask bit that keeps each document-frame filter off.
constexpr UINT documentFrameOffBits[DOCUMENT_FRAME_FILTERS] = {0, 0x2, 0x2, 0x4, 0x8};
} // namespace

void AddDocumentFrameFilters(SECMsgFilter::DescriptorTable& table, CRuntimeClass* pButtonClass)
{
    table.Add(FILTER_SYSCOMMANDEX, NO_PARENT, RUNTIME_CLASS(ScxMsgFilter));
    table.Add(FILTER_CAPTION_LIST, NO_PARENT, RUNTIME_CLASS(SECCaptionControlListMsgFilter),
              SECMsgFilter::DESCRIPTOR_KEEP_ON);
    table.Add(FILTER_CHILD_BUTTON, FILTER_CAPTION_LIST, pButtonClass);
    table.Add(FILTER_CAPTION_DBLCLK, NO_PARENT, RUNTIME_CLASS(ScxCaptionNCRDBLClkFilter));
    table.Add(FILTER_CONTEXT_MENU, NO_PARENT, RUNTIME_CLASS(ScxContextMenuFilter));
}

void InstallDocumentFrameFilters(SECMsgFilter& manager, const SECMsgFilter::DescriptorTable& table, UINT nMask)
{
    BOOL switches[DOCUMENT_FRAME_FILTERS];
    for (int i = 0; i < DOCUMENT_FRAME_FILTERS; ++i)
        switches[i] = (nMask & 1) && !(nMask & documentFrameOffBits[i]);
    manager.ApplyDescriptors(table, switches);
    LayoutCaptionRow(manager);
}

void LayoutCaptionRow(SECMsgFilter& manager)
{
    if (auto* pRow = DYNAMIC_DOWNCAST(SECCaptionControlListMsgFilter, manager.FindFilter(FILTER_CAPTION_LIST, nullptr, 0)))
        pRow->Layout();
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
