// The control base's data and the answers of a control that does nothing. The cell-control
// Parts give these operations their behaviour; until then a grid that uses a control sees an
// inactive, unmodified control without children or tip.
#include <grid/controls/Control.h>

#include <grid/core/GridCore.h>
#include <grid/core/Style.h>

#include <cstring>

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
    return FALSE;
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

CRect CGXControl::GetCellClientRect(CRect& rectOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CRect* /*pRect*/,
                                    const CGXStyle* /*pStyle*/)
{
    rectOut.SetRectEmpty();
    return rectOut;
}

CSize CGXControl::AddFrameToSize(CSize& size, CDC* /*pDC*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/,
                                 const CGXStyle* /*pStyle*/)
{
    return size;
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

BOOL CGXControl::CellHasValue(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/)
{
    return FALSE;
}

void CGXControl::DrawCurrentCellFrame(CDC* /*pDC*/, const CRect& /*rect*/)
{
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

BOOL CGXControl::FormatDisplayText(CString& /*strOut*/, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR /*pszText*/,
                                   const CGXStyle& /*style*/)
{
    return FALSE;
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

BOOL CGXControl::GetChoiceItem(CString& strItem, LPCTSTR /*pszChoiceList*/, int /*nIndex*/)
{
    strItem.Empty();
    return FALSE;
}

int CGXControl::FindChoiceItem(CString& strItem, LPCTSTR /*pszText*/, LPCTSTR /*pszChoiceList*/, BOOL /*bExactOnly*/)
{
    strItem.Empty();
    return -1;
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

BOOL CGXControl::OnKeyMessage(UINT /*nMessage*/, UINT /*nChar*/, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return FALSE;
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

DWORD CGXControl::QueryTipA(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/)
{
    return 0;
}

DWORD CGXControl::QueryTipB(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/)
{
    return 0x7FFFFFFF;
}

void CGXControl::ShowTip(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/, CWnd* /*pTipWnd*/)
{
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

void CGXControl::DrawBackground(CDC* /*pDC*/, const CRect& /*rect*/, const CGXStyle& /*style*/, BOOL /*bForce*/)
{
}

BOOL CGXControl::Draw3dEffect(CDC* /*pDC*/, const CRect& /*rect*/, const CGXStyle& /*style*/)
{
    return FALSE;
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
