// The document template whose documents' frames may dock and float beside the MDI children;
// its presence switches the MDI frame's caption buttons on.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECMultiDocTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(SECMultiDocTemplate)
public:
    // pDockableFrameClass: the frame a docked or floating view lives in.
    SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                        CRuntimeClass* pViewClass, CRuntimeClass* pDockableFrameClass = nullptr);

    CRuntimeClass* GetDockableFrameClass() const
    {
        return m_pDockableFrameClass;
    }

private:
    CRuntimeClass* m_pDockableFrameClass;
};
} // namespace tarnwick::frames
