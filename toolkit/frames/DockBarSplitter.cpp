// SECDockBar::Splitter and SECDockBar::ClientEdge: their places and their looks.
#include <toolkit/foundation/AuxData.h>
#include <toolkit/foundation/VisualStyle.h>
#include <toolkit/frames/DockBarSplitter.h>

namespace tarnwick::frames
{
namespace
{
// The band of the drag outline.
constexpr int DRAG_BAND = 5;
// The splitter's face under the system's visual styles.
constexpr COLORREF STYLE4_SPLITTER = RGB(211, 218, 237);
} // namespace

SECDockBar::Splitter::Splitter(const CRect& rect, BOOL bVertical, SplitterKind nKind, int nRowIndex)
    : m_rect(rect), m_bVertical(bVertical), m_nKind(nKind), m_nRowIndex(nRowIndex), m_bMarked(TRUE),
      m_rectDrag(0, 0, 0, 0)
{
}

void SECDockBar::Splitter::Reuse(BOOL bVertical, SplitterKind nKind, int nRowIndex)
{
    m_bVertical = bVertical;
    m_nKind = nKind;
    m_nRowIndex = nRowIndex;
    m_bMarked = TRUE;
}

void SECDockBar::Splitter::DrawDragRect(CDC* pDC, int nAt)
{
    CRect rect = m_rect;
    if (m_bVertical)
    {
        rect.OffsetRect(nAt - m_rect.left, 0);
        rect.DeflateRect(0, 1);
    }
    else
    {
        rect.OffsetRect(0, nAt - m_rect.top);
        rect.DeflateRect(1, 0);
    }
    const CSize band(DRAG_BAND, DRAG_BAND);
    pDC->DrawDragRect(&rect, band, m_rectDrag.IsRectNull() ? nullptr : &m_rectDrag, band);
    m_rectDrag = rect;
}

void SECDockBar::Splitter::EraseDragRect(CDC* pDC)
{
    if (m_rectDrag.IsRectNull())
        return;
    const CSize band(DRAG_BAND, DRAG_BAND);
    pDC->DrawDragRect(nullptr, band, &m_rectDrag, band);
    m_rectDrag.SetRectEmpty();
}

void SECDockBar::Splitter::Draw(CDC* pDC)
{
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    COLORREF clrFace = pAux->clrBtnFace;
    if (SECIsVisualStyle4())
        clrFace = STYLE4_SPLITTER;
    else if (SECIsVisualStyle3())
        clrFace = SECGetStyleColor2(2);
    const CRect& r = m_rect;
    if (m_bVertical)
    {
        pDC->FillSolidRect(r.left + 1, r.top, r.Width() - 3, r.Height(), clrFace);
        pDC->FillSolidRect(r.left, r.top, 1, r.Height(), pAux->clrBtnHilite);
        pDC->FillSolidRect(r.right - 2, r.top, 1, r.Height(), pAux->clrBtnShadow);
        pDC->FillSolidRect(r.right - 1, r.top, 1, r.Height(), pAux->clrWindowFrame);
    }
    else
    {
        pDC->FillSolidRect(r.left, r.top + 1, r.Width(), r.Height() - 3, clrFace);
        pDC->FillSolidRect(r.left, r.top, r.Width(), 1, pAux->clrBtnHilite);
        pDC->FillSolidRect(r.left, r.bottom - 2, r.Width(), 1, pAux->clrBtnShadow);
        pDC->FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, pAux->clrWindowFrame);
    }
}

SECDockBar::ClientEdge::ClientEdge(const CRect& rect, BOOL bVertical)
    : m_rect(rect), m_bVertical(bVertical), m_bMarked(TRUE)
{
}

void SECDockBar::ClientEdge::Reuse(BOOL bVertical)
{
    m_bVertical = bVertical;
    m_bMarked = TRUE;
}

void SECDockBar::ClientEdge::Draw(CDC* pDC)
{
    // The toolkit's own style runs the face straight into the frame.
    if (SECIsVisualStyle3())
        return;
    const SEC_AUX_DATA* pAux = SECGetAuxData();
    const CRect& r = m_rect;
    if (m_bVertical)
    {
        pDC->FillSolidRect(r.left, r.top, 1, r.Height(), pAux->clrBtnShadow);
        pDC->FillSolidRect(r.left + 1, r.top, 1, r.Height(), pAux->clrBtnHilite);
    }
    else
    {
        pDC->FillSolidRect(r.left, r.top, r.Width(), 1, pAux->clrBtnShadow);
        pDC->FillSolidRect(r.left, r.top + 1, r.Width(), 1, pAux->clrBtnHilite);
    }
}
} // namespace tarnwick::frames
