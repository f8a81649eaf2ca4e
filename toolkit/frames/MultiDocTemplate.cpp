// SECMultiDocTemplate: the template's dockable-frame class.
#include <toolkit/frames/DockableFrame.h>
#include <toolkit/frames/MultiDocTemplate.h>

namespace tarnwick::frames
{
IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

SECMultiDocTemplate::SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                                         CRuntimeClass* pViewClass, CRuntimeClass* pDockableFrameClass)
    : CMultiDocTemplate(nIDResource, pDocClass, pFrameClass, pViewClass),
      m_pDockableFrameClass(pDockableFrameClass != nullptr ? pDockableFrameClass : RUNTIME_CLASS(SECDockableFrame))
{
}
} // namespace tarnwick::frames
