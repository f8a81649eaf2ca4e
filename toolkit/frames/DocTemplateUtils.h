// Finds the document template that made a document's frame among the application's templates,
// and turns a template into a (naming string, index) pair and back, so that a stored workspace
// finds its templates again.
#pragma once

#include <afxtempl.h>
#include <afxwin.h>

namespace tarnwick::frames
{
using SECDocTemplateList = CTypedPtrList<CPtrList, CDocTemplate*>;

class SECDocTemplateUtils
{
public:
    // bFileTypeId: templates are named by their registry file type id, else by the file type
    // name.
    explicit SECDocTemplateUtils(BOOL bFileTypeId = TRUE) : m_bFileTypeId(bFileTypeId)
    {
    }
    virtual ~SECDocTemplateUtils() = default;

    // The template's place among the templates of that name, from 0; -1 for a null template,
    // no application, a template not in the list or one with another name.
    virtual int GetTemplateIndex(CDocTemplate* pTemplate, const CString& strName);
    // The nIndex-th template of that name (from 0); null when there are fewer.
    virtual CDocTemplate* FindTemplateByName(const CString& strName, int nIndex);
    // The one template that fits the frame's view and class, its resource id and the
    // document's class, narrowed in that order; when still several, the document's own
    // template among them, else the first. Null for a null argument or when none fits.
    virtual CDocTemplate* FindTemplate(CDocument* pDoc, CView* pView, CFrameWnd* pFrame);
    // The frame's resource id; 0 for null.
    virtual UINT GetFrameResourceID(CFrameWnd* pFrame);
    // Appends the application's templates; FALSE without an application.
    virtual BOOL GetAllTemplates(SECDocTemplateList& list);
    // Each filter keeps the matching templates; FALSE for a null argument.
    virtual BOOL FilterByViewAndFrame(SECDocTemplateList& list, CView* pView, CFrameWnd* pFrame);
    virtual BOOL FilterByResource(SECDocTemplateList& list, CFrameWnd* pFrame);
    virtual BOOL FilterByDocument(SECDocTemplateList& list, CDocument* pDoc);
    // pTemplate: the list's only entry, null for an empty list; FALSE while several remain.
    virtual BOOL GetSingleTemplate(const SECDocTemplateList& list, CDocTemplate*& pTemplate);
    // The class derives from the dockable frame.
    virtual BOOL IsDockableFrameClass(CRuntimeClass* pClass);
    // The template's frame class, or with bDockable its dockable-frame class (null for a
    // template that has none).
    virtual CRuntimeClass* GetTemplateFrameClass(CDocTemplate* pTemplate, BOOL bDockable);

private:
    BOOL m_bFileTypeId;

    CString GetTemplateName(CDocTemplate* pTemplate) const;
    // Removes the entries that fail the test.
    template <class TKeep> static void KeepIf(SECDocTemplateList& list, TKeep keep);
};
} // namespace tarnwick::frames
