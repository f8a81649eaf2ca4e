// The caption filters' records: buttons, the button row and its descriptors, cloning.
#include <toolkit/frames/CaptionMsgFilter.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNCREATE(SECCaptionMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionControlMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionControlListMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter, SECCaptionControlListMsgFilter)
IMPLEMENT_DYNAMIC(SECCaptionControlMsgFilterTimer, CWnd)

namespace
{
// The caption parts of the row, in the order the buttons are made.
constexpr UINT rowButtons[] = {DFCS_CAPTIONCLOSE, DFCS_CAPTIONMAX, DFCS_CAPTIONRESTORE, DFCS_CAPTIONMIN,
                               DFCS_CAPTIONHELP};
} // namespace

SECCaptionControlMsgFilter::SECCaptionControlMsgFilter(CWnd* pOwner, UINT nID, UINT nStateFlags, UINT nType)
    : SECCaptionMsgFilter(pOwner, nID), m_rectButton(0, 0, 0, 0), m_nType(nType),
      m_nState(IsValidButtonID(nID) ? nStateFlags | nID : nStateFlags), m_bTracking(FALSE), m_nHoldDelay(-1),
      m_pHoldTimer(nullptr)
{
}

SECCaptionControlMsgFilter::~SECCaptionControlMsgFilter()
{
    if (m_pHoldTimer != nullptr)
    {
        m_pHoldTimer->DestroyWindow();
        delete m_pHoldTimer;
    }
}

SECMsgFilter* SECCaptionControlMsgFilter::Clone() const
{
    auto* pClone = static_cast<SECCaptionControlMsgFilter*>(SECCaptionMsgFilter::Clone());
    if (pClone != nullptr)
    {
        pClone->m_rectButton = m_rectButton;
        pClone->m_nType = m_nType;
        pClone->m_nState = m_nState;
        pClone->m_nHoldDelay = m_nHoldDelay;
    }
    return pClone;
}

SECCaptionControlListMsgFilter::SECCaptionControlListMsgFilter(CWnd* pOwner, UINT nID)
    : SECCaptionMsgFilter(pOwner, nID)
{
    for (UINT nButton : rowButtons)
        m_buttons.Add(nButton, static_cast<UINT>(-1), RUNTIME_CLASS(SECCaptionControlMsgFilter));
    ApplyDescriptorsAll(m_buttons, TRUE);
}

SECMsgFilter* SECCaptionControlListMsgFilter::Clone() const
{
    auto* pClone = static_cast<SECCaptionControlListMsgFilter*>(SECCaptionMsgFilter::Clone());
    if (pClone != nullptr)
    {
        pClone->m_buttons.RemoveAll();
        for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
            pClone->m_buttons.Add(m_buttons[i]->nID, m_buttons[i]->nParentID, m_buttons[i]->pClass,
                                  m_buttons[i]->dwFlags);
    }
    return pClone;
}

SECCaptionControlMsgFilterTimer::SECCaptionControlMsgFilterTimer(SECCaptionControlMsgFilter* pButton, int nDelay, int x,
                                                                 int y)
    : m_pButton(pButton), m_nDelay(nDelay), m_bTimerSet(FALSE), m_bFired(FALSE), m_x(x), m_y(y)
{
}
} // namespace tarnwick::frames
