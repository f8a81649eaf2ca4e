#include <grid/controls/CheckListComboBox.h>

#include <grid/controls/ComboSupport.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/GridCombo.h>
#include <grid/core/GridCore.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <cwchar>

using tarnwick::foundation::SECScopedValue;

IMPLEMENT_DYNAMIC(CGXCheckListComboBox, CGXComboBox)

const GXControlClass CGXCheckListComboBox::ctlClassCGXCheckListComboBox = {"CGXCheckListComboBox",
                                                                           &CGXComboBox::ctlClassCGXComboBox};

BEGIN_MESSAGE_MAP(CGXCheckListComboBox, CGXComboBox)
ON_MESSAGE(WM_SETFOCUS, OnWndSetFocus)
ON_MESSAGE(GX_WM_LIST_CHOSEN, OnListClose)
ON_MESSAGE(GX_WM_LIST_CANCEL, OnListClose)
ON_MESSAGE(GX_WM_LIST_SELCHANGED, OnListSelChanged)
ON_MESSAGE(GX_WM_LIST_KILLFOCUS, OnListKillFocus)
END_MESSAGE_MAP()

CGXCheckListComboBox::CGXCheckListComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID)
    : CGXComboBox(pGrid, nEditID, nListBoxID, flagNoTextFit)
{
}

const GXControlClass* CGXCheckListComboBox::GetControlClass() const
{
    return &ctlClassCGXCheckListComboBox;
}

unsigned CGXCheckListComboBox::ParseChecks(const CString& strValue)
{
    const unsigned long long nValue = std::wcstoull(strValue, nullptr, 10);
    return static_cast<unsigned>(nValue & ((1ULL << nMaxCheckable) - 1));
}

// ---- window part ----

BOOL CGXCheckListComboBox::ProcessChar(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    m_strPending.Empty();
    return FALSE;
}

DWORD CGXCheckListComboBox::CalcEditStyle(CRect* pRect, const int* pLineHeight)
{
    return CGXComboBox::CalcEditStyle(pRect, pLineHeight) | ES_READONLY;
}

CListBox* CGXCheckListComboBox::CreateListBox(CGXGridCombo* pPopup)
{
    CRect rect;
    pPopup->GetClientRect(rect);
    rect.DeflateRect(1, 0);
    auto* pList = new CGXCheckListComboLBox(this);
    pList->Create(ListBoxStyle(), rect, pPopup, m_nListBoxID);
    return pList;
}

void CGXCheckListComboBox::OnFillDroppedList(CListBox* pList)
{
    auto* pCheckList = static_cast<CCheckListBox*>(pList);
    const CGXStyle& style = *LoadStyle();
    m_nItems = 0;
    if (style.GetInclude(CGXStyle::inclChoiceList))
        AddChoiceLines(pList, style.GetChoiceList(), TRUE, &m_nItems);
    const unsigned nChecks = style.GetInclude(CGXStyle::inclValue) ? ParseChecks(style.GetValue()) : 0;
    for (int i = 0; i < m_nItems; ++i)
    {
        const BOOL bCheckable = i < nMaxCheckable;
        pCheckList->SetCheck(i, bCheckable && (nChecks & (1u << i)) != 0 ? 1 : 0);
        if (!bCheckable)
            pCheckList->Enable(i, FALSE);
    }
}

void CGXCheckListComboBox::OnStoreDroppedList(CListBox* pList)
{
    auto* pCheckList = static_cast<CCheckListBox*>(pList);
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    const ComposedStyle composed(m_pGrid, nRow, nCol);
    const unsigned nOld = ParseChecks(composed.m_pStyle->GetValue());
    unsigned nNew = 0;
    for (int i = 0; i < std::min(m_nItems, nMaxCheckable); ++i)
        if (pCheckList->GetCheck(i) == 1)
            nNew |= 1u << i;
    if (nNew == nOld)
        return;
    SetModified(TRUE);
    CString strValue;
    if (nNew != 0)
        strValue.Format(_T("%u"), nNew);
    m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue);
}

LRESULT CGXCheckListComboBox::OnListClose(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const SECScopedValue<BOOL> inDropDown(m_pGrid->m_bInDropDown, TRUE);
    if (m_pDropDownWnd != nullptr)
    {
        FreeStyle(FALSE);
        LoadStyle();
        if (!IsReadOnlyCell())
            OnStoreDroppedList(static_cast<CListBox*>(m_pDropDownWnd->GetListBox()));
        ClosePopup(GetGridWnd());
        RequestCommit();
        SetModified(FALSE);
        SetActive(FALSE);
        RefreshCell();
    }
    return 0;
}

LRESULT CGXCheckListComboBox::OnListSelChanged(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}

LRESULT CGXCheckListComboBox::OnListKillFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    HWND hNewFocus = reinterpret_cast<HWND>(wParam);
    HWND hGrid = GetGridWnd()->GetSafeHwnd();
    if (hNewFocus == nullptr || (hNewFocus != hGrid && !::IsChild(hGrid, hNewFocus)))
        SendMessage(GX_WM_LIST_CANCEL);
    return 0;
}

LRESULT CGXCheckListComboBox::OnWndSetFocus(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = CGXComboBox::OnWndSetFocus(wParam, lParam);
    // The read-only edit never keeps the focus: the grid takes it.
    if (CWnd* pParent = GetParent())
        pParent->SetFocus();
    return lResult;
}

// ---- control part ----

void CGXCheckListComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                const CGXStyle* pStandardStyle)
{
    const BOOL bActiveHere = IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting();
    if (bActiveHere)
        HideControl();
    CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    if (bActiveHere)
        DrawCurrentCellFrame(pDC, rect);
}

BOOL CGXCheckListComboBox::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR /*pszText*/,
                                             const CGXStyle& style)
{
    strOut.Empty();
    if (style.GetInclude(CGXStyle::inclChoiceList))
    {
        const CString& strList = style.GetChoiceList();
        const int nEnd = strList.FindOneOf(_T("\r\n"));
        strOut = nEnd < 0 ? strList : strList.Left(nEnd);
    }
    return TRUE;
}

BOOL CGXCheckListComboBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    return CGXControl::OnLButtonUp(nFlags, point);
}

BOOL CGXCheckListComboBox::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Typed keys do not edit the caption; Alt+Down opens the list.
    if (nMessage != WM_SYSKEYDOWN)
        return FALSE;
    return CGXComboBox::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags);
}

// ---- the list window ----

BEGIN_MESSAGE_MAP(CGXCheckListComboLBox, CCheckListBox)
ON_WM_KEYDOWN()
ON_WM_KEYUP()
ON_WM_SYSKEYDOWN()
ON_WM_SYSKEYUP()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KILLFOCUS()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CGXCheckListComboLBox::CGXCheckListComboLBox(CWnd* pOwner) : m_pOwner(pOwner)
{
}

BOOL CGXCheckListComboLBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CCheckListBox::Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED,
                                 rect, pParentWnd, nID);
}

void CGXCheckListComboLBox::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_bKeyUsed = TRUE;
    m_nSelAtKey = GetCurSel();
    m_bAlphaNumericKey = (nChar >= '0' && nChar <= '9') || (nChar >= 'A' && nChar <= 'Z');
    CCheckListBox::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGXCheckListComboLBox::OnKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!m_bKeyUsed)
    {
        Default();
        return;
    }
    m_bKeyUsed = FALSE;
    CWnd* pOwner = m_pOwner;
    HWND hOwner = pOwner->GetSafeHwnd();
    // Every way out keeps the checks; the list may be gone once the owner's message returns.
    switch (nChar)
    {
    case VK_TAB:
        GXTakeChoiceAndTab(pOwner);
        return;
    case VK_RETURN:
    case VK_ESCAPE:
        ::SendMessage(hOwner, GX_WM_LIST_CHOSEN, 0, 0);
        return;
    default:
        return;
    }
}

void CGXCheckListComboLBox::OnSysKeyDown(UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    m_bKeyUsed = TRUE;
}

void CGXCheckListComboLBox::OnSysKeyUp(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (!GXCloseOnAltDown(m_bKeyUsed, nChar, m_pOwner, GX_WM_LIST_CHOSEN))
        Default();
}

void CGXCheckListComboLBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bLButtonDown = TRUE;
    m_nSelAtKey = GetCurSel();
    CCheckListBox::OnLButtonDown(nFlags, point);
}

void CGXCheckListComboLBox::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
    m_bLButtonDown = FALSE;
}

void CGXCheckListComboLBox::OnKillFocus(CWnd* /*pNewWnd*/)
{
    Default();
    m_pOwner->PostMessage(GX_WM_LIST_CHOSEN);
}

BOOL CGXCheckListComboLBox::OnEraseBkgnd(CDC* pDC)
{
    CWnd* pParent = GetParent();
    const auto hBrush = reinterpret_cast<HBRUSH>(
        pParent != nullptr ? pParent->SendMessage(WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()),
                                                  reinterpret_cast<LPARAM>(m_hWnd))
                           : 0);
    if (hBrush == nullptr)
        return static_cast<BOOL>(Default());
    CRect rect;
    GetClientRect(rect);
    ::FillRect(pDC->GetSafeHdc(), rect, hBrush);
    return TRUE;
}
