// A frame with a report-mode list view on the left, one of its labels under edit and a tip over
// a cut-off one, and a three-column tree view with texts on the right. With "preview" on the
// command line the list's print preview opens on a stand-in printer.
#include <afxpriv.h>
#include <afxres.h>

#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/lists/TreeView.h>

#include <testing/PrinterStandIn.h>

#include <string>

using namespace tarnwick::lists;

namespace
{
constexpr UINT IDW_TREE = AFX_IDW_PANE_FIRST + 1;
constexpr UINT_PTR SHOW_TIMER = 1;
constexpr int LIST_WIDTH = 330;

struct Row
{
    LPCWSTR lpszName;
    LPCWSTR lpszKind;
    LPCWSTR lpszSize;
};
constexpr Row ROWS[] = {
    {L"Quarterly statistics of the production landscape", L"Archive", L"1.2 MB"},
    {L"Instance profile", L"Text", L"14 KB"},
    {L"Workload summary of all application servers", L"Table", L"88 KB"},
    {L"Database growth", L"Chart", L"31 KB"},
    {L"Logon groups", L"Table", L"6 KB"},
    {L"Spool requests", L"Table", L"12 KB"},
    {L"Short dumps of the last week", L"Report", L"240 KB"},
    {L"Transport log", L"Text", L"57 KB"},
};

class CDemoFrame : public CFrameWnd
{
public:
    explicit CDemoFrame(bool bPreview) : m_bPreview(bPreview)
    {
        Create(nullptr, _T("Lists"), WS_OVERLAPPEDWINDOW, CRect(20, 20, 780, 500));
    }

    // The preview takes the whole frame: the tree steps aside meanwhile.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override
    {
        m_pTree->ShowWindow(bPreview ? SW_HIDE : SW_SHOW);
        CFrameWnd::OnSetPreviewMode(bPreview, pState);
    }

    void RecalcLayout(BOOL bNotify = TRUE) override
    {
        CFrameWnd::RecalcLayout(bNotify);
        // The list keeps the left, the tree the rest; the preview, when shown, everything.
        if (m_pList == nullptr || m_pTree == nullptr || !m_pTree->IsWindowVisible())
            return;
        CRect rect;
        GetClientRect(&rect);
        m_pList->MoveWindow(0, 0, LIST_WIDTH, rect.Height());
        m_pTree->MoveWindow(LIST_WIDTH + 2, 0, rect.Width() - LIST_WIDTH - 2, rect.Height());
    }

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        m_pList = new SECListView;
        if (!m_pList->CreateFromRect(WS_CHILD | WS_VISIBLE | LVS_SEC_REPORT | LVS_SEC_NOLABELWRAP |
                                         LVS_SEC_EDITLABELS | LVS_SEC_SHOWSELALWAYS,
                                     LVXS_FLAG100000 | LVXS_HORZGRID | LVXS_VERTGRID, CRect(0, 0, 10, 10), this,
                                     AFX_IDW_PANE_FIRST))
            return -1;
        m_pList->AddColumn(L"Name", LVCFMT_LEFT, 150, 0);
        m_pList->AddColumn(L"Kind", LVCFMT_LEFT, 70, 1);
        m_pList->AddColumn(L"Size", LVCFMT_RIGHT, 70, 2);
        for (int i = 0; i < 40; i++)
        {
            const Row& row = ROWS[i % std::size(ROWS)];
            m_pList->InsertItemText(i, row.lpszName);
            // Sub-items start as callbacks: the texts are stored, not offered to the owner.
            m_pList->SetItemFields(i, 1, LVIF_TEXT | LVIF_DI_SETITEM, row.lpszKind, 0, 0, 0, 0);
            m_pList->SetItemFields(i, 2, LVIF_TEXT | LVIF_DI_SETITEM, row.lpszSize, 0, 0, 0, 0);
        }

        m_pTree = new SECTreeView;
        if (!m_pTree->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this, IDW_TREE))
            return -1;
        m_pTree->EnableSubItemTextStorage(TRUE);
        m_pTree->ModifyTreeStyles(0, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, TVXS_HEADER);
        // The tree column is there from the start.
        m_pTree->SetColumnHeading(0, L"System");
        m_pTree->SetColumnWidth(0, 190);
        m_pTree->AddColumn(L"Release", LVCFMT_LEFT, 70, 1);
        m_pTree->AddColumn(L"Hosts", LVCFMT_RIGHT, 60, 2);
        const struct
        {
            LPCWSTR lpszSystem;
            LPCWSTR lpszRelease;
            LPCWSTR lpszHosts;
            LPCWSTR lpszInstances[3];
        } systems[] = {{L"PRD Production", L"7.50", L"4", {L"prdapp01_PRD_00", L"prdapp02_PRD_00", L"prddb_PRD_10"}},
                       {L"QAS Quality", L"7.50", L"2", {L"qasapp_QAS_00", L"qasdb_QAS_10", nullptr}},
                       {L"DEV Development", L"7.52", L"1", {L"devhost_DEV_00", nullptr, nullptr}}};
        for (const auto& system : systems)
        {
            const HTREEITEM hSystem = m_pTree->InsertItem(system.lpszSystem);
            m_pTree->SetItemText(hSystem, 1, system.lpszRelease);
            m_pTree->SetItemText(hSystem, 2, system.lpszHosts);
            for (LPCWSTR lpszInstance : system.lpszInstances)
                if (lpszInstance != nullptr)
                {
                    const HTREEITEM hInstance = m_pTree->InsertItem(lpszInstance, hSystem);
                    m_pTree->SetItemText(hInstance, 1, L"dialog");
                    m_pTree->SetItemText(hInstance, 2, L"1");
                }
            m_pTree->Expand(hSystem, TVE_EXPAND);
        }
        SetActiveView(m_pList);
        SetTimer(SHOW_TIMER, 1500, nullptr);
        return 0;
    }

    // Once the frame is up and active: the edit, the tip, or the preview.
    void OnTimer(UINT_PTR nIDEvent)
    {
        if (nIDEvent != SHOW_TIMER)
            return;
        KillTimer(SHOW_TIMER);
        if (m_bPreview)
        {
            m_pList->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
            return;
        }
        m_pList->SelectItem(1, TRUE);
        m_pList->EditLabel(1, 0);
        // The pointer over the cut-off label of row 2.
        const int nRow = 2;
        CRect inside;
        m_pList->GetInsideRect(inside);
        int y = inside.top + m_pList->GetItemAt(nRow)->m_rcLabel.top + 4;
        for (int i = 0; i < nRow; i++)
            y += m_pList->GetRowPitch(i);
        CPoint point(60, y);
        m_pList->ClientToScreen(&point);
        ::SetCursorPos(point.x, point.y);
        m_pList->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(60, y));
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_bPreview;
    SECListView* m_pList = nullptr;
    SECTreeView* m_pTree = nullptr;
};

BEGIN_MESSAGE_MAP(CDemoFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_TIMER()
END_MESSAGE_MAP()

// Prints on a stand-in printer: the demonstration needs no printer installed.
class CDemoApp : public StandInPrinterApp
{
public:
    CDemoApp() : StandInPrinterApp(_T("Lists"))
    {
    }
    BOOL InitInstance() override
    {
        SECSelectVisualStyle(TRUE);
        const bool bPreview = m_lpCmdLine != nullptr && std::wstring(m_lpCmdLine).find(L"preview") != std::wstring::npos;
        auto* pFrame = new CDemoFrame(bPreview);
        m_pMainWnd = pFrame;
        pFrame->ShowWindow(SW_SHOW);
        pFrame->UpdateWindow();
        return TRUE;
    }
    // Message boxes show as usual.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override
    {
        return CWinApp::DoMessageBox(lpszPrompt, nType, nIDPrompt);
    }
};

CDemoApp theApp;
} // namespace
