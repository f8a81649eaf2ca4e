#include <afxext.h>

IMPLEMENT_DYNAMIC(CSplitterWnd, CWnd)

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
END_MESSAGE_MAP()

CSplitterWnd::CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle, UINT nID)
{
    if (nRows < 1 || nRows > maxPanes || nCols < 1 || nCols > maxPanes || GetSafeHwnd() != nullptr)
        return FALSE;
    m_nRows = nRows;
    m_nCols = nCols;
    CRect rect;
    if (pParentWnd != nullptr)
        pParentWnd->GetClientRect(&rect);
    return Create(nullptr, nullptr, dwStyle | WS_CHILD | WS_CLIPCHILDREN, rect, pParentWnd, nID);
}

BOOL CSplitterWnd::CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE /*sizeInit*/,
                              CCreateContext* pContext)
{
    if (row < 0 || row >= m_nRows || col < 0 || col >= m_nCols || pViewClass == nullptr ||
        GetPane(row, col) != nullptr)
        return FALSE;
    CObject* pObject = pViewClass->CreateObject();
    CWnd* pWnd = dynamic_cast<CWnd*>(pObject);
    if (pWnd == nullptr)
    {
        delete pObject;
        return FALSE;
    }
    // A pane that fails deletes itself through PostNcDestroy.
    if (!pWnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, IdFromRowCol(row, col),
                      pContext))
        return FALSE;
    RecalcLayout();
    return TRUE;
}

int CSplitterWnd::GetRowCount() const
{
    return m_nRows;
}

int CSplitterWnd::GetColumnCount() const
{
    return m_nCols;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const
{
    if (GetSafeHwnd() == nullptr || row < 0 || row >= m_nRows || col < 0 || col >= m_nCols)
        return nullptr;
    return GetDlgItem(IdFromRowCol(row, col));
}

int CSplitterWnd::IdFromRowCol(int row, int col) const
{
    return AFX_IDW_PANE_FIRST + row * maxPanes + col;
}

BOOL CSplitterWnd::IsChildPane(CWnd* pWnd, int* pRow, int* pCol) const
{
    if (pWnd == nullptr || GetSafeHwnd() == nullptr || ::GetParent(pWnd->GetSafeHwnd()) != GetSafeHwnd())
        return FALSE;
    const int nIndex = pWnd->GetDlgCtrlID() - AFX_IDW_PANE_FIRST;
    const int row = nIndex / maxPanes;
    const int col = nIndex % maxPanes;
    if (nIndex < 0 || row >= m_nRows || col >= m_nCols)
        return FALSE;
    if (pRow != nullptr)
        *pRow = row;
    if (pCol != nullptr)
        *pCol = col;
    return TRUE;
}

void CSplitterWnd::RecalcLayout()
{
    CRect client;
    GetClientRect(&client);
    for (int row = 0; row < m_nRows; ++row)
        for (int col = 0; col < m_nCols; ++col)
            if (CWnd* pPane = GetPane(row, col))
                pPane->MoveWindow(client.Width() * col / m_nCols, client.Height() * row / m_nRows,
                                  client.Width() * (col + 1) / m_nCols - client.Width() * col / m_nCols,
                                  client.Height() * (row + 1) / m_nRows - client.Height() * row / m_nRows);
}

void CSplitterWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    RecalcLayout();
}
