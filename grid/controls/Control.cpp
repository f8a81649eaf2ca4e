// The control base: binding to a cell, the grid's editing hooks, values and their validation,
// choice lists, the children inside the cell with their mouse and keys, the clipboard and the
// drawing that every control shares.
#include <grid/controls/Control.h>

#include <grid/controls/CellTipStatic.h>
#include <grid/controls/Child.h>
#include <grid/controls/ClipboardText.h>
#include <grid/controls/EditLock.h>
#include <grid/controls/KeyDispatch.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/VisualStyle.h>

#include <cstring>
#include <memory>

namespace
{
constexpr int modeStoreRemove = 4;

BOOL IsStyleReadOnly(const CGXStyle* pStyle)
{
    return pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclReadOnly) && pStyle->GetReadOnly();
}
} // namespace

const GXControlClass CGXControl::classCGXControl = {"CGXControl", nullptr};

CGXControl::CGXControl(CGXGridCore* pGrid) : m_pGrid(pGrid)
{
}

CGXControl::~CGXControl()
{
    delete m_pStyle;
    if (m_pChildList != nullptr)
    {
        for (POSITION pos = m_pChildList->GetHeadPosition(); pos != nullptr;)
            delete static_cast<CGXChild*>(m_pChildList->GetNext(pos));
        delete m_pChildList;
    }
    delete m_pCellTip;
}

BOOL CGXControl::IsControlKindOf(const GXControlClass* pClass) const
{
    for (const GXControlClass* pRecord = GetControlClass(); pRecord != nullptr; pRecord = pRecord->pBaseClass)
        if (pRecord == pClass || std::strcmp(pRecord->pszClassName, pClass->pszClassName) == 0)
            return TRUE;
    return FALSE;
}

BOOL CGXControl::IsWindowKindOf(const CRuntimeClass* pClass) const
{
    CWnd* pWnd = GetControlWindow();
    return pWnd != nullptr && pWnd->IsKindOf(pClass);
}

BOOL CGXControl::IsActiveAt(ROWCOL nRow, ROWCOL nCol) const
{
    return m_bIsBound && m_nRow == static_cast<LONG>(nRow) && m_nCol == static_cast<LONG>(nCol);
}

CWnd* CGXControl::GetGridWnd() const
{
    return m_pGrid->GridWnd();
}

CGXStyle* CGXControl::LoadStyle()
{
    if (m_pStyle == nullptr)
    {
        m_pStyle = new CGXStyle;
        m_pGrid->ComposeStyleRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), m_pStyle, TRUE);
    }
    return m_pStyle;
}

void CGXControl::FreeStyle(BOOL bNotify)
{
    delete m_pStyle;
    m_pStyle = nullptr;
    if (bNotify && m_bIsBound)
        DropGridStyleCache();
}

BOOL CGXControl::SetWindowControlActive(BOOL& bIsActive, BOOL bActive, BOOL bWindow, BOOL bNotify)
{
    if (bActive && !bIsActive && bWindow)
    {
        bIsActive = TRUE;
        FreeStyle(bNotify);
        LoadStyle();
        return TRUE;
    }
    bIsActive = bActive && bWindow;
    return FALSE;
}

BOOL CGXControl::ProcessEditKey(UINT nChar, const std::function<void(BOOL bEnd)>& placeCaret,
                                const std::function<void()>& clear)
{
    const CWnd* pWnd = GetControlWindow();
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr || GXIsKeyDown(VK_CONTROL))
        return FALSE;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    switch (nChar)
    {
    case VK_END:
    case VK_HOME:
        if (!RequestEditing())
            return FALSE;
        if (!m_bIsBound)
            Init(nRow, nCol);
        SetActive(TRUE);
        placeCaret(nChar == VK_END);
        break;
    case VK_DELETE:
        if (GXIsEditLocked(m_pGrid->GetParam()) || IsReadOnlyCell() || GXIsKeyDown(VK_SHIFT) || !ForwardHookC() ||
            !RequestEditing())
            return FALSE;
        SetActive(TRUE);
        clear();
        break;
    default:
        return FALSE;
    }
    if (!m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE))
        RefreshCell();
    return TRUE;
}

BOOL CGXControl::ProcessClipboardChar(UINT nChar, BOOL bClearFirst)
{
    if (nChar != GX_CTRL_C && nChar != GX_CTRL_V && nChar != GX_CTRL_X)
        return FALSE;
    if (nChar == GX_CTRL_V)
    {
        PasteFromClipboard();
        return TRUE;
    }
    if (bClearFirst)
        CGXClipboardText::Clear(GetControlWindow());
    if (nChar == GX_CTRL_C)
        CopyToClipboard();
    else
        CutToClipboard();
    return TRUE;
}

void CGXControl::DropGridStyleCache()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    CGXStyle* pCached = nullptr;
    if (m_pGrid->LookupCachedStyle(nRow, nCol, pCached))
    {
        // A drawing pass may still read it: the grid deletes it with its other spent styles.
        m_pGrid->m_StyleCache.RemoveKey(GXDWORDPAIR{nRow, nCol});
        m_pGrid->m_StylesToDelete.AddTail(pCached);
    }
    if (m_pGrid->IsCurrentCell(nRow, nCol) && m_pGrid->m_pCurrentCellStyle != nullptr)
        m_pGrid->m_pCurrentCellStyle->Free();
}

UINT CGXControl::TextAlignment(const CGXStyle& style)
{
    UINT nAlign = 0;
    if (style.GetInclude(CGXStyle::inclHorizontalAlignment))
        nAlign |= static_cast<UINT>(style.GetHorizontalAlignment());
    if (style.GetInclude(CGXStyle::inclVerticalAlignment))
        nAlign |= static_cast<UINT>(style.GetVerticalAlignment());
    return nAlign;
}

void CGXControl::EnsureCellTip()
{
    if (m_pCellTip == nullptr)
        m_pCellTip = new CGXCellTipStatic(this);
}

void CGXControl::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    const CGXStyle text;
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_WARNING, &text);
    CGXStyle spin;
    spin.SetControl(GX_IDS_CTRL_SPIN_EDIT);
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_MAX, &spin);
    pStylesMap->AddUserAttribute(GX_IDS_UA_VALID_MIN, &spin);
    CGXStyle checkBox;
    checkBox.SetControl(GX_IDS_CTRL_CHECKBOX_3D);
    pStylesMap->AddUserAttribute(GX_IDS_UA_RTL_READING, &checkBox);
}

void CGXControl::SetFocusToGridIfNeeded(CWnd* pWnd)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pWnd == nullptr || pGridWnd == nullptr || pWnd->GetSafeHwnd() == pGridWnd->GetSafeHwnd() ||
        m_pGrid->m_bLockFocus)
        return;
    pGridWnd->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(pWnd->GetSafeHwnd()));
}

void CGXControl::LockGridFocus(BOOL bLock)
{
    m_pGrid->m_bLockFocus = bLock;
}

tarnwick::foundation::SECScopedValue<BOOL> CGXControl::ScopedGridFocusLock()
{
    return {m_pGrid->m_bLockFocus, TRUE};
}

BOOL CGXControl::DrawThemedPart(CDC* pDC, LPCWSTR pszClass, int nPart, int nState, const CRect& rect, UINT nEdge)
{
    return SECIsAppThemed() && SECIsThemeActive() &&
           CGXButton::DrawPartWith(m_pGrid->GetThemeData(pszClass), pDC, nPart, nState, rect, nEdge);
}

void CGXControl::EraseControlWindow(CWnd* pWnd, HDC hDC)
{
    CDC* pDC = CDC::FromHandle(hDC);
    CRect rect;
    pWnd->GetClientRect(rect);
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    if (m_pStyle != nullptr && m_pStyle->GetInclude(CGXStyle::inclInterior))
    {
        CBrush brush(m_pStyle->GetInterior().GetColor());
        pDC->FillRect(rect, &brush);
    }
}

void CGXControl::AddRectToGridList(const CRect& rect)
{
    m_pGrid->m_CleanRects.AddTail(new CRect(rect));
}

void CGXControl::TakeFocusFromGrid(CWnd* pWnd)
{
    if (::GetFocus() != GetGridWnd()->GetSafeHwnd())
        return;
    const auto lock = ScopedGridFocusLock();
    pWnd->SetFocus();
}

void CGXControl::RepaintClipBoxOnly(CWnd* pWnd, const CRect& rectCell, CRect rectClip)
{
    CWnd* pGridWnd = GetGridWnd();
    CRect rectGrid;
    m_pGrid->GetGridRect(&rectGrid);
    CRect rectVisible;
    rectVisible.IntersectRect(rectCell, rectGrid);
    pGridWnd->MapWindowPoints(pWnd, rectVisible);
    pWnd->ValidateRect(rectVisible);
    pGridWnd->MapWindowPoints(pWnd, rectClip);
    pWnd->InvalidateRect(rectClip, TRUE);
}

void CGXControl::FormatWithDrawingService(CString& strOut, const CGXStyle& style, LPCTSTR pszValue)
{
    DrawingAndFormattingInstance()->GetFormattedText(strOut, style, pszValue, style.GetValueType());
}

BOOL CGXControl::IsLockedReadOnly(const CGXStyle* pStyle)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam == nullptr || !pParam->m_bLockReadOnly)
        return FALSE;
    return m_pGrid->IsReadOnly() || IsStyleReadOnly(pStyle);
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
    SetActive(FALSE);
    SetModified(FALSE);
    FreeStyle(FALSE);
    SetFocusChild(nullptr);
    LayoutBoundCell();
}

void CGXControl::Reset()
{
    if (m_bIsBound && (IsModified() || IsActive()))
        m_pGrid->RedrawRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    HideControl();
    SetModified(FALSE);
    SetActive(FALSE);
    FreeStyle(TRUE);
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
        if (!strText.IsEmpty() && !IsWithinLimits(strText))
            return FALSE;
        if (!AcceptText(strText))
            return FALSE;
    }
    return m_pGrid->OnValidateCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
}

BOOL CGXControl::IsWithinLimits(const CString& strText)
{
    const CGXStyle* pStyle = m_pGrid->GetComposedStyle(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    const CString strMin = pStyle->GetUserAttribute(GX_IDS_UA_VALID_MIN).GetValue();
    const CString strMax = pStyle->GetUserAttribute(GX_IDS_UA_VALID_MAX).GetValue();
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
        m_pGrid->SetWarningText(pStyle->GetUserAttribute(GX_IDS_UA_VALID_WARNING).GetValue());
    return bValid;
}

BOOL CGXControl::RequestEditing()
{
    if (!m_bIsBound)
        return FALSE;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (!m_pGrid->OnStartEditing(nRow, nCol))
        return FALSE;
    // While the grid's update is locked the headers are not marked.
    if (!m_pGrid->m_bLockUpdate)
        m_pGrid->MarkEditHeader(nRow, nCol, 2, 1);
    return TRUE;
}

BOOL CGXControl::RequestCommit()
{
    return IsModified() && m_pGrid->OnModifyCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
}

BOOL CGXControl::ReportChange()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (!m_pGrid->OnCanceledEditing(nRow, nCol))
        return FALSE;
    m_pGrid->RedrawRowCol(nRow, nCol);
    return TRUE;
}

BOOL CGXControl::ReportEditEnd()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const BOOL bResult = m_pGrid->OnEndEditing(nRow, nCol);
    m_pGrid->RedrawRowCol(nRow, nCol, GX_INVALIDATE, FALSE);
    return bResult;
}

// The grid has no notification of its own for a reloaded or a left cell yet; it lets both.
BOOL CGXControl::ForwardHookA()
{
    return TRUE;
}

BOOL CGXControl::ForwardHookB(DWORD /*dwValue1*/, DWORD /*dwValue2*/)
{
    return TRUE;
}

BOOL CGXControl::ForwardHookC()
{
    return m_pGrid->OnDeleteCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
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

void CGXControl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                      const CGXStyle* /*pStandardStyle*/)
{
    CRect rectClient;
    GetCellClientRect(rectClient, nRow, nCol, &rect, &style);
    LayoutChildren(nRow, nCol, rectClient);
    if (m_pChildList == nullptr)
        return;
    const CWnd* pGridWnd = GetGridWnd();
    const BOOL bFocus = m_pGrid->IsCurrentCell(nRow, nCol) && !m_pGrid->IsPrinting() && pGridWnd != nullptr &&
                        pGridWnd->GetSafeHwnd() != nullptr && ::GetFocus() == pGridWnd->GetSafeHwnd();
    for (POSITION pos = m_pChildList->GetHeadPosition(); pos != nullptr;)
        static_cast<CGXChild*>(m_pChildList->GetNext(pos))->Draw(pDC, bFocus, &style);
}

void CGXControl::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (m_pStyle != nullptr && m_pStyle->GetInclude(CGXStyle::inclValue))
        strText = m_pStyle->GetValue();
    else if (m_bIsBound)
        FormatDisplayText(strText, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, *LoadStyle());
}

BOOL CGXControl::StoreText(const CString& strText)
{
    return m_bIsBound && m_pGrid->StoreCellValue(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), strText,
                                                 GX_UPDATENOW, LoadStyle());
}

BOOL CGXControl::GetStyleValue(CString& strText)
{
    if (!m_bIsBound || !LoadStyle()->GetInclude(CGXStyle::inclValue))
        return FALSE;
    strText = m_pStyle->GetValue();
    return TRUE;
}

void CGXControl::SetValue(LPCTSTR pszText)
{
    if (!m_bIsBound)
        return;
    LoadStyle()->SetValue(pszText);
    m_pGrid->RedrawRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_INVALIDATE | GX_UPDATENOW);
}

BOOL CGXControl::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                   const CGXStyle& style)
{
    if (pszText == nullptr && !style.GetInclude(CGXStyle::inclValue))
        return FALSE;
    if (style.GetInclude(CGXStyle::inclFormat))
        FormatWithDrawingService(strOut, style, pszText);
    else
        strOut = pszText != nullptr ? CString(pszText) : style.GetValue();
    return TRUE;
}

BOOL CGXControl::StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<CGXStyle> composed;
    if (pStyle == nullptr)
    {
        composed.reset(new CGXStyle);
        m_pGrid->ComposeStyleRowCol(nRow, nCol, composed.get(), TRUE);
        pStyle = composed.get();
    }
    CString strValue = strText;
    if (!CanStoreValue(nRow, nCol, strValue, pStyle) || IsLockedReadOnly(pStyle))
        return FALSE;
    const int nMaxLength = pStyle->GetInclude(CGXStyle::inclMaxLength) ? pStyle->GetMaxLength() : 0;
    if (nMaxLength > 0 && strValue.GetLength() > nMaxLength)
        strValue = strValue.Left(nMaxLength);
    return m_pGrid->StoreCellValue(nRow, nCol, strValue, GX_INVALIDATE, pStyle);
}

BOOL CGXControl::CanStoreValue(ROWCOL /*nRow*/, ROWCOL /*nCol*/, CString& /*strText*/, const CGXStyle* /*pStyle*/)
{
    return TRUE;
}

BOOL CGXControl::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (IsLockedReadOnly(pStyle))
        return FALSE;
    const BOOL bStored = m_pGrid->StoreStyleRowCol(nRow, nCol, pStyle, nMode, nType);
    if (!bStored || !m_pGrid->IsCurrentCell(nRow, nCol))
        return bStored;
    if (!IsActiveAt(nRow, nCol) || nMode == modeStoreRemove)
    {
        Init(nRow, nCol);
        return bStored;
    }
    FreeStyle(TRUE);
    LoadStyle();
    const BOOL bModified = IsModified();
    if (pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclControl))
        m_pGrid->m_pCurrentControl = nullptr;
    // Only a stored value replaces the shown one: a style without a value keeps the text.
    if (pStyle != nullptr && pStyle->GetInclude(CGXStyle::inclValue))
        SetValue(pStyle->GetValue());
    RefreshCell();
    SetModified(nMode == CGXStyle::modeCopy ? FALSE : bModified);
    return bStored;
}

BOOL CGXControl::GetEditedCellText(ROWCOL nRow, ROWCOL nCol, CString& strText)
{
    if (IsActiveAt(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol))
        GetStyleValue(strText);
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
    if (!m_bIsBound)
        return;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const BOOL bActive = IsActive();
    if (IsModified() || bActive)
        m_pGrid->RedrawRowCol(nRow, nCol, GX_INVALIDATE, FALSE);
    HideControl();
    // An active control covers its own cell; an inactive one draws the whole covered range.
    CRect rect;
    if (bActive)
        rect = m_pGrid->CalcRectFromRowCol(nRow, nCol);
    else
        m_pGrid->CalcRectFromCellWithSpans(&rect, nRow, nCol);
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd != nullptr && pGridWnd->GetSafeHwnd() != nullptr)
        pGridWnd->InvalidateRect(rect, TRUE);
}

CRect CGXControl::LayoutBoundCell()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const CRect rectCell = m_pGrid->CalcRectFromRowCol(nRow, nCol);
    CRect rect;
    GetCellClientRect(rect, nRow, nCol, &rectCell);
    LayoutChildren(nRow, nCol, rect);
    return rect;
}

BOOL CGXControl::AskChildrenAt(CPoint point, BOOL bAll, BOOL bTakeFocus, BOOL (CGXChild::*pfnMessage)(UINT, CPoint),
                               UINT nFlags)
{
    if (m_pChildList == nullptr)
        return FALSE;
    BOOL bResult = FALSE;
    for (POSITION pos = m_pChildList->GetHeadPosition(); pos != nullptr;)
    {
        CGXChild* pChild = static_cast<CGXChild*>(m_pChildList->GetNext(pos));
        if (!pChild->HitTest(point))
            continue;
        if (bTakeFocus)
            SetFocusChild(pChild);
        bResult |= (pChild->*pfnMessage)(nFlags, point);
        if (!bAll)
            break;
    }
    return bResult;
}

BOOL CGXControl::ReleaseChild(UINT nFlags, CPoint point, BOOL (CGXChild::*pfnUp)(UINT, CPoint))
{
    if (!m_bIsBound)
        return FALSE;
    LayoutBoundCell();
    return m_pFocusChild != nullptr && (m_pFocusChild->*pfnUp)(nFlags, point);
}

BOOL CGXControl::DoubleClickChildren(UINT nFlags, CPoint point, BOOL (CGXChild::*pfnDblClk)(UINT, CPoint),
                                     BOOL (CGXGridCore::*pfnGridHook)(ROWCOL, ROWCOL, UINT, CPoint))
{
    if (!m_bIsBound)
        return FALSE;
    LayoutBoundCell();
    const BOOL bChildren = AskChildrenAt(point, TRUE, TRUE, pfnDblClk, nFlags);
    return (m_pGrid->*pfnGridHook)(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nFlags, point) ||
           bChildren;
}

BOOL CGXControl::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bIsBound)
        return FALSE;
    LayoutBoundCell();
    return m_pFocusChild != nullptr && m_pFocusChild->OnMouseMove(nFlags, point);
}

BOOL CGXControl::OnMouseOver(UINT nFlags, CPoint point)
{
    if (!m_bIsBound)
        return FALSE;
    LayoutBoundCell();
    return AskChildrenAt(point, TRUE, FALSE, &CGXChild::OnSetCursor, nFlags);
}

BOOL CGXControl::OnLButtonDown(UINT nFlags, CPoint point)
{
    return m_bIsBound && (LayoutBoundCell(), AskChildrenAt(point, FALSE, TRUE, &CGXChild::OnLButtonDown, nFlags));
}

BOOL CGXControl::OnLButtonUp(UINT nFlags, CPoint point)
{
    return ReleaseChild(nFlags, point, &CGXChild::OnLButtonUp);
}

BOOL CGXControl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    return DoubleClickChildren(nFlags, point, &CGXChild::OnLButtonDblClk, &CGXGridCore::OnLButtonDblClkRowCol);
}

BOOL CGXControl::OnMButtonDown(UINT nFlags, CPoint point)
{
    return m_bIsBound && (LayoutBoundCell(), AskChildrenAt(point, FALSE, TRUE, &CGXChild::OnMButtonDown, nFlags));
}

BOOL CGXControl::OnMButtonUp(UINT nFlags, CPoint point)
{
    return ReleaseChild(nFlags, point, &CGXChild::OnMButtonUp);
}

BOOL CGXControl::OnMButtonDblClk(UINT nFlags, CPoint point)
{
    return DoubleClickChildren(nFlags, point, &CGXChild::OnMButtonDblClk, &CGXGridCore::OnMButtonDblClkRowCol);
}

BOOL CGXControl::OnRButtonDown(UINT nFlags, CPoint point)
{
    return m_bIsBound && (LayoutBoundCell(), AskChildrenAt(point, FALSE, TRUE, &CGXChild::OnRButtonDown, nFlags));
}

BOOL CGXControl::OnRButtonUp(UINT nFlags, CPoint point)
{
    return ReleaseChild(nFlags, point, &CGXChild::OnRButtonUp);
}

BOOL CGXControl::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    return DoubleClickChildren(nFlags, point, &CGXChild::OnRButtonDblClk, &CGXGridCore::OnRButtonDblClkRowCol);
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
    if (m_pFocusChild != nullptr && m_pFocusChild->OnKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    return GXDispatchKeyMessage(*this, m_bLeadUnitPending, m_chLeadUnit, nMessage, nChar, nRepCnt, nFlags);
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

BOOL CGXControl::PutTextOnClipboard(const CString& strText)
{
    return CGXClipboardText::Write(GetGridWnd(), strText);
}

BOOL CGXControl::CopyToClipboard()
{
    if (IsActive())
    {
        CString strText;
        GetCopyText(strText);
        return PutTextOnClipboard(strText);
    }
    if (m_bIsBound && m_pGrid->IsCurrentCell(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)))
        return m_pGrid->CopyRangeToClipboard(CGXRange(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)));
    return FALSE;
}

BOOL CGXControl::IsGridStylePasteAvailable() const
{
    const UINT nFormat = m_pGrid->GetAppData()->m_uiClipboardFormat;
    return (m_pGrid->m_nClipboardFlags & GX_CLIPSTYLES) != 0 && nFormat != 0 && ::IsClipboardFormatAvailable(nFormat);
}

BOOL CGXControl::PasteFromClipboard()
{
    if (IsGridStylePasteAvailable() || !m_bIsBound || !IsActive() || IsReadOnlyCell())
        return FALSE;
    CString strText;
    if (!CGXClipboardText::Read(GetGridWnd(), strText))
        return FALSE;
    if (AcceptPasteText(strText))
        SetCellText(strText);
    return TRUE;
}

BOOL CGXControl::CutToClipboard()
{
    if (IsActive())
    {
        if (!CopyToClipboard())
            return FALSE;
        SetCellText(CString());
        return TRUE;
    }
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (!m_bIsBound || !m_pGrid->IsCurrentCell(nRow, nCol))
        return FALSE;
    // Without the styles format on the clipboard only the values leave the cell.
    return m_pGrid->ClearRange(CGXRange(nRow, nCol), (m_pGrid->m_nClipboardFlags & GX_CLIPSTYLES) != 0);
}

BOOL CGXControl::IsBoundToCell()
{
    return m_bIsBound;
}

BOOL CGXControl::CanCut()
{
    return m_bIsBound && !IsStyleReadOnly(LoadStyle());
}

BOOL CGXControl::CanPaste()
{
    return !IsGridStylePasteAvailable() && m_bIsBound && IsActive() && !IsReadOnlyCell() &&
           ::IsClipboardFormatAvailable(CF_UNICODETEXT);
}

void CGXControl::GetValueForCopy(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style, CString& strText)
{
    strText = style.GetValue();
}

// A control without text to search finds nothing and replaces nothing.
BOOL CGXControl::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    CGXAbstractGridFindReplaceImp* pImp = m_pGrid->m_pFindReplaceImp;
    return pImp != nullptr && pImp->FindTextInCell(m_pGrid, this, find, nRow, nCol, bFromCurrent, bSelect);
}

BOOL CGXControl::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    CGXAbstractGridFindReplaceImp* pImp = m_pGrid->m_pFindReplaceImp;
    return pImp != nullptr && pImp->ReplaceAllInCell(m_pGrid, this, find, nRow, nCol);
}

void CGXControl::SetCellText(const CString& strText)
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (m_bIsBound && m_pGrid->IsCurrentCell(nRow, nCol))
        m_pGrid->StoreCellValue(nRow, nCol, strText, GX_UPDATENOW, LoadStyle());
}

void CGXControl::GetCopyText(CString& strText)
{
    GetCurrentText(strText);
}

BOOL CGXControl::OnChildClicked(CGXChild* /*pChild*/)
{
    m_pGrid->OnClickedButtonRowCol(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol));
    return TRUE;
}

BOOL CGXControl::OnGridCommand(WORD /*wCommand*/, HWND /*hWnd*/)
{
    return FALSE;
}

LRESULT CGXControl::OnGridScroll(const MSG& msg)
{
    if ((msg.message != WM_HSCROLL && msg.message != WM_VSCROLL) || !IsActive())
        return 0;
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    // Frozen rows and columns never scroll away.
    const auto isHidden = [](ROWCOL n, ROWCOL nFrozen, ROWCOL nFirst, ROWCOL nLast) {
        return n > nFrozen && (n < nFirst || n > nLast);
    };
    if (!isHidden(nRow, m_pGrid->GetFrozenRows(), m_pGrid->GetTopRow(), m_pGrid->GetLastVisibleRow()) &&
        !isHidden(nCol, m_pGrid->GetFrozenCols(), m_pGrid->GetLeftCol(), m_pGrid->GetLastVisibleCol()))
        return 0;
    if (IsModified())
        StoreEditedValue();
    SetActive(FALSE);
    RefreshCell();
    return 1;
}

LRESULT CGXControl::ReservedHookD(DWORD_PTR /*dwValue1*/, DWORD_PTR /*dwValue2*/, DWORD /*dwValue3*/)
{
    return FALSE;
}

void CGXControl::ForEachChild(void (*pfnTell)(CGXChild*, DWORD), DWORD dwValue)
{
    if (m_pChildList == nullptr)
        return;
    for (POSITION pos = m_pChildList->GetHeadPosition(); pos != nullptr;)
        pfnTell(static_cast<CGXChild*>(m_pChildList->GetNext(pos)), dwValue);
}

void CGXControl::NotifyChildrenA(DWORD dwValue)
{
    ForEachChild([](CGXChild* pChild, DWORD dw) { pChild->OnNotifyA(dw); }, dwValue);
}

void CGXControl::NotifyChildrenB()
{
    ForEachChild([](CGXChild* pChild, DWORD) { pChild->OnNotifyB(); }, 0);
}

BOOL CGXControl::IsReadOnlyCell()
{
    return IsLockedReadOnly(m_bIsBound ? LoadStyle() : nullptr);
}

void CGXControl::CancelChildTracking()
{
    ForEachChild([](CGXChild* pChild, DWORD) { pChild->CancelTracking(); }, 0);
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

void CGXControl::AddChild(CGXChild* pChild)
{
    if (m_pChildList == nullptr)
        m_pChildList = new CPtrList(10);
    m_pChildList->AddTail(pChild);
}

void CGXControl::RemoveChild(CGXChild* pChild)
{
    POSITION pos = m_pChildList != nullptr ? m_pChildList->Find(pChild) : nullptr;
    if (pos == nullptr)
        return;
    m_pChildList->RemoveAt(pos);
    if (m_pFocusChild == pChild)
        m_pFocusChild = nullptr;
}

CGXChild* CGXControl::GetChild(INT_PTR nIndex)
{
    POSITION pos = m_pChildList != nullptr && nIndex >= 0 ? m_pChildList->FindIndex(nIndex) : nullptr;
    if (pos == nullptr)
        AfxThrowInvalidArgException();
    return static_cast<CGXChild*>(m_pChildList->GetAt(pos));
}

INT_PTR CGXControl::GetChildCount()
{
    return m_pChildList != nullptr ? m_pChildList->GetCount() : 0;
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

// Whether the header cell (row, column) is marked; 0 without the header marking.
LRESULT CGXControl::ForwardFeatureC(DWORD dwRow, DWORD dwCol, DWORD /*dwValue3*/)
{
    CGXAbstractGridMarkEditHeaderImp* pMark = m_pGrid->m_pMarkEditHeaderImp;
    return pMark != nullptr && pMark->IsHeaderMarked(m_pGrid, dwRow, dwCol);
}
