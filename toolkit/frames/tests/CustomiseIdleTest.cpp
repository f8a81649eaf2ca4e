// Both toolkit frames while the toolbars are customised in a modal dialog: a layout asked for
// while the dialog is open is carried out when the dialog's loop idles, not after it closes.
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>

#include <afxpriv.h>

#include <memory>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

namespace
{
using tarnwick::bars::SECToolBarManager;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECFrameWnd;
using tarnwick::frames::SECMDIFrameWnd;

constexpr UINT IDD_CUSTOMISE = 142;

// A dialog whose option hides a bar of the frame with a delayed layout, as a toolbar option
// does, and that notes at its first idle what the frame has done by then.
class CustomiseDialog : public CDialog
{
public:
    CustomiseDialog(CFrameWnd* pFrame, CControlBar* pBar)
        : CDialog(IDD_CUSTOMISE, pFrame), m_pFrame(pFrame), m_pBar(pBar)
    {
    }
    BOOL m_bBarShownAtIdle = TRUE;
    UINT m_nIdleFlagsAtIdle = 0;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_pFrame->ShowControlBar(m_pBar, FALSE, TRUE);
        return TRUE;
    }
    afx_msg LRESULT OnKickIdle(WPARAM, LPARAM)
    {
        m_bBarShownAtIdle = (m_pBar->GetStyle() & WS_VISIBLE) != 0;
        m_nIdleFlagsAtIdle = m_pFrame->m_nIdleFlags;
        EndDialog(IDCANCEL);
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()

private:
    CFrameWnd* m_pFrame;
    CControlBar* m_pBar;
};
BEGIN_MESSAGE_MAP(CustomiseDialog, CDialog)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

template <class Frame> class ManagedFrame : public Frame
{
public:
    ManagedFrame() : m_manager(this, nullptr)
    {
        this->SetControlBarManager(&m_manager);
    }
    SECToolBarManager m_manager;

protected:
    // Frames of the heap delete themselves; these live in the test.
    void PostNcDestroy() override
    {
    }
};

// Creates the frame with a bar along its top, opens the dialog with the manager customising
// or not, and answers whether the bar was hidden by the dialog's first idle.
template <class Frame> void ExpectLayoutAtDialogIdle(BOOL bCustomising)
{
    ManagedFrame<Frame> frame;
    ASSERT_TRUE(frame.Create(nullptr, _T("Frames"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    SECControlBar bar;
    ASSERT_TRUE(bar.Create(&frame, _T("Bar"), WS_CHILD | WS_VISIBLE | CBRS_TOP, 0, 0xE900 - 1));
    frame.RecalcLayout();
    frame.m_manager.SetCustomiseMode(bCustomising);
    CustomiseDialog dialog(&frame, &bar);
    dialog.DoModal();
    EXPECT_EQ(dialog.m_bBarShownAtIdle, !bCustomising);
    EXPECT_EQ((dialog.m_nIdleFlagsAtIdle & CFrameWnd::idleLayout) != 0, !bCustomising);
    frame.m_manager.SetCustomiseMode(FALSE);
    bar.DestroyWindow();
    frame.DestroyWindow();
    PumpPendingMessages();
}
} // namespace

TEST(CustomiseIdleTest, WhileCustomisingTheFrameLaysOutWhenTheDialogIdles)
{
    for (BOOL bCustomising : {TRUE, FALSE})
    {
        SCOPED_TRACE(bCustomising ? "customising" : "not customising");
        ExpectLayoutAtDialogIdle<SECFrameWnd>(bCustomising);
        ExpectLayoutAtDialogIdle<SECMDIFrameWnd>(bCustomising);
    }
}
