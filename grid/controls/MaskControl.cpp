#include <grid/controls/MaskControl.h>

#include <grid/controls/ClipboardText.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/EditLock.h>
#include <grid/controls/MaskData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/UserAttribute.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace
{

CString DisplayOf(const CGXMaskData& data)
{
    CString strText;
    data.GetDisplayString(strText);
    return strText;
}

// The characters other than blanks: what a text adds to the entered characters.
int CountFilled(const CString& strText)
{
    return strText.GetLength() -
           static_cast<int>(std::count(strText.GetString(), strText.GetString() + strText.GetLength(), _T(' ')));
}

int CountEntered(const CGXMaskData& data)
{
    CString strEntered;
    data.GetData(strEntered, 0, -1, FALSE);
    return CountFilled(strEntered);
}

// The data as it was, put back unless the scope is told the change stands.
class DataSnapshot
{
public:
    explicit DataSnapshot(CGXMaskData& data) : m_data(data), m_strDisplay(DisplayOf(data))
    {
    }
    ~DataSnapshot()
    {
        if (!m_bKeep)
            Restore();
    }
    DataSnapshot(const DataSnapshot&) = delete;
    DataSnapshot& operator=(const DataSnapshot&) = delete;

    void Restore()
    {
        m_data.SetDisplayString(m_strDisplay, -1, FALSE);
    }
    void Keep()
    {
        m_bKeep = TRUE;
    }

private:
    CGXMaskData& m_data;
    CString m_strDisplay;
    BOOL m_bKeep = FALSE;
};
} // namespace

IMPLEMENT_DYNAMIC(CGXMaskControl, CGXEditControl)

const GXControlClass CGXMaskControl::ctlClassCGXMaskControl = {"CGXMaskControl", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXMaskControl, CGXEditControl)
ON_MESSAGE(WM_KEYDOWN, OnMaskKeyDown)
ON_MESSAGE(WM_CHAR, OnMaskChar)
ON_MESSAGE(WM_LBUTTONUP, OnMaskLButtonUp)
END_MESSAGE_MAP()

CGXMaskControl::CGXMaskControl(CGXGridCore* pGrid, UINT nID, CRuntimeClass* pMaskDataClass)
    : CGXEditControl(pGrid, nID), m_pMaskDataClass(pMaskDataClass)
{
    CreateMaskData();
}

CGXMaskControl::~CGXMaskControl() = default;

CGXControl* CGXMaskControl::Create(CGXGridCore* pGrid)
{
    return new CGXMaskControl(pGrid, GX_IDS_CTRL_MASKED_EDIT, RUNTIME_CLASS(CGXMaskData));
}

void CGXMaskControl::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXStyle mask;
    mask.SetWrapText(TRUE).SetAutoSize(TRUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_MASKEDIT_MASK, &mask);
    CGXStyle prompt;
    prompt.SetMaxLength(1);
    pStylesMap->AddUserAttribute(GX_IDS_UA_MASKEDIT_PROMPT, &prompt);
}

UINT CGXMaskControl::GetMaskDataFormat()
{
    static const UINT nFormat = ::RegisterClipboardFormatW(L"GX_MASKDATA");
    return nFormat;
}

void CGXMaskControl::SetShowEmptyMask(BOOL bShow)
{
    m_bShowEmptyMask = bShow;
}

// ---- data and window ----

void CGXMaskControl::CreateMaskData()
{
    m_pEditData.reset(static_cast<CGXMaskData*>(m_pMaskDataClass->CreateObject()));
    m_pDrawData.reset(static_cast<CGXMaskData*>(m_pMaskDataClass->CreateObject()));
}

void CGXMaskControl::InitMaskData(CGXMaskData* pData, const CGXStyle& style)
{
    const CString strMask = style.GetUserAttribute(GX_IDS_UA_MASKEDIT_MASK).GetValue();
    const CString strPrompt =
        style.HasUserAttribute(GX_IDS_UA_MASKEDIT_PROMPT) ? style.GetUserAttribute(GX_IDS_UA_MASKEDIT_PROMPT).GetValue() : _T("_");
    pData->ClearMask();
    pData->SetPromptChar(strPrompt, FALSE);
    pData->SetMask(strMask);
    pData->SetMaxLength(INT_MAX);
    if (style.GetInclude(CGXStyle::inclMaxLength) && style.GetMaxLength() != 0)
        pData->SetMaxLength(style.GetMaxLength());
}

BOOL CGXMaskControl::CreateControl(DWORD dwStyle, const RECT* pRect)
{
    if (m_pEditData == nullptr || m_pDrawData == nullptr)
        CreateMaskData();
    return CGXEditControl::CreateControl(dwStyle, pRect);
}

void CGXMaskControl::GetSelData(int& nStart, int& nEnd)
{
    GetSelection(nStart, nEnd);
    nStart = m_pEditData->EditPosToDataPos(nStart);
    nEnd = m_pEditData->EditPosToDataPos(nEnd);
}

void CGXMaskControl::SetSelData(int nStart, int nEnd, BOOL bNoScroll)
{
    SetSel(m_pEditData->DataPosToEditPos(nStart), m_pEditData->DataPosToEditPos(nEnd), bNoScroll);
}

void CGXMaskControl::UpdateEditText(LPCTSTR pszText)
{
    if (pszText != nullptr)
        m_pEditData->SetDisplayString(pszText, -1, FALSE);
    if (GetSafeHwnd() == nullptr)
        return;
    SetWindowText(DisplayOf(*m_pEditData));
    SetModify(TRUE);
}

void CGXMaskControl::NotifyParent(UINT nCode)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_COMMAND, MAKEWPARAM(0, nCode), reinterpret_cast<LPARAM>(m_hWnd));
}

void CGXMaskControl::UpdateEditRect()
{
    RefreshLayout();
}

void CGXMaskControl::CalcEditRect(CRect& rect)
{
    CalcEditStyle(&rect, nullptr);
}

void CGXMaskControl::ShowChange(int nPos)
{
    UpdateEditText();
    NotifyParent(EN_CHANGE);
    SetSelData(nPos, nPos);
}

// ---- control operations ----

const GXControlClass* CGXMaskControl::GetControlClass() const
{
    return &ctlClassCGXMaskControl;
}

void CGXMaskControl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
        CreateControl(0, nullptr);
    LoadStyle();
    SetValue(m_pGrid->GetValueRowCol(nRow, nCol));
    if (GetSafeHwnd() != nullptr)
    {
        SetSel(0, -1);
        const CGXGridParam* pParam = m_pGrid->GetParam();
        if (pParam != nullptr && (pParam->m_wActivateCell & GX_ACTIVATEONCURRENT) != 0 && RequestEditing())
            SetActive(TRUE);
    }
    SetModified(FALSE);
}

BOOL CGXMaskControl::StoreEditedValue()
{
    CString strText;
    if (m_pStyle == nullptr || !IsModified() || !GetStyleValue(strText))
        return TRUE;
    SetActive(FALSE);
    // The style the text was edited with outlives the cache.
    const std::unique_ptr<CGXStyle> pStyle(m_pStyle);
    m_pStyle = nullptr;
    FreeStyle(TRUE);
    return m_pGrid->SetValueRange(CGXRange(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)), strText,
                                  CGXStyle::modeOverride, GX_INVALIDATE);
}

BOOL CGXMaskControl::ValidateValue()
{
    if (IsActive() && IsModified() && !m_pEditData->IsValidData())
        return FALSE;
    return CGXEditControl::ValidateValue();
}

void CGXMaskControl::GetCurrentText(CString& strText)
{
    strText.Empty();
    if (m_bIsBound)
        m_pEditData->GetDisplayString(strText, 0, -1);
}

BOOL CGXMaskControl::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    if (!AcceptText(strText))
        return FALSE;
    UpdateEditText(strText);
    RequestCommit();
    return TRUE;
}

BOOL CGXMaskControl::GetStyleValue(CString& strText)
{
    if (!m_bIsBound)
        return FALSE;
    m_pEditData->GetData(strText, 0, -1, TRUE);
    return TRUE;
}

void CGXMaskControl::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    InitMaskData(m_pEditData.get(), *LoadStyle());
    m_pEditData->PutInput(pszText, -1, FALSE);
    SetWindowText(DisplayOf(*m_pEditData));
}

BOOL CGXMaskControl::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                       const CGXStyle& style)
{
    strOut.Empty();
    InitMaskData(m_pDrawData.get(), style);
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    if (strValue.IsEmpty() && !m_bShowEmptyMask)
        return TRUE;
    if (m_pDrawData->PutInput(strValue, -1, FALSE) == -1)
        return FALSE;
    m_pDrawData->GetDisplayString(strOut, 0, -1);
    return TRUE;
}

BOOL CGXMaskControl::ConvertToEntered(const CGXStyle& style, CString& strText)
{
    CGXMaskData& data = *m_pDrawData;
    InitMaskData(&data, style);
    if (data.SetDisplayString(strText, -1, FALSE) < 0 || !data.IsValidData())
    {
        if (data.PutInput(strText, -1, FALSE) == -1)
            return FALSE;
        // Entered characters that the mask cut short or refused would be lost.
        CString strEntered;
        data.GetData(strEntered, 0, -1, FALSE);
        if (strText.GetLength() > strEntered.GetLength() ||
            strEntered.Left(strText.GetLength()).CompareNoCase(strText) != 0)
            return FALSE;
    }
    data.GetData(strText, 0, -1, TRUE);
    return TRUE;
}

BOOL CGXMaskControl::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (pStyle != nullptr)
        return ConvertToEntered(*pStyle, strText);
    const ComposedStyle composed(m_pGrid, nRow, nCol);
    return ConvertToEntered(*composed.m_pStyle, strText);
}

// ---- editing ----

int CGXMaskControl::ReplaceRange(CGXMaskData& data, int nStart, int nEnd, const CString& strText, BOOL bEntered)
{
    DataSnapshot before(data);
    if (nStart < nEnd)
        data.DeleteRange(nEnd, nStart);
    const CString strDeleted = DisplayOf(data);
    int nResult = -1;
    if (!bEntered)
    {
        nResult = data.SetDisplayString(strText, nStart, TRUE);
        if (nResult >= 0 && !data.IsValidData())
            nResult = -1;
    }
    if (nResult < 0)
    {
        data.SetDisplayString(strDeleted, -1, FALSE);
        const int nEntered = CountEntered(data);
        nResult = data.PutInput(strText, nStart, TRUE);
        // Characters the mask refused or had no room for would be lost with the deleted ones.
        if (nResult >= 0 && (!data.IsValidData() || CountEntered(data) != nEntered + CountFilled(strText)))
            nResult = -1;
    }
    if (nResult >= 0)
        before.Keep();
    return nResult;
}

BOOL CGXMaskControl::TypeCharacter(TCHAR ch)
{
    int nStart = 0;
    int nEnd = 0;
    GetSelData(nStart, nEnd);
    CGXMaskData& data = *m_pEditData;
    const int nPos = data.GetNextInputPos(nStart - 1);
    if (nPos < 0)
    {
        ::MessageBeep(MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (nStart != nEnd && nPos >= nEnd)
        return FALSE;
    TCHAR chInput = ch;
    if (!data.IsValidInput(nPos, chInput))
    {
        ReservedHookE(ch);
        return FALSE;
    }
    int nNext = -1;
    if (m_bInsertMode || data.IsMaskEmpty())
    {
        // Without a mask, overwriting takes out the character under the caret and inserts.
        DataSnapshot before(data);
        if (nPos < nEnd)
            data.DeleteRange(nEnd, nPos);
        else if (!m_bInsertMode)
            data.DeleteRange(nPos + 1, nPos);
        if (!data.InsertAt(nPos, chInput, nNext))
            return FALSE;
        before.Keep();
    }
    else
    {
        if (nPos + 1 < nEnd)
            data.DeleteRange(nEnd, nPos + 1);
        data.SetDisplayString(CString(chInput), nPos, FALSE);
        // The caret rests on the next input position, never on a literal.
        nNext = data.GetNextInputPos(nPos);
        if (nNext < 0)
            nNext = nPos + 1;
    }
    ShowChange(nNext);
    return TRUE;
}

BOOL CGXMaskControl::OnCharText(const CString& strText)
{
    if (IsReadOnlyCell() || strText.IsEmpty())
        return FALSE;
    if (m_bIsActive)
    {
        TypeCharacter(strText[0]);
        return TRUE;
    }
    CGXMaskData& data = *m_pEditData;
    const int nPos = data.GetNextInputPos(-1);
    TCHAR ch = strText[0];
    if (nPos < 0 || !data.IsValidInput(nPos, ch) || !RequestEditing())
        return FALSE;
    // Typing into an inactive cell replaces its content.
    data.ResetDisplay();
    int nNext = -1;
    data.InsertAt(nPos, ch, nNext);
    SetActive(TRUE);
    UpdateEditText();
    RequestCommit();
    SetSelData(nNext, nNext);
    RefreshCell();
    return TRUE;
}

void CGXMaskControl::SetCellText(const CString& strText)
{
    if (!m_bIsBound || IsReadOnlyCell())
        return;
    if (!m_bIsActive || GetSafeHwnd() == nullptr)
    {
        CGXControl::SetCellText(strText);
        return;
    }
    int nStart = 0;
    int nEnd = 0;
    GetSelData(nStart, nEnd);
    const int nPos = m_pEditData->GetNextInputPos(nStart - 1);
    if (nPos < 0 || (nStart != nEnd && nPos >= nEnd))
        return;
    const int nResult = ReplaceRange(*m_pEditData, nPos, std::max(nPos, nEnd), strText, m_bPastingMaskData);
    if (nResult >= 0)
        ShowChange(nResult);
}

// ---- keys ----

LRESULT CGXMaskControl::KeyToGrid(WPARAM wParam, LPARAM lParam)
{
    if (!PassToGrid(WM_KEYDOWN, wParam, lParam))
        return Default();
    return 0;
}

LRESULT CGXMaskControl::OnMaskKeyDown(WPARAM wParam, LPARAM lParam)
{
    if (!m_bIsActive || !m_bIsBound)
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    const UINT nKey = static_cast<UINT>(wParam);
    if (nKey == VK_CONTROL || nKey == VK_SHIFT)
        return Default();
    m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE);
    if (GXIsKeyDown(VK_CONTROL))
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    CGXMaskData& data = *m_pEditData;
    const BOOL bShift = GXIsKeyDown(VK_SHIFT);
    const BOOL bReadOnly = IsReadOnlyCell();
    const int nLength = data.GetDisplayLength();
    int nStart = 0;
    int nEnd = 0;
    GetSelData(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    int nCaret = -1;
    switch (nKey)
    {
    case VK_LEFT:
        if (bShift)
            return Default();
        if (!bSelection && nStart == 0)
            return KeyToGrid(wParam, lParam);
        nCaret = data.GetPrevInputPos(bSelection ? nStart + 1 : nStart);
        break;
    case VK_RIGHT:
        if (bShift)
            return Default();
        if (bSelection)
            nCaret = data.GetNextInputPos(nEnd - 1);
        else if (nStart >= nLength)
            return KeyToGrid(wParam, lParam);
        else
        {
            nCaret = data.GetNextInputPos(nStart);
            if (nCaret < 0)
                nCaret = data.GetEndOfInput(nLength);
        }
        break;
    case VK_HOME:
        if (bShift)
            SetSelData(0, nStart);
        else
            nCaret = data.GetNextInputPos(-1);
        break;
    case VK_END:
        if (bShift)
            SetSelData(nStart, nLength);
        else
            nCaret = data.GetEndOfInput(nLength);
        break;
    case VK_UP:
        return LineFromChar(-1) > 0 ? Default() : KeyToGrid(wParam, lParam);
    case VK_DOWN:
        return LineFromChar(-1) + 1 < GetLineCount() ? Default() : KeyToGrid(wParam, lParam);
    case VK_BACK:
        if (bReadOnly)
            return Default();
        if (bSelection)
        {
            data.DeleteRange(nEnd, nStart);
            ShowChange(std::max(data.GetNextInputPos(nStart - 1), 0));
        }
        else if (const int nPrev = data.GetPrevInputPos(nStart); nPrev >= 0)
        {
            data.DeleteRange(nStart, nPrev);
            ShowChange(nPrev);
        }
        return 0;
    case VK_DELETE:
        if (bReadOnly)
            return Default();
        if (bSelection)
        {
            if (bShift)
            {
                CGXClipboardText::Clear(this);
                CutToClipboard();
            }
            else
                SetCellText(CString());
        }
        else
        {
            int nNext = data.GetNextInputPos(nStart);
            if (nNext < 0)
                nNext = nStart + 1;
            if (nNext > nStart && nNext <= nLength)
            {
                data.DeleteRange(nNext, nStart);
                ShowChange(nStart);
            }
        }
        return 0;
    case VK_INSERT:
        if (bReadOnly)
            return Default();
        if (bShift)
        {
            PasteFromClipboard();
            return 0;
        }
        m_bInsertMode = !m_bInsertMode;
        return Default();
    case VK_TAB:
    case VK_ESCAPE:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
        return KeyToGrid(wParam, lParam);
    default:
        return nKey >= VK_F1 && nKey <= VK_F24 ? KeyToGrid(wParam, lParam) : Default();
    }
    if (nCaret >= 0)
        SetSelData(nCaret, nCaret);
    return 0;
}

LRESULT CGXMaskControl::OnMaskChar(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsBound || !m_bIsActive || IsReadOnlyCell() || (GetStyle() & ES_READONLY) != 0 || nChar == VK_BACK)
        return 0;
    m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE);
    if (GXIsKeyDown(VK_CONTROL))
    {
        if (ProcessClipboardChar(nChar, TRUE))
            return 0;
    }
    else if (nChar == VK_RETURN || nChar == 10)
        return 0;
    if (nChar < 0x20 || GXIsKeyDown(VK_CONTROL))
    {
        Default();
        PassToGrid(WM_CHAR, wParam, lParam);
        return 0;
    }
    TypeCharacter(static_cast<TCHAR>(nChar));
    return 0;
}

BOOL CGXMaskControl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return ProcessEditKey(
        nChar,
        [this](BOOL bEnd) {
            const int nCaret =
                bEnd ? m_pEditData->GetEndOfInput(m_pEditData->GetDisplayLength()) : m_pEditData->GetNextInputPos(-1);
            SetSelData(nCaret, nCaret);
            UpdateEditRect();
        },
        [this] {
            SetValue(_T(""));
            SetModified(TRUE);
            RequestCommit();
            UpdateEditRect();
        });
}

// ---- mouse ----

int CGXMaskControl::ClickedDataPos(CPoint point, BOOL bLimitToInput)
{
    const int nChar = HitTestCellText(point);
    if (nChar < 0)
        return -1;
    const CGXMaskData& data = *m_pEditData;
    const int nDataPos = data.EditPosToDataPos(nChar);
    int nPos = data.GetNextInputPos(nDataPos - 1);
    if (nPos < 0)
        nPos = data.GetPrevInputPos(nDataPos);
    return bLimitToInput && nPos >= 0 ? std::min(nPos, data.GetEndOfInput(data.GetDisplayLength())) : nPos;
}

LRESULT CGXMaskControl::OnMaskLButtonUp(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    int nStart = 0;
    int nEnd = 0;
    GetSelData(nStart, nEnd);
    if (nStart != nEnd)
        return lResult;
    // The caret snaps to an input position at or before the end of the input.
    const CGXMaskData& data = *m_pEditData;
    const int nEndOfInput = data.GetEndOfInput(nStart);
    int nPos = data.GetNextInputPos(nEndOfInput - 1);
    if (nPos < 0)
        nPos = data.GetPrevInputPos(nEndOfInput);
    if (nPos >= 0 && nPos != nStart)
        SetSelData(nPos, nPos);
    return lResult;
}

BOOL CGXMaskControl::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (GetSafeHwnd() != nullptr && m_bIsBound)
    {
        const int nPos = ClickedDataPos(point, TRUE);
        const CGXGridParam* pParam = m_pGrid->GetParam();
        const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
        const BOOL bCaret = nPos >= 0 && (wActivate & GX_ACTIVATEONTEXT) != 0;
        const BOOL bSelectAll = !bCaret && (wActivate & (GX_ACTIVATEONCLICK | GX_ACTIVATEONCURRENT)) != 0;
        if ((bCaret || bSelectAll) && (m_bIsActive || RequestEditing()))
        {
            if (!m_bIsActive)
                SetActive(TRUE);
            if (bCaret)
                SetSelData(nPos, nPos);
            else
                SetSel(0, -1);
            RefreshCell();
        }
    }
    CGXStatic::OnLButtonUp(nFlags, point);
    return TRUE;
}

BOOL CGXMaskControl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (m_bIsActive || GetSafeHwnd() == nullptr || !m_bIsBound || pParam == nullptr ||
        (pParam->m_wActivateCell & GX_ACTIVATEONDBLCLK) == 0)
        return CGXStatic::OnLButtonDblClk(nFlags, point);
    const int nPos = ClickedDataPos(point, FALSE);
    if (RequestEditing())
    {
        SetActive(TRUE);
        if (nPos >= 0)
            SetSelData(nPos, nPos);
        else
            SetSel(0, -1);
        RefreshCell();
    }
    CGXStatic::OnLButtonDblClk(nFlags, point);
    return TRUE;
}

// ---- clipboard ----

BOOL CGXMaskControl::CopyToClipboard()
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (!m_bIsBound || !m_pGrid->IsCurrentCell(nRow, nCol))
        return FALSE;
    CString strEntered;
    int nStart = 0;
    int nEnd = -1;
    if (m_bIsActive)
        GetSelData(nStart, nEnd);
    if (!m_bIsActive || nStart != nEnd)
        m_pEditData->GetData(strEntered, nStart, std::max(nEnd - 1, -1), TRUE);
    // The plain text first: it replaces what the clipboard held.
    const BOOL bCopied = CGXEditControl::CopyToClipboard();
    if (bCopied && !strEntered.IsEmpty())
        CGXClipboardText::Add(GetGridWnd(), strEntered, GetMaskDataFormat());
    return bCopied;
}

BOOL CGXMaskControl::CanPaste()
{
    if (IsGridStylePasteAvailable() || !m_bIsBound || !m_bIsActive || IsReadOnlyCell())
        return FALSE;
    return ::IsClipboardFormatAvailable(GetMaskDataFormat()) || CGXEditControl::CanPaste();
}

BOOL CGXMaskControl::PasteFromClipboard()
{
    if (IsGridStylePasteAvailable() || !m_bIsBound || !m_bIsActive || IsReadOnlyCell())
        return FALSE;
    CString strText;
    if (!CGXClipboardText::Read(GetGridWnd(), strText, GetMaskDataFormat()))
        return CGXEditControl::PasteFromClipboard();
    const tarnwick::foundation::SECScopedValue<BOOL> pasting(m_bPastingMaskData, TRUE);
    SetCellText(strText);
    return TRUE;
}

// ---- replace ----

BOOL CGXMaskControl::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    const CString& strSearch = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (strSearch.IsEmpty())
        return FALSE;
    const BOOL bHere = m_bIsActive && IsActiveAt(nRow, nCol) && GetSafeHwnd() != nullptr;
    std::unique_ptr<CGXMaskData> pTemporary;
    CGXMaskData* pData = m_pEditData.get();
    if (!bHere)
    {
        pTemporary.reset(static_cast<CGXMaskData*>(RUNTIME_CLASS(CGXMaskData)->CreateObject()));
        pData = pTemporary.get();
        if (find.m_pStyle != nullptr)
            InitMaskData(pData, *find.m_pStyle);
        else
            InitMaskData(pData, *ComposedStyle(m_pGrid, nRow, nCol).m_pStyle);
        pData->PutInput(m_pGrid->GetValueRowCol(nRow, nCol), -1, FALSE);
    }
    const CString strDisplay = DisplayOf(*pData);
    std::vector<int> hits;
    for (int nFound = FindIn(find, strDisplay, 0); nFound >= 0;
         nFound = FindIn(find, strDisplay, nFound + strSearch.GetLength()))
        hits.push_back(nFound);
    if (hits.empty())
        return FALSE;
    for (auto it = hits.rbegin(); it != hits.rend(); ++it)
        ReplaceRange(*pData, pData->EditPosToDataPos(*it), pData->EditPosToDataPos(*it + strSearch.GetLength()),
                     find.m_strReplace, FALSE);
    CString strValue;
    pData->GetData(strValue, 0, -1, TRUE);
    if (bHere)
        UpdateEditText();
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue, CGXStyle::modeOverride, GX_UPDATENOW);
}
