// The diamond button's picture, the maximised child's row in the MDI frame, and the dialog bar.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/DialogBar.h>
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/FrameBar.h>
#include <toolkit/frames/MDIChildWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>
#include <toolkit/frames/SysCommandEx.h>

#include <afxpriv.h>

#include <gtest/gtest.h>

#include <testing/MemoryCanvas.h>
#include <testing/MessagePump.h>

#include "DocumentTestClasses.h"

using tarnwick::frames::SECCapConLstMDIMaxChildMsgFilter;
using tarnwick::frames::SECDialogBar;
using tarnwick::frames::SECDockableFrame;
using tarnwick::frames::SECFrameBar;
using tarnwick::frames::SECMDIChildWnd;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::frames::SECMultiDocTemplate;
using namespace tarnwick::frames::nsSysCommandEx;

namespace
{
// The diamond drawn into a memory DC, pressed or not.
class DiamondProbe : public ScxButtonMsgFilter
{
public:
    explicit DiamondProbe(CWnd* pOwner) : ScxButtonMsgFilter(pOwner)
    {
    }
    void DrawInto(CDC& dc, const CRect& rect, BOOL bPushed)
    {
        Place(rect, FALSE);
        m_nState = bPushed ? m_nState | DFCS_PUSHED : m_nState & ~DFCS_PUSHED;
        Draw(&dc);
    }
};

// Where the diamond's outline starts: its top apex.
CPoint TopApex(const MemoryCanvas& canvas, const CRect& rectInside)
{
    const COLORREF clrText = ::GetSysColor(COLOR_BTNTEXT);
    for (int y = rectInside.top; y < rectInside.bottom; ++y)
        for (int x = rectInside.left; x < rectInside.right; ++x)
            if (canvas.Pixel(x, y) == clrText)
                return CPoint(x, y);
    return CPoint(-1, -1);
}

TEST(DiamondButtonTest, FramedRaisedOrPushedWithTheDiamondCentred)
{
    CWnd plain;
    SECDockableFrame dockable;
    const CRect rect(10, 10, 30, 28);
    const CRect rectInside(12, 12, 28, 26);
    const COLORREF clrHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    CPoint apexes[2][2];
    for (int nOwner = 0; nOwner < 2; ++nOwner)
        for (BOOL bPushed : {FALSE, TRUE})
        {
            MemoryCanvas canvas(40, 40, RGB(1, 2, 3));
            DiamondProbe probe(nOwner == 0 ? &plain : static_cast<CWnd*>(&dockable));
            probe.DrawInto(canvas.Dc(), rect, bPushed);
            EXPECT_EQ(canvas.Pixel(rect.left, rect.top), bPushed ? clrDarkShadow : clrHighlight);
            EXPECT_EQ(canvas.Pixel(rect.right - 1, rect.bottom - 1), bPushed ? clrHighlight : clrDarkShadow);
            EXPECT_EQ(canvas.Pixel(rect.right, rect.bottom), RGB(1, 2, 3));
            const CPoint apex = TopApex(canvas, rectInside);
            ASSERT_NE(apex.x, -1) << nOwner << bPushed;
            apexes[nOwner][bPushed] = apex;
            // The inside of the diamond, below its top apex, keeps the face.
            EXPECT_EQ(canvas.Pixel(apex.x + 1, apex.y + 4), ::GetSysColor(COLOR_BTNFACE)) << nOwner << bPushed;
            // The bottom apex stands in the apex's column.
            int yBottom = apex.y;
            for (int y = apex.y + 1; y < rectInside.bottom; ++y)
                if (canvas.Pixel(apex.x, y) == ::GetSysColor(COLOR_BTNTEXT))
                    yBottom = y;
            EXPECT_GT(yBottom, apex.y + 4) << nOwner << bPushed;
        }
    // Pushed: one pixel right and down; in a dockable frame one pixel lower.
    EXPECT_EQ(apexes[0][1], apexes[0][0] + CPoint(1, 1));
    EXPECT_EQ(apexes[1][0], apexes[0][0] + CPoint(0, 1));
}

TEST(MaxChildRowTest, TheZoomedChildsDiamondStandsInTheFramesMenuRow)
{
    DocumentsApp app;
    auto* pTemplate = new SECMultiDocTemplate(130, RUNTIME_CLASS(TestDocA), RUNTIME_CLASS(SECMDIChildWnd),
                                              RUNTIME_CLASS(TestViewA));
    app.AddDocTemplate(pTemplate);
    auto* pFrame = new SECMDIFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Documents"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 600)));
    app.m_pMainWnd = pFrame;
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    pFrame->ShowWindow(SW_SHOW);
    CDocument* pDoc = pTemplate->OpenDocumentFile(nullptr);
    ASSERT_NE(pDoc, nullptr);
    POSITION pos = pDoc->GetFirstViewPosition();
    CView* pView = pDoc->GetNextView(pos);
    auto* pChild = static_cast<SECMDIChildWnd*>(pView->GetParentFrame());

    // On the child's own caption the diamond shows until the child is zoomed.
    auto* pOwnButton = static_cast<ScxButtonMsgFilter*>(pChild->GetMsgFilter().FindFilter(FILTER_CHILD_BUTTON, nullptr, -1));
    ASSERT_NE(pOwnButton, nullptr);
    BOOL bDisabled = TRUE;
    EXPECT_TRUE(pOwnButton->IsButtonVisible(bDisabled));
    EXPECT_FALSE(bDisabled);
    pChild->MDIMaximize();
    ASSERT_TRUE(pChild->IsZoomed());
    EXPECT_FALSE(pOwnButton->IsButtonVisible(bDisabled));
    EXPECT_EQ(pOwnButton->Filter(WM_NCLBUTTONDOWN, HTCAPTION, 0, nullptr), 0u);

    // The frame's row places the child's diamond as its own row does.
    SECCapConLstMDIMaxChildMsgFilter row(pFrame);
    auto* pDiamond = static_cast<ScxButtonMDIMaxChildMsgFilter*>(
        row.FindFilter(FILTER_MAXCHILD_BUTTON, RUNTIME_CLASS(ScxButtonMDIMaxChildMsgFilter), 0));
    row.Layout();
    EXPECT_EQ(pDiamond->GetMaximizedChild(), pChild);
    CRect rectWindow;
    pFrame->GetWindowRect(&rectWindow);
    const CPoint point = pDiamond->GetButtonRect().CenterPoint() + rectWindow.TopLeft();
    ASSERT_FALSE(pDiamond->GetButtonRect().IsRectEmpty());
    pFrame->SendMessage(WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(point.x, point.y));
    CPoint ptClient = point;
    pFrame->ScreenToClient(&ptClient);
    pFrame->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptClient.x, ptClient.y));
    EXPECT_TRUE(pView->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    PumpPendingMessages();

    // Back as a zoomed child: a right double-click on the menu row toggles it.
    SysCommandExRecord record{};
    record.hWnd = pView->GetParentFrame()->m_hWnd;
    record.nCommand = STATE_MAXIMIZED;
    ASSERT_TRUE(SendSysCommandExMessage(SCX_EXECUTE, record));
    PumpPendingMessages();
    ASSERT_TRUE(pView->GetParentFrame()->IsZoomed());
    pFrame->SendMessage(WM_NCRBUTTONDBLCLK, HTMENU, MAKELPARAM(point.x, point.y));
    EXPECT_TRUE(pView->GetParentFrame()->IsKindOf(RUNTIME_CLASS(SECDockableFrame)));
    PumpPendingMessages();
    row.SetWnd(nullptr, TRUE);
    pFrame->DestroyWindow();
    PumpPendingMessages();
    app.m_pMainWnd = nullptr;
}

// A frame whose command map handles the dialog bar's first button only.
class DialogBarFrame : public CFrameWnd
{
protected:
    afx_msg void OnHandled()
    {
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DialogBarFrame, CFrameWnd)
ON_COMMAND(1002, OnHandled)
END_MESSAGE_MAP()

TEST(DialogBarTest, MadeFromTheTemplateHiddenUnlessVisibleAndUpdatedByCommands)
{
    auto* pFrame = new DialogBarFrame;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 600, 400)));
    {
        SECDialogBar bar;
        ASSERT_TRUE(bar.Create(pFrame, 140, CBRS_BOTTOM, 0, 0xE8F0));
        EXPECT_FALSE(bar.GetStyle() & WS_VISIBLE);
        EXPECT_FALSE((bar.GetStyle() & WS_CAPTION) == WS_CAPTION);
        EXPECT_TRUE(bar.GetStyle() & WS_CLIPSIBLINGS);
        EXPECT_EQ(bar.GetDlgCtrlID(), 0xE8F0);
        EXPECT_EQ(bar.GetTemplateID(), 140u);
        const CSize size = bar.GetTemplateSize();
        EXPECT_GT(size.cx, 0);
        EXPECT_EQ(bar.m_szMRUFloat, size);
        EXPECT_EQ(bar.m_szMRUHorzDock, size);
        EXPECT_EQ(bar.m_szMRUVertDock, size);
        EXPECT_TRUE(bar.SetOccDialogInfo(nullptr));

        bar.OnUpdateCmdUI(pFrame, TRUE);
        EXPECT_TRUE(bar.GetDlgItem(1002)->IsWindowEnabled());
        EXPECT_FALSE(bar.GetDlgItem(1003)->IsWindowEnabled());

        // The third visual style's background.
        const int nOldStyle = SECGetVisualStyle();
        SECSetVisualStyle(3);
        CRect rectClient;
        bar.GetClientRect(&rectClient);
        MemoryCanvas canvas(rectClient.Width(), rectClient.Height(), RGB(1, 2, 3));
        bar.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.Hdc()));
        EXPECT_EQ(canvas.Pixel(0, 0), SECGetStyleColor(26));
        EXPECT_EQ(canvas.Pixel(rectClient.Width() / 2, rectClient.Height() / 2), SECGetStyleColor2(2));
        SECSetVisualStyle(nOldStyle == 0 ? 1 : nOldStyle);
    }
    {
        SECDialogBar visible;
        ASSERT_TRUE(visible.Create(pFrame, MAKEINTRESOURCE(140), WS_VISIBLE | CBRS_TOP, 0, 0xE8F1));
        EXPECT_TRUE(visible.GetStyle() & WS_VISIBLE);
        SECDialogBar missing;
        EXPECT_FALSE(missing.Create(pFrame, 141, WS_VISIBLE | CBRS_TOP, 0, 0xE8F2));
    }
    pFrame->DestroyWindow();
    PumpPendingMessages();
}
} // namespace
