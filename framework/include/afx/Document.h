// Documents: the data that views show. A document knows its views and its template, keeps
// its title and modified flag and takes commands after the active view.
#pragma once

#include <afxcoll.h>

class CView;
class CDocTemplate;
class CFrameWnd;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    // Leaves its template's list; the views must be gone.
    ~CDocument() override;

    const CString& GetTitle() const;
    // Updates the titles of the frames that show the document.
    virtual void SetTitle(LPCTSTR lpszTitle);
    CDocTemplate* GetDocTemplate() const;
    const CString& GetPathName() const;
    // The title becomes the file's name.
    virtual void SetPathName(LPCTSTR lpszPathName);

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // The view's m_pDocument is set and cleared with its place in the list.
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    // Calls OnUpdate of every view but pSender.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = nullptr);

    virtual void DeleteContents();
    // Empties the document for a new one: DeleteContents and a clean modified flag.
    virtual BOOL OnNewDocument();
    // Empties the document and reads it from the file through Serialize; FALSE (and an
    // empty document) when the file cannot be opened or read.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Destroys the frames of the views, empties the document and deletes it when
    // m_bAutoDelete is set.
    virtual void OnCloseDocument();
    // A document without views closes itself when m_bAutoDelete is set.
    virtual void OnChangedViewList();
    // Numbers the frames (m_nWindow) when there is more than one, and updates their titles.
    virtual void UpdateFrameCounts();
    virtual void PreCloseFrame(CFrameWnd* pFrame);

    // This document's map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    BOOL m_bAutoDelete;
    CDocTemplate* m_pDocTemplate;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;
    CPtrList m_viewList;
};
