// CDocument: views, title, modified flag, closing and command routing to the template.
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_bAutoDelete(TRUE), m_pDocTemplate(nullptr), m_bModified(FALSE)
{
}

CDocument::~CDocument()
{
    // Views that outlive their document must not reach back into it.
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

const CString& CDocument::GetTitle() const
{
    return m_strTitle;
}

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

CDocTemplate* CDocument::GetDocTemplate() const
{
    return m_pDocTemplate;
}

const CString& CDocument::GetPathName() const
{
    return m_strPathName;
}

void CDocument::SetPathName(LPCTSTR lpszPathName)
{
    m_strPathName = lpszPathName;
    LPCTSTR lpszName = lpszPathName;
    for (LPCTSTR lpsz = lpszPathName; *lpsz != 0; ++lpsz)
    {
        if (*lpsz == _T('\\') || *lpsz == _T('/') || *lpsz == _T(':'))
            lpszName = lpsz + 1;
    }
    SetTitle(lpszName);
}

BOOL CDocument::IsModified()
{
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL bModified)
{
    m_bModified = bModified;
}

void CDocument::AddView(CView* pView)
{
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
    OnChangedViewList();
}

POSITION CDocument::GetFirstViewPosition() const
{
    return m_viewList.GetHeadPosition();
}

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
    {
        CView* pView = GetNextView(pos);
        if (pView != pSender)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::DeleteContents()
{
}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFile file;
    if (!file.Open(lpszPathName, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    DeleteContents();
    // Modified while half read.
    SetModifiedFlag();
    try
    {
        CArchive ar(&file, CArchive::load | CArchive::bNoFlushOnDelete);
        ar.m_pDocument = this;
        Serialize(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        DeleteContents();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

void CDocument::OnCloseDocument()
{
    // The frames' views would close the document again as they leave it.
    const BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    while (!m_viewList.IsEmpty())
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame == nullptr)
        {
            // A view outside a frame is just let go.
            RemoveView(pView);
            continue;
        }
        PreCloseFrame(pFrame);
        pFrame->DestroyWindow();
    }
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::OnChangedViewList()
{
    if (m_viewList.IsEmpty() && m_bAutoDelete)
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // Each frame counts once, however many of its views show the document.
    CPtrList frames;
    POSITION pos = GetFirstViewPosition();
    while (pos != nullptr)
    {
        CView* pView = GetNextView(pos);
        if (CFrameWnd* pFrame = pView->GetParentFrame(); pFrame != nullptr && frames.Find(pFrame) == nullptr)
            frames.AddTail(pFrame);
    }
    const INT_PTR nFrames = frames.GetCount();
    int nWindow = 1;
    pos = frames.GetHeadPosition();
    while (pos != nullptr)
    {
        auto* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        pFrame->m_nWindow = nFrames == 1 ? 0 : nWindow++;
        pFrame->OnUpdateFrameTitle(TRUE);
    }
}

void CDocument::PreCloseFrame(CFrameWnd*)
{
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Every document closes on ID_FILE_CLOSE with all its frames. No document here is kept in
    // a file, so nothing is offered for saving first.
    if (nID == ID_FILE_CLOSE && nCode == CN_COMMAND)
    {
        if (pHandlerInfo != nullptr)
            pHandlerInfo->pTarget = this;
        else
            OnCloseDocument();
        return TRUE;
    }
    return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
