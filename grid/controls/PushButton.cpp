#include <grid/controls/PushButton.h>

#include <grid/controls/Child.h>
#include <grid/controls/SelectedFont.h>
#include <grid/core/Color.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>

const GXControlClass CGXPushbutton::classCGXPushbutton = {"CGXPushbutton", &CGXControl::classCGXControl};

CGXPushbutton::CGXPushbutton(CGXGridCore* pGrid) : CGXControl(pGrid), m_pButton(new CGXButton(this))
{
    AddChild(m_pButton);
}

CGXControl* CGXPushbutton::Create(CGXGridCore* pGrid)
{
    return new CGXPushbutton(pGrid);
}

const GXControlClass* CGXPushbutton::GetControlClass() const
{
    return &classCGXPushbutton;
}

void CGXPushbutton::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return;
    CRect rect;
    m_pButton->GetRect(rect);
    pGridWnd->InvalidateRect(rect, TRUE);
}

void CGXPushbutton::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect)
{
    const CGXStyle* pStyle = m_pGrid->GetComposedStyle(nRow, nCol);
    SetFocusChild(m_pButton);
    m_pButton->SetRect(rect);
    m_pButton->SetText(pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclChoiceList) ? pStyle->GetChoiceList()
                                                                                          : CString());
}

CSize CGXPushbutton::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int /*nDirection*/)
{
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, nullptr));
    const CString strCaption = style.GetInclude(CGXStyle::inclChoiceList) ? style.GetChoiceList() : CString();
    const CSize extent = pDC->GetTextExtent(strCaption);
    CSize size(extent.cx + 8, extent.cy + 4);
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

void CGXPushbutton::DrawCurrentCellFrame(CDC* /*pDC*/, const CRect& /*rect*/)
{
}

void CGXPushbutton::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                         const CGXStyle* pStandardStyle)
{
    if (rect.Width() < 2 || rect.Height() < 2)
        return;
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, pStandardStyle));
    DrawBackground(pDC, rect, style, TRUE);
    pDC->SetTextColor(GXResolveColor(style.GetTextColor()));
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}
