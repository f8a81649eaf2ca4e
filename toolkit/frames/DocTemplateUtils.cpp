// SECDocTemplateUtils: template lookup by name and index and by a document's frame.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/DocTemplateUtils.h>
#include <toolkit/frames/MultiDocTemplate.h>

namespace tarnwick::frames
{
CString SECDocTemplateUtils::GetTemplateName(CDocTemplate* pTemplate) const
{
    CString strName;
    pTemplate->GetDocString(strName, m_bFileTypeId ? CDocTemplate::regFileTypeId : CDocTemplate::regFileTypeName);
    return strName;
}

template <class TKeep> void SECDocTemplateUtils::KeepIf(SECDocTemplateList& list, TKeep keep)
{
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
    {
        const POSITION posEntry = pos;
        if (!keep(list.GetNext(pos)))
            list.RemoveAt(posEntry);
    }
}

int SECDocTemplateUtils::GetTemplateIndex(CDocTemplate* pTemplate, const CString& strName)
{
    CWinApp* pApp = AfxGetApp();
    if (pTemplate == nullptr || pApp == nullptr || GetTemplateName(pTemplate) != strName)
        return -1;
    int nCount = 0;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pEntry = pApp->GetNextDocTemplate(pos);
        if (GetTemplateName(pEntry) == strName)
            ++nCount;
        if (pEntry == pTemplate)
            return nCount - 1;
    }
    return -1;
}

CDocTemplate* SECDocTemplateUtils::FindTemplateByName(const CString& strName, int nIndex)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || nIndex < 0)
        return nullptr;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pEntry = pApp->GetNextDocTemplate(pos);
        if (GetTemplateName(pEntry) == strName && nIndex-- == 0)
            return pEntry;
    }
    return nullptr;
}

CDocTemplate* SECDocTemplateUtils::FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame)
{
    if (pDoc == nullptr || pView == nullptr || pFrame == nullptr)
        return nullptr;
    SECDocTemplateList list;
    GetAllTemplates(list);
    CDocTemplate* pTemplate = nullptr;
    if (GetSingleTemplate(list, pTemplate))
        return pTemplate;
    FilterByViewAndFrame(list, pView, pFrame);
    if (GetSingleTemplate(list, pTemplate))
        return pTemplate;
    FilterByResource(list, pFrame);
    if (GetSingleTemplate(list, pTemplate))
        return pTemplate;
    FilterByDocument(list, pDoc);
    if (GetSingleTemplate(list, pTemplate))
        return pTemplate;
    CDocTemplate* pOwn = pDoc->GetDocTemplate();
    return pOwn != nullptr && list.Find(pOwn) != nullptr ? pOwn : list.GetHead();
}

UINT SECDocTemplateUtils::GetFrameResourceID(CFrameWnd* pFrame)
{
    return pFrame != nullptr ? pFrame->m_nIDHelp : 0;
}

BOOL SECDocTemplateUtils::GetAllTemplates(SECDocTemplateList& list)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
        list.AddTail(pApp->GetNextDocTemplate(pos));
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByViewAndFrame(SECDocTemplateList& list, CView* pView, CFrameWnd* pFrame)
{
    if (pView == nullptr || pFrame == nullptr)
        return FALSE;
    const BOOL bDockable = IsDockableFrameClass(pFrame->GetRuntimeClass());
    KeepIf(list, [&](CDocTemplate* pTemplate) {
        return pTemplate->m_pViewClass == pView->GetRuntimeClass() &&
               GetTemplateFrameClass(pTemplate, bDockable) == pFrame->GetRuntimeClass();
    });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByResource(SECDocTemplateList& list, CFrameWnd* pFrame)
{
    if (pFrame == nullptr)
        return FALSE;
    const UINT nID = GetFrameResourceID(pFrame);
    KeepIf(list, [nID](CDocTemplate* pTemplate) { return pTemplate->m_nIDResource == nID; });
    return TRUE;
}

BOOL SECDocTemplateUtils::FilterByDocument(SECDocTemplateList& list, CDocument* pDoc)
{
    if (pDoc == nullptr)
        return FALSE;
    KeepIf(list, [pDoc](CDocTemplate* pTemplate) { return pTemplate->m_pDocClass == pDoc->GetRuntimeClass(); });
    return TRUE;
}

BOOL SECDocTemplateUtils::GetSingleTemplate(const SECDocTemplateList& list, CDocTemplate*& pTemplate)
{
    pTemplate = nullptr;
    if (list.GetCount() > 1)
        return FALSE;
    if (!list.IsEmpty())
        pTemplate = list.GetHead();
    return TRUE;
}

BOOL SECDocTemplateUtils::IsDockableFrameClass(CRuntimeClass* pClass)
{
    return pClass != nullptr && pClass->IsDerivedFrom(RUNTIME_CLASS(SECDockableFrame));
}

CRuntimeClass* SECDocTemplateUtils::GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bDockable)
{
    if (pTemplate == nullptr)
        return nullptr;
    if (!bDockable)
        return pTemplate->m_pFrameClass;
    auto* pDockable = DYNAMIC_DOWNCAST(SECMultiDocTemplate, pTemplate);
    return pDockable != nullptr ? pDockable->GetDockableFrameClass() : nullptr;
}
} // namespace tarnwick::frames
