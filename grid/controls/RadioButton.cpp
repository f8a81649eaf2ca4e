#include <grid/controls/RadioButton.h>

#include <grid/controls/Child.h>
#include <grid/controls/SelectedFont.h>
#include <grid/core/Color.h>
#include <grid/core/DrawState.h>
#include <grid/core/GridCore.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/ThreadState.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>
#include <vsstyle.h>

namespace
{
constexpr int nCircle = 12;
constexpr int nButtonWidth = 18;
constexpr int nLabelGap = 2;
constexpr int nImageTop = 13;
constexpr int nImageWidth = 14;
constexpr int nImageHeight = 13;
static_assert(BP_RADIOBUTTON == 2 && RBS_CHECKEDNORMAL == 5 && RBS_UNCHECKEDNORMAL == 1);

// The thread's 3-d images selected into a memory DC for one drawing.
class RadioButtonImages
{
public:
    explicit RadioButtonImages(CDC* pDC)
    {
        CBitmap& bitmap = GXGetThreadState<GX_DRAW_STATE>()->m_bmpRadioButton;
        if (bitmap.m_hObject == nullptr && !bitmap.LoadBitmap(CGXRadioButton::idRadioButtonImages))
            return;
        if (!m_dc.CreateCompatibleDC(pDC))
            return;
        m_pOld = m_dc.SelectObject(&bitmap);
    }
    ~RadioButtonImages()
    {
        if (m_pOld != nullptr)
            m_dc.SelectObject(m_pOld);
    }
    RadioButtonImages(const RadioButtonImages&) = delete;
    RadioButtonImages& operator=(const RadioButtonImages&) = delete;

    CDC* Dc()
    {
        return m_pOld != nullptr ? &m_dc : nullptr;
    }

private:
    CDC m_dc;
    CBitmap* m_pOld = nullptr;
};

int TextWidth(CDC* pDC, const CString& strText)
{
    return pDC->GetTextExtent(strText).cx;
}
} // namespace

void GXDrawRadioButton(CGXControl& control, BOOL bChecked, CDC* pDC, CRect rect, BOOL bDraw3d, CDC* pMemDC)
{
    const CRect box(rect.left + 3, rect.top + (rect.Height() - nCircle) / 2, rect.left + 3 + nCircle,
                    rect.top + (rect.Height() - nCircle) / 2 + nCircle);
    if (control.DrawThemedPart(pDC, L"BUTTON", BP_RADIOBUTTON, bChecked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL, box))
        return;
    if (!bDraw3d)
    {
        CPen* pOldPen = static_cast<CPen*>(pDC->SelectStockObject(BLACK_PEN));
        CBrush* pOldBrush = static_cast<CBrush*>(pDC->SelectStockObject(WHITE_BRUSH));
        pDC->Ellipse(box);
        if (bChecked)
        {
            CRect dot = box;
            dot.DeflateRect(2, 2);
            pDC->SelectStockObject(BLACK_BRUSH);
            pDC->Ellipse(dot);
        }
        pDC->SelectObject(pOldBrush);
        pDC->SelectObject(pOldPen);
        return;
    }
    if (pMemDC != nullptr)
        pDC->BitBlt(box.left, box.top, nImageWidth, nImageHeight, pMemDC, bChecked ? nImageWidth : 0, nImageTop,
                    SRCCOPY);
}

const GXControlClass CGXRadioButton::classCGXRadioButton = {"CGXRadioButton", &CGXControl::classCGXControl};

CGXRadioButton::CGXRadioButton(CGXGridCore* pGrid, BOOL bDraw3d) : CGXControl(pGrid), m_bDraw3d(bDraw3d)
{
}

CGXControl* CGXRadioButton::CreateFlat(CGXGridCore* pGrid)
{
    return new CGXRadioButton(pGrid, FALSE);
}

CGXControl* CGXRadioButton::Create3d(CGXGridCore* pGrid)
{
    return new CGXRadioButton(pGrid, TRUE);
}

const GXControlClass* CGXRadioButton::GetControlClass() const
{
    return &classCGXRadioButton;
}

int CGXRadioButton::LineHeight(CDC* pDC)
{
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    return std::max(nCircle, static_cast<int>(tm.tmHeight + tm.tmExternalLeading));
}

std::vector<CString> CGXRadioButton::SplitChoices(const CString& strChoices)
{
    std::vector<CString> lines;
    int nPos = 0;
    for (CString strLine = strChoices.Tokenize(_T("\r\n"), nPos); nPos >= 0;
         strLine = strChoices.Tokenize(_T("\r\n"), nPos))
        lines.push_back(strLine);
    return lines;
}

int CGXRadioButton::SelectedIndex(const CGXStyle& style)
{
    const CString strValue = style.GetInclude(CGXStyle::inclValue) ? style.GetValue() : CString();
    return strValue.IsEmpty() ? -1 : _ttoi(strValue);
}

std::vector<GXRadioButtonPlace> CGXRadioButton::LayoutButtons(CDC* pDC, const CRect& rect, const CGXStyle& style,
                                                              const GXRadioButtonLayout& layout)
{
    const std::vector<CString> labels =
        SplitChoices(style.GetInclude(CGXStyle::inclChoiceList) ? style.GetChoiceList() : CString());
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    const int h = LineHeight(pDC);
    const int w = std::max(nCircle, static_cast<int>(tm.tmMaxCharWidth));
    std::vector<GXRadioButtonPlace> places;
    int x = rect.left;
    for (size_t i = 0; i < labels.size(); ++i)
    {
        const int nTop = layout.bHorizontal ? rect.top : rect.top + static_cast<int>(i) * h;
        const int nText = TextWidth(pDC, labels[i]);
        GXRadioButtonPlace place{CRect(), CRect(), labels[i]};
        if (!layout.bHorizontal)
            x = rect.left;
        if (layout.bLabelRight)
        {
            place.rectButton.SetRect(x, nTop, x + (layout.bHorizontal ? w : nButtonWidth), nTop + h);
            place.rectLabel.SetRect(x + nButtonWidth, nTop, x + nButtonWidth + nText, nTop + h);
            x = place.rectLabel.right + nLabelGap;
        }
        else
        {
            place.rectLabel.SetRect(x + 3, nTop, x + 3 + nText, nTop + h);
            place.rectButton.SetRect(place.rectLabel.right, nTop,
                                     place.rectLabel.right + (layout.bHorizontal ? nButtonWidth : nCircle), nTop + h);
            x = place.rectButton.right + w - 3;
        }
        places.push_back(place);
    }
    return places;
}

int CGXRadioButton::DrawButtons(CGXControl& control, CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
                                const CGXStyle& style, const CGXStyle* pStandardStyle,
                                const GXRadioButtonLayout& layout, BOOL bDraw3d)
{
    CGXGridCore* pGrid = control.Grid();
    const CGXSelectedFont font(pDC, pGrid->LoadFont(pDC, style, pStandardStyle));
    const CGXProperties* pProperties = pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
    pDC->SetTextColor(bBlackWhite ? RGB(0, 0, 0) : GXResolveColor(style.GetTextColor()));
    pDC->SetBkColor(bBlackWhite ? RGB(255, 255, 255) : GXResolveColor(style.GetInterior().GetColor()));
    control.DrawBackground(pDC, rect, style, FALSE);
    pDC->SetBkMode(TRANSPARENT);

    CRect rectClient;
    control.GetCellClientRect(rectClient, nRow, nCol, &rect, &style);
    const std::vector<GXRadioButtonPlace> places = LayoutButtons(pDC, rectClient, style, layout);
    const int nSelected = SelectedIndex(style);
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rect);
    RadioButtonImages images(pDC);
    if (!bDraw3d || images.Dc() != nullptr)
    {
        for (size_t i = 0; i < places.size(); ++i)
        {
            GXDrawRadioButton(control, static_cast<int>(i) == nSelected, pDC, places[i].rectButton, bDraw3d,
                              images.Dc());
            CRect rectText = places[i].rectLabel;
            pDC->DrawText(places[i].strLabel, rectText, DT_SINGLELINE);
        }
    }
    pDC->RestoreDC(nSaved);
    control.CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    return static_cast<int>(places.size());
}

int CGXRadioButton::HitTestButtons(CGXControl& control, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CPoint point,
                                   const GXRadioButtonLayout& layout)
{
    CGXGridCore* pGrid = control.Grid();
    const ROWCOL nTopRow = pGrid->GetTopRow();
    const ROWCOL nLeftCol = pGrid->GetLeftCol();
    if (nRow > pGrid->GetFrozenRows() && nRow < nTopRow)
        point.y += pGrid->CalcSumOfRowHeights(nRow, nTopRow - 1);
    if (nCol > pGrid->GetFrozenCols() && nCol < nLeftCol)
        point.x += pGrid->CalcSumOfColWidths(nCol, nLeftCol - 1);
    CClientDC dc(control.GetGridWnd());
    pGrid->OnGridPrepareDC(&dc, nullptr);
    const CGXSelectedFont font(&dc, pGrid->LoadFont(&dc, style, nullptr));
    CRect rectClient;
    control.GetCellClientRect(rectClient, nRow, nCol, nullptr, &style);
    const std::vector<GXRadioButtonPlace> places = LayoutButtons(&dc, rectClient, style, layout);
    for (size_t i = 0; i < places.size(); ++i)
    {
        if (places[i].rectButton.PtInRect(point) || places[i].rectLabel.PtInRect(point))
            return static_cast<int>(i);
    }
    return -1;
}

void CGXRadioButton::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    m_nRadioBtns = DrawButtons(*this, pDC, rect, nRow, nCol, style, pStandardStyle, GXRadioButtonLayout(), m_bDraw3d);
}

CSize CGXRadioButton::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int /*nDirection*/)
{
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, nullptr));
    const std::vector<CString> labels =
        SplitChoices(style.GetInclude(CGXStyle::inclChoiceList) ? style.GetChoiceList() : CString());
    int nWidth = 0;
    for (const CString& strLabel : labels)
        nWidth = std::max(nWidth, TextWidth(pDC, strLabel));
    CSize size(nWidth + 22, LineHeight(pDC) * static_cast<int>(labels.size()) + 4);
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

BOOL CGXRadioButton::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!IsBoundToCell() || IsReadOnlyCell())
        return FALSE;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const CGXStyle& style = *m_pGrid->GetComposedStyle(nRow, nCol);
    const int nCurrent = SelectedIndex(style);
    const int nIndex = HitTestButtons(*this, nRow, nCol, style, point, GXRadioButtonLayout());
    m_pGrid->SetSkipScrollInView(TRUE);
    if (nIndex != -1 && nIndex != nCurrent && RequestEditing())
    {
        CString strValue;
        strValue.Format(_T("%d"), nIndex);
        m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue, 0, GX_UPDATENOW);
    }
    if (nIndex != -1)
        OnChildClicked(nullptr);
    return CGXControl::OnLButtonUp(nFlags, point);
}

BOOL CGXRadioButton::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (nMessage != WM_CHAR || nChar != _T(' ') || !IsBoundToCell() || IsReadOnlyCell())
        return FALSE;
    int nNext = SelectedIndex(*LoadStyle()) + 1;
    if (nNext >= m_nRadioBtns)
        nNext = 0;
    CString strValue;
    strValue.Format(_T("%d"), nNext);
    m_pGrid->SetValueRange(CGXRange(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)), strValue, 0,
                           GX_UPDATENOW);
    OnChildClicked(nullptr);
    return TRUE;
}
