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
    SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                        CRuntimeClass* pViewClass)
        : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass)
    {
    }
};
} // namespace tarnwick::frames
