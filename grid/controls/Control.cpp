// The control base's data and the answers of a control that does nothing. The cell-control
// Parts give these operations their behaviour; until then a grid that uses a control sees an
// inactive, unmodified control without children or tip.
#include <grid/controls/Control.h>

#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>

#include <cstring>

namespace
{
constexpr WORD idsValidMin = 51011;
constexpr WORD idsValidMax = 51012;
constexpr WORD idsValidWarning = 51013;
} // namespace

const GXControlClass CGXControl::classCGXControl = {"CGXControl", nullptr};

CGXControl::CGXControl(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
}

CGXControl::~CGXControl()
{
    delete m_pStyle;
    delete m_pChildList;
    delete m_pCellTip;
}

BOOL CGXControl::IsControlKindOf(const GXControlClass* pClass) const
{
    for (const GXControlClass* pRecord = GetControlClass(); pRecord != nullptr; pRecord = pRecord->pBaseClass)
        if (pRecord == pClass || std::strcmp(pRecord->pszClassName, pClass->pszClassName) == 0)
            return TRUE;
    return FALSE;
}

BOOL CGXControl::IsActiveAt(ROWCOL nRow, ROWCOL nCol) const
{
    return m_bIsBound && m_nRow == static_cast<LONG>(nRow) && m_nCol == static_cast<LONG>(nCol);
}

void CGXControl::EnsureCellTip()
{
}

void CGXControl::RegisterUserAttributes(CGXStylesMap* /*pStylesMap*/)
{
}

const GXControlClass* CGXControl::GetControlClass() const
{
    return &classCGXControl;
}

CRuntimeClass* CGXControl::GetWindowClass() const
{
    return nullptr;
}

CWnd* CGXControl::GetControlWindow() const
{
    return nullptr;
}

void CGXControl::SetActive(BOOL /*bActive*/)
{
}

BOOL CGXControl::IsActive()
{
    return FALSE;
}

BOOL CGXControl::ReservedQuery()
{
    return FALSE;
}

void CGXControl::SetModified(BOOL /*bModified*/)
{
}

BOOL CGXControl::IsModified()
{
    return FALSE;
}

void CGXControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nRow = static_cast<LONG>(nRow);
    m_nCol = static_cast<LONG>(nCol);
    m_bIsBound = TRUE;
}

void CGXControl::Reset()
{
    m_bIsBound = FALSE;
}

BOOL CGXControl::StoreEditedValue()
{
    return FALSE;
}

BOOL CGXControl::ValidateValue()
{
    if (IsActive() && IsModified())
    {
        CString strText;
        GetCurrentText(strText);
        if (!strText.IsEmpty())
        {
            if (!IsWithinLimits(strText))
                return FALSE;
            if (!AcceptText(strText))
                return FALSE;
        }
    }
    return m_pGrid->OnValidateCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
}

BOOL CGXControl::IsWithinLimits(const CString& strText)
{
    const CGXStyle* pStyle = m_pGrid->GetComposedStyle(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    const CString strMin = pStyle->GetUserAttribute(idsValidMin).GetValue();
    const CString strMax = pStyle->GetUserAttribute(idsValidMax).GetValue();
    if (strMin.IsEmpty() && strMax.IsEmpty())
        return TRUE;
    CGXDrawingAndFormatting* pFormatting = DrawingAndFormattingInstance();
    double dValue = 0;
    double dLimit = 0;
    BOOL bValid = pFormatting->ParseNumber(strText, dValue, nullptr, nullptr);
    if (bValid && !strMin.IsEmpty() && pFormatting->ParseNumber(strMin, dLimit, nullptr, nullptr))
        bValid = dValue >= dLimit;
    if (bValid && !strMax.IsEmpty() && pFormatting->ParseNumber(strMax, dLimit, nullptr, nullptr))
        bValid = dValue <= dLimit;
    if (!bValid)
        m_pGrid->SetWarningText(pStyle->GetUserAttribute(idsValidWarning).GetValue());
    return bValid;
}

BOOL CGXControl::RequestEditing()
{
    return FALSE;
}

BOOL CGXControl::RequestCommit()
{
    return FALSE;
}

BOOL CGXControl::ReportChange()
{
    return FALSE;
}

BOOL CGXControl::ReportEditEnd()
{
    return FALSE;
}

BOOL CGXControl::ForwardHookA()
{
    return FALSE;
}

BOOL CGXControl::ForwardHookB(DWORD /*dwValue1*/, DWORD /*dwValue2*/)
{
    return FALSE;
}

BOOL CGXControl::ForwardHookC()
{
    return FALSE;
}

CRect CGXControl::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                    const CGXStyle* pStyle)
{
    if (pStyle == nullptr)
        pStyle = m_pGrid->GetComposedStyle(nRow, nCol);
    const CRect rectCell = pRect != nullptr ? *pRect : m_pGrid->CalcRectFromRowCol(nRow, nCol);
    CRect rectInner;
    m_pGrid->CalcCellInnerRect(rectInner, rectCell, *pStyle, TRUE);

    // The grid's closing line lies inside the last column and row.
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (pProperties != nullptr && (pParam == nullptr || !pParam->GetLinesRightBottom()))
    {
        if (pProperties->m_bVerticalLines && nCol > m_pGrid->GetHeaderCols() && nCol == m_pGrid->GetColCount() &&
            !pStyle->HasBorder(GXBorder::Right))
            --rectInner.right;
        if (pProperties->m_bHorizontalLines && nRow > m_pGrid->GetHeaderRows() && nRow == m_pGrid->GetRowCount() &&
            !pStyle->HasBorder(GXBorder::Bottom))
            --rectInner.bottom;
    }
    rectOut = rectInner;
    return rectOut;
}

CSize CGXControl::AddFrameToSize(CSize& size, CDC* /*pDC*/, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    if (pStyle == nullptr)
        pStyle = m_pGrid->GetComposedStyle(nRow, nCol);
    return m_pGrid->AddBorderSize(size, size.cx, size.cy, *pStyle);
}

CSize CGXControl::GetPreferredSize(CDC* /*pDC*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/,
                                   int /*nDirection*/)
{
    return CSize(0, 0);
}

BOOL CGXControl::CanFloatCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/, BOOL /*bFloatOrFlood*/)
{
    return FALSE;
}

BOOL CGXControl::CellHasValue(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style)
{
    return !style.GetValue().IsEmpty();
}

void CGXControl::DrawCurrentCellFrame(CDC* pDC, const CRect& rect)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    if (pParam == nullptr || pProperties == nullptr || pParam->m_bHideCurrentCellFrame ||
        (pParam->m_nCurrentCellFrameMode == 4 && GetControlWindow() != nullptr))
        return;
    const int nWhen = pParam->m_nCurrentCellFrameWhen;
    const CWnd* pGridWnd = m_pGrid->GridWnd();
    const BOOL bFocus =
        pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr && ::GetFocus() == pGridWnd->GetSafeHwnd();
    if (nWhen != 0 && !(nWhen == 2 && bFocus))
        return;

    const CString& strLook = pProperties->GetUserProperty(CGXProperties::idCurrentCellProperty).GetValue();
    if (strLook == pProperties->m_strFrameNoBorder)
        return;
    if (strLook == pProperties->m_strFrameThinBorder || strLook == pProperties->m_strFrameThickBorder)
    {
        GXPenRecord pen;
        pen.SetStyle(PS_SOLID).SetWidth(strLook == pProperties->m_strFrameThinBorder ? 1 : 2).SetColor(RGB(0, 0, 0));
        for (GXDrawSide side : {GXDrawSide::Left, GXDrawSide::Right, GXDrawSide::Top, GXDrawSide::Bottom})
            m_pGrid->DrawBorderLine(pen, rect, side, pDC, GXBrushRecord());
        return;
    }
    const int w = strLook == pProperties->m_strFrameInvertThick ? 2 : 1;
    GXInvertRect(pDC, CRect(rect.left, rect.top, rect.left + w, rect.bottom), nullptr);
    GXInvertRect(pDC, CRect(rect.right - w, rect.top, rect.right, rect.bottom), nullptr);
    GXInvertRect(pDC, CRect(rect.left + w, rect.top, rect.right - w, rect.top + w), nullptr);
    GXInvertRect(pDC, CRect(rect.left + w, rect.bottom - w, rect.right - w, rect.bottom), nullptr);
}

void CGXControl::Draw(CDC* /*pDC*/, CRect /*rect*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/,
                      const CGXStyle* /*pStandardStyle*/)
{
}

void CGXControl::GetCurrentText(CString& strText)
{
    strText.Empty();
}

BOOL CGXControl::StoreText(const CString& /*strText*/)
{
    return FALSE;
}

BOOL CGXControl::GetStyleValue(CString& /*strText*/)
{
    return FALSE;
}

void CGXControl::SetValue(LPCTSTR /*pszText*/)
{
}

BOOL CGXControl::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                   const CGXStyle& style)
{
    if (pszText == nullptr && !style.GetInclude(CGXStyle::inclValue))
        return FALSE;
    if (style.GetInclude(CGXStyle::inclFormat))
        DrawingAndFormattingInstance()->GetFormattedText(strOut, style, pszText, style.GetValueType());
    else
        strOut = pszText != nullptr ? CString(pszText) : style.GetValue();
    return TRUE;
}

BOOL CGXControl::StoreValue(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CString& /*strText*/, const CGXStyle* /*pStyle*/)
{
    return FALSE;
}

BOOL CGXControl::CanStoreValue(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CString& /*strText*/, const CGXStyle* /*pStyle*/)
{
    return TRUE;
}

BOOL CGXControl::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    return m_pGrid->StoreStyleRowCol(nRow, nCol, pStyle, nMode, nType);
}

BOOL CGXControl::GetEditedCellText(ROWCOL /*nRow*/, ROWCOL /*nCol*/, CString& /*strText*/)
{
    return FALSE;
}

BOOL CGXControl::GetChoiceItem(CString& strItem, LPCTSTR pszChoiceList, int nIndex)
{
    strItem.Empty();
    if (pszChoiceList == nullptr || nIndex < 0)
        return FALSE;
    CString strList(pszChoiceList);
    for (int n = 0; n <= nIndex; ++n)
    {
        if (strList.IsEmpty())
        {
            strItem.Empty();
            return FALSE;
        }
        GXSplitFirstLine(strList, strItem);
    }
    return TRUE;
}

int CGXControl::FindChoiceItem(CString& strItem, LPCTSTR pszText, LPCTSTR pszChoiceList, BOOL bExactOnly)
{
    const CString strText(pszText);
    if (strText.IsEmpty() || pszChoiceList == nullptr)
    {
        strItem.Empty();
        return -1;
    }
    CString strList(pszChoiceList);
    CString strLine;
    CString strPrefixLine;
    int nPrefix = -1;
    for (int n = 0; !strList.IsEmpty(); ++n)
    {
        GXSplitFirstLine(strList, strLine);
        if (strLine.CompareNoCase(strText) == 0)
        {
            strItem = strLine;
            return n;
        }
        if (nPrefix < 0 && strLine.Left(strText.GetLength()).CompareNoCase(strText) == 0)
        {
            nPrefix = n;
            strPrefixLine = strLine;
        }
    }
    if (bExactOnly)
    {
        strItem.Empty();
        return -1;
    }
    strItem = strPrefixLine;
    return nPrefix;
}

void CGXControl::HideControl()
{
}

void CGXControl::RefreshCell()
{
}

BOOL CGXControl::OnMouseMove(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnMouseOver(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnLButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnMButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnMButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnMButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnRButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::OnRButtonDblClk(UINT /*nFlags*/, CPoint /*point*/)
{
    return FALSE;
}

BOOL CGXControl::ReservedHookA(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

BOOL CGXControl::ReservedHookB(DWORD /*dwValue*/)
{
    return FALSE;
}

BOOL CGXControl::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nMessage)
    {
    case WM_KEYDOWN:
        return OnKeyDown(nChar, nRepCnt, nFlags);
    case WM_KEYUP:
        return OnKeyUp(nChar, nRepCnt, nFlags);
    case WM_CHAR:
        return OnCharUnit(nChar, nRepCnt, nFlags);
    case WM_DEADCHAR:
        return OnDeadChar(nChar, nRepCnt, nFlags);
    case WM_SYSKEYDOWN:
        return OnSysKeyDown(nChar, nRepCnt, nFlags);
    case WM_SYSKEYUP:
        return OnSysKeyUp(nChar, nRepCnt, nFlags);
    case WM_SYSCHAR:
        return OnSysChar(nChar, nRepCnt, nFlags);
    case WM_SYSDEADCHAR:
        return OnSysDeadChar(nChar, nRepCnt, nFlags);
    default:
        return FALSE;
    }
}

BOOL CGXControl::OnCharUnit(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const WCHAR chUnit = static_cast<WCHAR>(nChar);
    if (m_bLeadUnitPending)
    {
        m_bLeadUnitPending = FALSE;
        const WCHAR pair[] = {m_chLeadUnit, chUnit, 0};
        return OnCharText(CString(pair));
    }
    // The first half of a character beyond the basic plane waits for its second half.
    if (IS_HIGH_SURROGATE(chUnit))
    {
        m_bLeadUnitPending = TRUE;
        m_chLeadUnit = chUnit;
        return TRUE;
    }
    return OnChar(nChar, nRepCnt, nFlags);
}

BOOL CGXControl::OnKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnKeyUp(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnCharText(const CString& /*strText*/)
{
    return FALSE;
}

BOOL CGXControl::OnDeadChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnSysKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnSysKeyUp(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnSysChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::OnSysDeadChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
}

BOOL CGXControl::CopyToClipboard()
{
    return FALSE;
}

BOOL CGXControl::PasteFromClipboard()
{
    return FALSE;
}

BOOL CGXControl::CutToClipboard()
{
    return FALSE;
}

BOOL CGXControl::IsBoundToCell()
{
    return m_bIsBound;
}

BOOL CGXControl::CanCut()
{
    return FALSE;
}

BOOL CGXControl::CanPaste()
{
    return FALSE;
}

void CGXControl::GetValueForCopy(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/, CString& strText)
{
    strText.Empty();
}

LRESULT CGXControl::ForwardFeatureA(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/,
                                    DWORD /*dwValue5*/)
{
    return 0;
}

LRESULT CGXControl::ForwardFeatureB(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    return 0;
}

void CGXControl::SetCellText(const CString& /*strText*/)
{
}

void CGXControl::GetCopyText(CString& strText)
{
    strText.Empty();
}

BOOL CGXControl::OnChildClicked(CGXChild* /*pChild*/)
{
    return FALSE;
}

BOOL CGXControl::OnGridCommand(WORD /*wCommand*/, HWND /*hWnd*/)
{
    return FALSE;
}

LRESULT CGXControl::OnGridScroll(const MSG& /*msg*/)
{
    return 0;
}

BOOL CGXControl::ReservedHookD(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    return FALSE;
}

void CGXControl::NotifyChildrenA(DWORD /*dwValue*/)
{
}

void CGXControl::NotifyChildrenB()
{
}

BOOL CGXControl::IsReadOnlyCell()
{
    return FALSE;
}

void CGXControl::CancelChildTracking()
{
}

DWORD CGXControl::QueryTipA(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return m_pCellTip != nullptr ? m_pCellTip->QueryTipA(nRow, nCol, style) : 0;
}

DWORD CGXControl::QueryTipB(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return m_pCellTip != nullptr ? m_pCellTip->QueryTipB(nRow, nCol, style) : 0x7FFFFFFF;
}

void CGXControl::ShowTip(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CWnd* pTipWnd)
{
    if (m_pCellTip != nullptr)
        m_pCellTip->ShowTip(nRow, nCol, style, pTipWnd);
}

BOOL CGXControl::ReservedQueryB()
{
    return FALSE;
}

void CGXControl::AddChild(CGXChild* /*pChild*/)
{
}

void CGXControl::RemoveChild(CGXChild* /*pChild*/)
{
}

CGXChild* CGXControl::GetChild(INT_PTR /*nIndex*/)
{
    AfxThrowInvalidArgException();
}

INT_PTR CGXControl::GetChildCount()
{
    return 0;
}

CGXChild* CGXControl::GetFocusChild()
{
    return m_pFocusChild;
}

void CGXControl::SetFocusChild(CGXChild* pChild)
{
    m_pFocusChild = pChild;
}

void CGXControl::LayoutChildren(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CRect& /*rect*/)
{
}

void CGXControl::DrawBackground(CDC* pDC, const CRect& rect, const CGXStyle& style, BOOL bForce)
{
    if (!bForce && (m_pGrid->IsTransparentBackground() || m_pGrid->IsBackgroundDrawnByGrid()))
        return;
    const GXBrushRecord& brush = style.GetInterior();
    if (brush.GetStyle() != BS_NULL)
    {
        const CGXProperties* pProperties = m_pGrid->GetProperties();
        if (pProperties != nullptr && pProperties->IsBlackWhiteOutput())
        {
            GXBrushRecord brushWhite = brush;
            brushWhite.SetColor(RGB(255, 255, 255)).SetBkColor(RGB(255, 255, 255));
            m_pGrid->FillBrushRect(pDC, rect, brushWhite);
        }
        else
            m_pGrid->FillBrushRect(pDC, rect, brush);
    }
    Draw3dEffect(pDC, rect, style);
}

BOOL CGXControl::Draw3dEffect(CDC* pDC, const CRect& rect, const CGXStyle& style)
{
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    if (pProperties != nullptr && pProperties->IsBlackWhiteOutput())
        return FALSE;
    if (!style.GetInclude(CGXStyle::inclDraw3dFrame))
        return FALSE;
    const int nKind = style.GetDraw3dFrame();
    if (nKind != 1 && nKind != 2)
        return FALSE;
    CRect rectInner;
    m_pGrid->CalcCellInnerRect(rectInner, rect, style, TRUE);
    const COLORREF rgbLight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF rgbDark = RGB(0, 0, 0);
    DrawingAndFormattingInstance()->DrawFrameRings(pDC, rectInner.left - 1, rectInner.top - 1, rectInner.right - 1,
                                                   rectInner.bottom - 1, 1, nKind == 1 ? rgbLight : rgbDark,
                                                   nKind == 1 ? rgbDark : rgbLight);
    return TRUE;
}

BOOL CGXControl::AcceptText(LPCTSTR /*pszText*/)
{
    return TRUE;
}

BOOL CGXControl::AcceptPasteText(LPCTSTR /*pszText*/)
{
    return TRUE;
}

void CGXControl::ReservedHookE(DWORD /*dwValue*/)
{
}

LRESULT CGXControl::ForwardFeatureC(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/)
{
    return 0;
}
