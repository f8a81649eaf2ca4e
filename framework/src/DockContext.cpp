// CDockContext: a dockable bar's remembered places.
#include <afxpriv.h>

CDockContext::CDockContext(CControlBar* pBar)
    : m_ptLast(0, 0), m_rectLast(0, 0, 0, 0), m_sizeLast(0, 0), m_rectDragHorz(0, 0, 0, 0), m_rectDragVert(0, 0, 0, 0),
      m_rectFrameDragHorz(0, 0, 0, 0), m_rectFrameDragVert(0, 0, 0, 0), m_pBar(pBar), m_pDockSite(pBar->m_pDockSite),
      m_dwDockStyle(0), m_dwOverDockStyle(0), m_dwStyle(0), m_bFlip(FALSE), m_bForceFrame(FALSE), m_uMRUDockID(0),
      m_rectMRUDockPos(0, 0, 0, 0), m_ptMRUFloatPos(CW_USEDEFAULT, 0)
{
    // A bar floats the way it stands: a dynamic bar keeps its sizing, others float along the
    // top or the left as they are oriented.
    const DWORD dwStyle = pBar->m_dwStyle;
    if (dwStyle & CBRS_SIZE_DYNAMIC)
        m_dwMRUFloatStyle = dwStyle & (CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC);
    else if (dwStyle & CBRS_ORIENT_HORZ)
        m_dwMRUFloatStyle = CBRS_ALIGN_TOP | (dwStyle & CBRS_FLOAT_MULTI);
    else
        m_dwMRUFloatStyle = CBRS_ALIGN_LEFT | (dwStyle & CBRS_FLOAT_MULTI);
}
