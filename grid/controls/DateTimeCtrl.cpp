#include <grid/controls/DateTimeCtrl.h>

#include <grid/controls/ClipboardText.h>
#include <grid/controls/ComposedStyle.h>
#include <grid/controls/EditLock.h>
#include <grid/controls/HiddenWindowId.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/core/SysData.h>
#include <toolkit/foundation/VisualStyle.h>

#include <windowsx.h>
#include <vssym32.h>

#include <algorithm>
#include <ctime>
#include <memory>

namespace
{
constexpr DWORD dwCalendarStyle = 0x40000003;
constexpr DWORD dwNoCalendarStyle = 0x40000002;
constexpr UINT nAllFields = 0xFFFF;
constexpr ROWCOL noCell = 0x7FFFFFFF;
constexpr int noValue = 0x7FFFFFFF;
constexpr DATE firstDate = -657434.0;
constexpr DATE lastDate = 2958465.0;

CString AttributeText(const CGXStyle& style, WORD nId)
{
    return style.HasUserAttribute(nId) ? style.GetUserAttribute(nId).GetValue() : CString();
}

int AttributeInt(const CGXStyle& style, WORD nId, int nDefault)
{
    return style.HasUserAttribute(nId) ? _ttoi(style.GetUserAttribute(nId).GetValue()) : nDefault;
}

BOOL IsEnabledField(const CGXBDTGadget* pGadget)
{
    return (pGadget->GetStyle() & GXBDT_WANTFOCUS) != 0;
}

// The text of a numeric field's value, zero-padded to its width where it shows leading zeros.
CString NumericText(const CGXBDTNumericGadget& gadget, int nValue)
{
    CString strText;
    if (gadget.HasLeadingZeros())
    {
        CString strFormat;
        strFormat.Format(_T("%%0%dd"), gadget.GetDigitCount());
        strText.Format(strFormat, nValue);
    }
    else
        strText.Format(_T("%d"), nValue);
    return strText;
}

// A whole text that is a number, as the number.
BOOL ReadNumber(const CString& strText, double& dValue)
{
    CString strTrimmed = strText;
    strTrimmed.Trim();
    if (strTrimmed.IsEmpty())
        return FALSE;
    LPTSTR pszEnd = nullptr;
    dValue = _tcstod(strTrimmed, &pszEnd);
    return pszEnd != nullptr && *pszEnd == 0;
}

// A part of a typed date that is a whole number.
BOOL ReadInteger(const CString& strPart, int& nValue)
{
    if (strPart.IsEmpty() || strPart.GetLength() > 9 || strPart.SpanIncluding(_T("0123456789")) != strPart)
        return FALSE;
    nValue = _ttoi(strPart);
    return TRUE;
}
} // namespace

// ---- the captive windows ----

IMPLEMENT_DYNAMIC(CGXCaptiveDateTimeCtrl, CGXBDateTimeCtrl)

CGXCaptiveDateTimeCtrl::~CGXCaptiveDateTimeCtrl()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

void CGXCaptiveDateTimeCtrl::InvalidateGadget(const CRect& /*rect*/)
{
}

// ---- construction and windows ----

IMPLEMENT_DYNAMIC(CGXDateTimeCtrl, CGXBDateTimeCtrl)

const GXControlClass CGXDateTimeCtrl::ctlClassCGXDateTimeCtrl = {"CGXDateTimeCtrl", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXDateTimeCtrl, CGXBDateTimeCtrl)
ON_MESSAGE(WM_KEYDOWN, OnWndKeyDown)
ON_MESSAGE(WM_KEYUP, OnWndKeyUp)
ON_MESSAGE(WM_CHAR, OnWndChar)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndSysKeyDown)
ON_MESSAGE(WM_SYSKEYUP, OnWndSysKey)
ON_MESSAGE(WM_SYSCHAR, OnWndSysKey)
ON_MESSAGE(WM_LBUTTONUP, OnWndLButtonUp)
ON_MESSAGE(WM_SETFOCUS, OnWndSetFocus)
ON_MESSAGE(WM_KILLFOCUS, OnWndKillFocus)
ON_MESSAGE(WM_ERASEBKGND, OnWndEraseBkgnd)
END_MESSAGE_MAP()

CGXDateTimeCtrl::CGXDateTimeCtrl(CGXGridCore* pGrid, UINT nID) : CGXWindowControl(pGrid), m_nID(nID)
{
}

CGXDateTimeCtrl::~CGXDateTimeCtrl()
{
    if (m_measuringWnd.GetSafeHwnd() != nullptr)
        m_measuringWnd.DestroyWindow();
    if (m_drawingWnd.GetSafeHwnd() != nullptr)
        m_drawingWnd.DestroyWindow();
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

namespace
{
CGXControl* CreateDateTime(CGXGridCore* pGrid, WORD nId, DWORD dwStyle)
{
    auto* pControl = new CGXDateTimeCtrl(pGrid, nId);
    pControl->CreateWnd(dwStyle, nullptr);
    pControl->SetAlwaysShowSpin(FALSE);
    pControl->SetAlwaysShowButton(FALSE);
    pControl->SetValueAsNumber(TRUE);
    return pControl;
}
} // namespace

CGXControl* CGXDateTimeCtrl::CreateWithCalendar(CGXGridCore* pGrid)
{
    return CreateDateTime(pGrid, GX_IDS_CTRL_DATETIME, dwCalendarStyle);
}

CGXControl* CGXDateTimeCtrl::CreateWithoutCalendar(CGXGridCore* pGrid)
{
    return CreateDateTime(pGrid, GX_IDS_CTRL_DATETIME_NO_CALENDAR, dwNoCalendarStyle);
}

BOOL CGXDateTimeCtrl::CreateWnd(DWORD dwStyle, const RECT* pRect)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const DWORD dwWindowStyle = dwStyle | WS_CHILD | WS_TABSTOP;
    const CRect rectOffScreen(30000, 30000, 30500, 30100);
    return m_measuringWnd.Create(0, dwWindowStyle, rectOffScreen, pGridWnd, GXHiddenWindowId(m_nID, 0)) &&
           m_drawingWnd.Create(0, dwWindowStyle, rectOffScreen, pGridWnd, GXHiddenWindowId(m_nID, 1)) &&
           CGXBDateTimeCtrl::Create(0, dwWindowStyle, pRect != nullptr ? CRect(*pRect) : CRect(), pGridWnd, m_nID);
}

void CGXDateTimeCtrl::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    CGXStyle checkList;
    checkList.SetControl(GX_IDS_CTRL_CHECKLIST_COMBO)
        .SetChoiceList(GXLoadResourceString(GX_IDS_DATETIME_NO_EDIT_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_NO_EDIT, &checkList);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_MIN);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_MAX);
    CGXStyle tabbed;
    tabbed.SetControl(GX_IDS_CTRL_TABBED_COMBO)
        .SetUserAttribute(GX_IDS_UA_TAB_KEY_COLUMN, _T("1"))
        .SetUserAttribute(GX_IDS_UA_TAB_TEXT_COLUMN, _T("0"))
        .SetUserAttribute(GX_IDS_UA_TAB_SHOW_ALL, _T("0"));
    tabbed.SetChoiceList(GXLoadResourceString(GX_IDS_DATETIME_VALIDATION_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_VALIDATION, &tabbed);
    tabbed.SetChoiceList(GXLoadResourceString(GX_IDS_DATETIME_FORMAT_CHOICES));
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_FORMAT_TYPE, &tabbed);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_CUSTOM_FORMAT);
    CGXStyle checkBox;
    checkBox.SetControl(GX_IDS_CTRL_CHECKBOX_3D).SetVerticalAlignment(DT_VCENTER).SetHorizontalAlignment(DT_CENTER);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_FAST_INPUT, &checkBox);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_FORCE_NUMBER);
    pStylesMap->AddUserAttribute(GX_IDS_UA_DATETIME_PRECISION);
}

COleDateTime CGXDateTimeCtrl::DateTimeNow()
{
    return COleDateTime::GetCurrentTime();
}

COleDateTime CGXDateTimeCtrl::DateTimeFromTime64(__time64_t nTime)
{
    COleDateTime date;
    struct tm tmLocal = {};
    if (_localtime64_s(&tmLocal, &nTime) != 0)
    {
        date.SetStatus(COleDateTime::invalid);
        return date;
    }
    date.SetDateTime(tmLocal.tm_year + 1900, tmLocal.tm_mon + 1, tmLocal.tm_mday, tmLocal.tm_hour, tmLocal.tm_min,
                     tmLocal.tm_sec);
    SYSTEMTIME st{};
    if (date.GetStatus() != COleDateTime::valid || !date.GetAsSystemTime(st) || st.wYear != tmLocal.tm_year + 1900 ||
        st.wMonth != tmLocal.tm_mon + 1 || st.wDay != tmLocal.tm_mday || st.wHour != tmLocal.tm_hour ||
        st.wMinute != tmLocal.tm_min || st.wSecond != tmLocal.tm_sec)
        date.SetStatus(COleDateTime::invalid);
    return date;
}

// ---- window-side operations ----

void CGXDateTimeCtrl::SetValueAsNumber(BOOL bValueAsNumber)
{
    m_bValueAsNumber = bValueAsNumber;
}

BOOL CGXDateTimeCtrl::GetValueField()
{
    return m_bValueAsNumber;
}

BOOL CGXDateTimeCtrl::ApplyFormatFromStyle(CGXBDateTimeCtrl& window, const CGXStyle& style)
{
    const CString strType = AttributeText(style, GX_IDS_UA_DATETIME_FORMAT_TYPE);
    const int nRawType = _ttoi(strType);
    const int nType = std::min(nRawType, static_cast<int>(formatDateTime));
    const CString strCustom = AttributeText(style, GX_IDS_UA_DATETIME_CUSTOM_FORMAT);
    const BOOL bCustomOnly = strType.IsEmpty() && !strCustom.IsEmpty();
    // The fields are built anew only when the format changes: cells are drawn one after another.
    if (nType == formatCustom || bCustomOnly)
    {
        if (window.GetFormatKind() != formatCustom || window.GetCustomFormat() != strCustom)
            window.SetCustomFormat(strCustom);
    }
    else
    {
        const int nKind = strType.IsEmpty() ? static_cast<int>(formatShortDate) : nType;
        if (window.GetFormatKind() != nKind || !window.GetCustomFormat().IsEmpty())
            window.SetFormat(nKind);
    }
    return (nRawType >= 1 && nRawType != formatCustom) || window.HasDateFields();
}

BOOL CGXDateTimeCtrl::SplitFieldTexts(const CString& strText, CStringArray& parts)
{
    parts.RemoveAll();
    const int nLength = strText.GetLength();
    BOOL bEnded = FALSE;
    int nStart = 0;
    for (int i = 0; i < nLength; ++i)
    {
        const TCHAR ch = strText[i];
        if (ch != _T('\r') && ch != _T('\n') && ch != _T(' ') && m_strSeparators.Find(ch) < 0)
        {
            bEnded = FALSE;
            continue;
        }
        if (!bEnded)
            parts.Add(strText.Mid(nStart, i - nStart));
        bEnded = TRUE;
        if (ch == _T('\r') && i + 1 < nLength && strText[i + 1] == _T('\n'))
            ++i;
        nStart = i + 1;
        if (nStart == nLength)
            return parts.GetSize() > 0;
    }
    parts.Add(strText.Mid(nStart));
    return parts.GetSize() > 0;
}

BOOL CGXDateTimeCtrl::ReadDate(const CString& strText, BOOL bForceNumber, COleDateTime& date)
{
    if (strText.IsEmpty())
        return FALSE;
    if (!bForceNumber && date.ParseDateTime(strText, 0, LANG_USER_DEFAULT))
        return TRUE;
    const double dValue = _tcstod(strText, nullptr);
    if (dValue == 0)
        return FALSE;
    date = COleDateTime(dValue);
    return date.GetStatus() == COleDateTime::valid && dValue >= firstDate && dValue <= lastDate + 1;
}

void CGXDateTimeCtrl::LoadWindowValue(CGXBDateTimeCtrl& window, const CString& strText, BOOL bForceNumber,
                                      BOOL bHasDate)
{
    COleDateTime date;
    if (!ReadDate(strText, bForceNumber, date))
    {
        const int nKind = window.GetFormatKind();
        if (nKind != formatTime && (nKind != formatCustom || bHasDate))
        {
            const COleDateTime now = DateTimeNow();
            date.SetDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0);
        }
        else
            date.SetDateTime(1899, 12, 30, 0, 0, 0);
    }
    window.SetDateTime(date);
}

BOOL CGXDateTimeCtrl::LoadMeasuringWindow(const CString& strText, const CGXStyle& style)
{
    if (m_measuringWnd.GetSafeHwnd() == nullptr)
        return FALSE;
    ApplyFormatFromStyle(m_measuringWnd, style);
    COleDateTime date;
    if (!ReadDate(strText, FALSE, date))
        return FALSE;
    m_measuringWnd.SetDateTime(date);
    m_measuringWnd.RefreshFields(nAllFields);
    return TRUE;
}

CString CGXDateTimeCtrl::FieldTexts(const CGXBDateTimeCtrl& window)
{
    CString strText;
    for (INT_PTR i = 0; i < window.GetGadgetCount(); ++i)
    {
        const CGXBDTGadget* pGadget = window.GetGadget(i);
        if (const auto* pNumeric = dynamic_cast<const CGXBDTNumericGadget*>(pGadget))
            strText += NumericText(*pNumeric, pNumeric->GetValue());
        else if (const auto* pList = dynamic_cast<const CGXBDTListGadget*>(pGadget))
            strText += pList->GetValue() != -1 ? pList->GetChoice(pList->GetValue()) : CString();
        else if (const auto* pStatic = dynamic_cast<const CGXBDTStaticGadget*>(pGadget))
            strText += pStatic->GetValue() != -1 ? pStatic->GetText() : CString();
    }
    return strText;
}

BOOL CGXDateTimeCtrl::DateFromParts(const CGXBDateTimeCtrl& window, const CStringArray& parts, COleDateTime& date)
{
    const COleDateTime base = window.GetDateTime();
    int nYear = base.GetYear();
    int nMonth = base.GetMonth();
    int nDay = base.GetDay();
    int nHour = base.GetHour();
    int nMinute = base.GetMinute();
    int nSecond = base.GetSecond();
    int nHour12 = -1;
    BOOL bPM = nHour >= 12;
    INT_PTR k = 0;
    for (INT_PTR i = 0; i < window.GetGadgetCount() && k < parts.GetSize(); ++i)
    {
        const CGXBDTGadget* pGadget = window.GetGadget(i);
        if (const auto* pList = dynamic_cast<const CGXBDTListGadget*>(pGadget))
        {
            const int nFound = pList->FindString(parts[k], -1);
            if (nFound < 0)
                continue;
            ++k;
            if (pList->GetID() == idMonthName)
                nMonth = nFound + 1;
            else if (pList->GetID() == idAmPm)
                bPM = nFound == 1;
            continue;
        }
        if (dynamic_cast<const CGXBDTNumericGadget*>(pGadget) == nullptr)
            continue;
        int nValue = 0;
        if (!ReadInteger(parts[k++], nValue))
            return FALSE;
        switch (pGadget->GetID())
        {
        case idDay:
            nDay = nValue;
            break;
        case idMonth:
            nMonth = nValue;
            break;
        case idYear2:
            if (nValue > 99)
                return FALSE;
            nYear = window.ResolveTwoDigitYear(nValue);
            break;
        case idYear4:
            nYear = nValue;
            break;
        case idHour12:
            if (nValue < 1 || nValue > 12)
                return FALSE;
            nHour12 = nValue;
            break;
        case idHour24:
            nHour = nValue;
            break;
        case idMinute:
            nMinute = nValue;
            break;
        default:
            nSecond = nValue;
            break;
        }
    }
    if (nHour12 >= 0)
        nHour = nHour12 % 12 + (bPM ? 12 : 0);
    return date.SetDateTime(nYear, nMonth, nDay, nHour, nMinute, nSecond) == COleDateTime::valid;
}

CString CGXDateTimeCtrl::StoredText(const COleDateTime& date) const
{
    if (!m_bValueAsNumber)
        return date.Format(0, LANG_USER_DEFAULT);
    CString strFormat;
    strFormat.Format(_T("%%.%dg"), m_nPrecision);
    CString strText;
    strText.Format(strFormat, static_cast<DATE>(date));
    return strText;
}

void CGXDateTimeCtrl::SelectCurrentField()
{
    INT_PTR nCurrent = GetCurrentIndex();
    if (nCurrent < 0 || nCurrent >= GetGadgetCount() || !IsEnabledField(GetGadget(nCurrent)))
    {
        const INT_PTR nFirst = FindEnabledField(0, 1);
        if (nFirst >= 0)
            nCurrent = nFirst;
    }
    FocusField(nCurrent);
}

INT_PTR CGXDateTimeCtrl::FindEnabledField(INT_PTR nFrom, int nDirection) const
{
    for (INT_PTR i = nFrom; i >= 0 && i < GetGadgetCount(); i += nDirection)
        if (IsEnabledField(GetGadget(i)))
            return i;
    return -1;
}

void CGXDateTimeCtrl::FocusField(INT_PTR nField)
{
    SetCurrentIndex(nField);
    for (INT_PTR i = 0; i < GetGadgetCount(); ++i)
        GetGadget(i)->SetFocus(i == nField);
}

void CGXDateTimeCtrl::ShowFoundField(ROWCOL nRow, ROWCOL nCol, INT_PTR nField)
{
    m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
    m_pGrid->SetCurrentCell(nRow, nCol, GX_FOUNDCELL);
    if (!IsActiveAt(nRow, nCol))
        Init(nRow, nCol);
    SetActive(TRUE);
    RefreshCell();
    FocusField(nField);
}

void CGXDateTimeCtrl::ResetFindState()
{
    m_find = FindState();
}

BOOL CGXDateTimeCtrl::OnChanging(const COleDateTime& /*value*/)
{
    m_find.nRow = noCell;
    m_find.nCol = noCell;
    m_find.strText.Empty();
    if (!m_bIsBound)
        return TRUE;
    LoadStyle();
    if (IsReadOnlyCell())
        return FALSE;
    SetModified(TRUE);
    return TRUE;
}

void CGXDateTimeCtrl::OnChanged()
{
    if (!m_bIsBound)
        return;
    RefreshCell();
    if (IsModified())
        RequestCommit();
}

// ---- control operations ----

const GXControlClass* CGXDateTimeCtrl::GetControlClass() const
{
    return &ctlClassCGXDateTimeCtrl;
}

void CGXDateTimeCtrl::SetActive(BOOL bActive)
{
    m_bIsActive = bActive;
}

void CGXDateTimeCtrl::SetModified(BOOL bModified)
{
    m_bModify = bModified;
}

BOOL CGXDateTimeCtrl::IsModified()
{
    return m_bModify;
}

void CGXDateTimeCtrl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXStatic::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
    {
        const CRect rect(0, 0, 1, 1);
        CreateWnd(0, &rect);
    }
    const CGXStyle& style = *LoadStyle();
    SetNoEditMask(static_cast<UINT>(AttributeInt(style, GX_IDS_UA_DATETIME_NO_EDIT, 0)));
    m_bHasDate = ApplyFormatFromStyle(*this, style);
    m_bForceNumber = AttributeInt(style, GX_IDS_UA_DATETIME_FORCE_NUMBER, 0);
    SetValue(style.GetInclude(CGXStyle::inclValue) ? static_cast<LPCTSTR>(style.GetValue()) : _T(""));
    m_nPrecision = std::clamp(AttributeInt(style, GX_IDS_UA_DATETIME_PRECISION, 13), 13, 15);
    COleDateTime minimum;
    if (!ReadDate(AttributeText(style, GX_IDS_UA_DATETIME_MIN), m_bForceNumber, minimum))
        minimum = COleDateTime(firstDate);
    COleDateTime maximum;
    if (!ReadDate(AttributeText(style, GX_IDS_UA_DATETIME_MAX), m_bForceNumber, maximum))
        maximum = COleDateTime(lastDate);
    SetRange(minimum, maximum, AttributeInt(style, GX_IDS_UA_DATETIME_VALIDATION, 0));
    SetAdvanceFlag(AttributeInt(style, GX_IDS_UA_DATETIME_FAST_INPUT, 1));
    SetModified(FALSE);
}

BOOL CGXDateTimeCtrl::StoreEditedValue()
{
    CString strText;
    if (m_pStyle == nullptr || !IsModified() || !GetStyleValue(strText))
        return TRUE;
    SetActive(FALSE);
    return m_pGrid->SetValueRange(CGXRange(Row(), Col()), strText, CGXStyle::modeOverride, GX_INVALIDATE);
}

BOOL CGXDateTimeCtrl::ValidateValue()
{
    // Digits typed into the current field count before the value is checked.
    auto* pCurrent = dynamic_cast<CGXBDTNumericGadget*>(GetCurrentGadget());
    if (pCurrent != nullptr && pCurrent->GetTypedDigitCount() > 0)
    {
        pCurrent->SetFocus(FALSE);
        pCurrent->SetFocus(TRUE);
    }
    return CGXStatic::ValidateValue();
}

BOOL CGXDateTimeCtrl::RequestEditing()
{
    if (!CGXStatic::RequestEditing())
        return FALSE;
    SelectCurrentField();
    return TRUE;
}

CRect CGXDateTimeCtrl::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                         const CGXStyle* pStyle)
{
    return CGXControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
}

CSize CGXDateTimeCtrl::AddFrameToSize(CSize& size, CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle)
{
    size.cx += 5;
    return CGXControl::AddFrameToSize(size, pDC, nRow, nCol, pStyle);
}

CSize CGXDateTimeCtrl::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection)
{
    const CString strValue = style.GetInclude(CGXStyle::inclValue) ? style.GetValue() : CString();
    CFont* pOldFont = pDC->SelectObject(m_pGrid->LoadFont(pDC, style, nullptr));
    CSize size(0, 0);
    const BOOL bValue = LoadMeasuringWindow(strValue, style);
    if (bValue)
    {
        for (INT_PTR i = 0; i < m_measuringWnd.GetGadgetCount(); ++i)
        {
            CGXBDTGadget* pGadget = m_measuringWnd.GetGadget(i);
            pGadget->CalculateSize(*pDC);
            size.cx += pGadget->GetRect().Width();
            size.cy = std::max(size.cy, static_cast<LONG>(pGadget->GetRect().bottom));
        }
        if (nDirection != 0)
        {
            TEXTMETRIC tm{};
            pDC->GetTextMetrics(&tm);
            size = CSize(0, std::max(static_cast<LONG>(tm.tmHeight + tm.tmExternalLeading + 1), size.cy));
        }
        else
            size.cy = 0;
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
    if (!bValue)
        return size;
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

BOOL CGXDateTimeCtrl::CanFloatCell(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& /*style*/, BOOL /*bFloatOrFlood*/)
{
    return FALSE;
}

BOOL CGXDateTimeCtrl::ReservedHookA(DWORD /*dwValue1*/, DWORD /*dwValue2*/, DWORD /*dwValue3*/, DWORD /*dwValue4*/)
{
    return FALSE;
}

void CGXDateTimeCtrl::GetCurrentText(CString& strText)
{
    if (!m_bIsBound || !IsModified())
    {
        CGXStatic::GetCurrentText(strText);
        return;
    }
    const CString strDate = GetDateTime().Format(0, LANG_USER_DEFAULT);
    FormatDisplayText(strText, Row(), Col(), strDate, *LoadStyle());
}

BOOL CGXDateTimeCtrl::GetStyleValue(CString& strText)
{
    if (!m_bIsBound || !IsModified())
        return CGXStatic::GetStyleValue(strText);
    strText = m_bValueAsNumber ? GetDateTime().Format(0, LANG_USER_DEFAULT) : GetDateTime().Format(_T("%#c"));
    return TRUE;
}

BOOL CGXDateTimeCtrl::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    COleDateTime date(0.0);
    if (!strText.IsEmpty() && (!AcceptText(strText) || !date.ParseDateTime(strText, 0, LANG_USER_DEFAULT)))
        return FALSE;
    SetDateTime(date);
    SetModified(TRUE);
    RequestCommit();
    return TRUE;
}

void CGXDateTimeCtrl::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() == nullptr)
        return;
    LoadWindowValue(*this, pszText != nullptr ? CString(pszText) : CString(), m_bForceNumber, m_bHasDate);
    RequestCommit();
}

BOOL CGXDateTimeCtrl::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                        const CGXStyle& style)
{
    if (pszText == nullptr && !style.GetInclude(CGXStyle::inclValue))
    {
        strOut.Empty();
        return FALSE;
    }
    const CString strValue = pszText != nullptr ? CString(pszText) : style.GetValue();
    if (!LoadMeasuringWindow(strValue, style))
    {
        strOut.Empty();
        return FALSE;
    }
    strOut = FieldTexts(m_measuringWnd);
    return TRUE;
}

BOOL CGXDateTimeCtrl::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    if (strText.IsEmpty())
        return TRUE;
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    // Date text, and numbers as they come back from the clipboard, are dates as they stand.
    COleDateTime date;
    double dNumber = 0;
    const BOOL bDate = (date.ParseDateTime(strText, 0, LANG_USER_DEFAULT) && static_cast<DATE>(date) != 0.0) ||
                       (ReadNumber(strText, dNumber) && ReadDate(strText, TRUE, date));
    if (!bDate)
    {
        // Otherwise the parts fill the fields of the cell's format in order.
        CStringArray parts;
        if (!SplitFieldTexts(strText, parts) || m_measuringWnd.GetSafeHwnd() == nullptr)
            return FALSE;
        ApplyFormatFromStyle(m_measuringWnd, *pStyle);
        LoadWindowValue(m_measuringWnd, CString(), FALSE, m_measuringWnd.HasDateFields());
        if (!DateFromParts(m_measuringWnd, parts, date))
            return FALSE;
    }
    if (GetSafeHwnd() != nullptr)
        SetDateTime(date);
    strText = StoredText(date);
    return TRUE;
}

BOOL CGXDateTimeCtrl::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (!CGXStatic::RebindToCell(nRow, nCol, pStyle, nMode, nType))
        return FALSE;
    if ((nMode != CGXStyle::modeOverride && nMode != CGXStyle::modeApplyNew) || !m_pGrid->IsCurrentCell(nRow, nCol) ||
        pStyle == nullptr)
        return TRUE;
    if (pStyle->GetInclude(CGXStyle::inclControl))
    {
        Reset();
        return TRUE;
    }
    if (pStyle->GetInclude(CGXStyle::inclValue) && !IsModified())
    {
        // The cell shows the stored value afresh.
        Reset();
        Init(nRow, nCol);
        return TRUE;
    }
    if (m_bIsBound && (pStyle->HasUserAttribute(GX_IDS_UA_DATETIME_NO_EDIT) ||
                       pStyle->HasUserAttribute(GX_IDS_UA_DATETIME_FORMAT_TYPE) ||
                       pStyle->HasUserAttribute(GX_IDS_UA_DATETIME_CUSTOM_FORMAT)))
    {
        ApplyFormatFromStyle(*this, *LoadStyle());
        SelectCurrentField();
    }
    return TRUE;
}

void CGXDateTimeCtrl::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    const auto lock = ScopedGridFocusLock();
    ::HideCaret(m_hWnd);
    MoveWindow(10000, 10000, 10, 10, FALSE);
    ShowWindow(SW_HIDE);
}

// ---- drawing ----

void CGXDateTimeCtrl::LayoutIn(CGXBDateTimeCtrl& window, CDC* pDC, const CRect& rect)
{
    // The gadgets' sizes depend on the font and the format only: measured once for both.
    const HFONT hFont = static_cast<HFONT>(::GetCurrentObject(pDC->m_hDC, OBJ_FONT));
    if (m_sizes.hFont != hFont || m_sizes.nKind != window.GetFormatKind() ||
        m_sizes.strCustom != window.GetCustomFormat() ||
        m_sizes.rects.size() != static_cast<size_t>(window.GetGadgetCount()))
    {
        m_sizes.hFont = hFont;
        m_sizes.nKind = window.GetFormatKind();
        m_sizes.strCustom = window.GetCustomFormat();
        m_sizes.nDigitWidth = pDC->GetTextExtent(_T("0"), 1).cx;
        m_sizes.rects.clear();
        for (INT_PTR i = 0; i < window.GetGadgetCount(); ++i)
        {
            window.GetGadget(i)->CalculateSize(*pDC);
            m_sizes.rects.push_back(window.GetGadget(i)->GetRect());
        }
    }
    int nLeft = 1;
    int nRight = rect.right;
    for (INT_PTR i = 0; i < window.GetGadgetCount(); ++i)
    {
        CGXBDTGadget* pGadget = window.GetGadget(i);
        CRect rectGadget = m_sizes.rects[static_cast<size_t>(i)];
        // A drawn cell shows each number as wide as its digits, not as its widest value.
        if (const auto* pNumeric = dynamic_cast<const CGXBDTNumericGadget*>(pGadget))
            rectGadget.right =
                rectGadget.left + m_sizes.nDigitWidth * NumericText(*pNumeric, pNumeric->GetValue()).GetLength();
        if (rectGadget.bottom == -1)
        {
            rectGadget.OffsetRect(nLeft, 1);
            rectGadget.top = rect.top;
            rectGadget.bottom = rect.bottom;
        }
        else
            rectGadget.OffsetRect(rect.left + nLeft, rect.top + 1);
        const int nWidth = rectGadget.Width();
        if ((pGadget->GetStyle() & GXBDT_ANCHORRIGHT) != 0)
        {
            nRight -= nWidth;
            rectGadget.OffsetRect(nRight - rectGadget.left, 0);
        }
        else
            nLeft += nWidth;
        pGadget->SetRect(rectGadget);
    }
}

void CGXDateTimeCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (IsActiveAt(nRow, nCol) && m_bIsActive && !m_pGrid->IsPrinting() && GetSafeHwnd() != nullptr)
        DrawLive(pDC, rect, nRow, nCol, pStandardStyle);
    else
        DrawThroughWindow(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXDateTimeCtrl::DrawThroughWindow(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                        const CGXStyle* pStandardStyle)
{
    CFont* pOldFont = pDC->SelectObject(m_pGrid->LoadFont(pDC, style, pStandardStyle));
    DrawBackground(pDC, rect, style, TRUE);
    CRect rectInner;
    GetCellClientRect(rectInner, nRow, nCol, &rect, &style);
    const BOOL bCurrent = m_pGrid->IsCurrentCell(nRow, nCol) && !m_pGrid->IsPrinting();
    const BOOL bButton = m_bAlwaysShowButton || bCurrent;
    const BOOL bSpin = m_bAlwaysShowSpin || (bCurrent && !IsReadOnlyCell());
    const CString strValue = style.GetInclude(CGXStyle::inclValue) ? style.GetValue() : CString();
    if (m_drawingWnd.GetSafeHwnd() != nullptr)
    {
        m_drawingWnd.m_bForceNumber = AttributeInt(style, GX_IDS_UA_DATETIME_FORCE_NUMBER, 0);
        ApplyFormatFromStyle(m_drawingWnd, style);
        LoadWindowValue(m_drawingWnd, strValue, m_drawingWnd.m_bForceNumber, FALSE);
        LayoutIn(m_drawingWnd, pDC, rectInner);
        const CGXProperties* pProperties = m_pGrid->GetProperties();
        const BOOL bBlackWhite = pProperties != nullptr && pProperties->IsBlackWhiteOutput();
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(bBlackWhite ? RGB(0, 0, 0) : style.GetTextColor());
        pDC->SetBkColor(bBlackWhite ? RGB(255, 255, 255) : style.GetInterior().GetColor());
        for (INT_PTR i = m_drawingWnd.GetGadgetCount() - 1; i >= 0; --i)
        {
            CGXBDTGadget* pGadget = m_drawingWnd.GetGadget(i);
            CRect rectField;
            if (!rectField.IntersectRect(pGadget->GetRect(), rectInner))
                continue;
            pGadget->SetRect(rectField);
            const BOOL bText = !strValue.IsEmpty();
            if (bText && pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTNumericGadget)))
                DrawNumericGadget(pDC, pGadget, rectInner);
            else if (bText && pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTListGadget)))
                DrawListGadget(pDC, pGadget, rectInner);
            else if (bText && pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTStaticGadget)))
                DrawStaticGadget(pDC, pGadget, rectInner);
            else if (bButton && pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTButtonGadget)))
                DrawButtonGadget(pDC, pGadget, rectInner);
            else if (bSpin && pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTSpinGadget)))
                DrawSpinGadget(pDC, pGadget, rectInner);
        }
    }
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);
}

void CGXDateTimeCtrl::DrawLive(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStandardStyle)
{
    const CGXStyle& cached = *LoadStyle();
    m_font.DeleteObject();
    LOGFONT lf;
    cached.GetFont().GetLogFontScaled(lf, m_pGrid->GetZoom());
    // A font that cannot be made leaves the window the system font (WM_SETFONT with none).
    m_font.CreateFontIndirect(&lf);
    DrawBackground(pDC, rect, cached, TRUE);
    CRect rectInner;
    GetCellClientRect(rectInner, nRow, nCol, &rect, nullptr);
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
    MoveWindow(rectInner, FALSE);
    ShowWindow(SW_SHOW);
    CRect rectClip;
    // A cell partly scrolled under the frozen area repaints only what the clip box covers.
    if ((nRow < m_pGrid->GetTopRow() || nCol < m_pGrid->GetLeftCol()) && pDC->GetClipBox(rectClip) != NULLREGION &&
        !rectClip.IsRectEmpty())
        RepaintClipBoxOnly(this, rect, rectClip);
    UpdateWindow();
    TakeFocusFromGrid(this);
    AddRectToGridList(rectInner);
    CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
}

namespace
{
// Field text in the dc's colours, or highlighted while the field has the focus.
// The text in the field, clipped to it. Drawn cells size number and literal fields to their
// text, so only list fields, sized to their longest entry, need centring.
void TextInField(CDC* pDC, const CRect& rect, const CString& strText, BOOL bCentre)
{
    const int x = bCentre ? rect.left + (rect.Width() - pDC->GetTextExtent(strText).cx) / 2 : rect.left;
    pDC->ExtTextOut(x, rect.top, ETO_CLIPPED, rect, strText, nullptr);
}

// Field text in the dc's colours, or highlighted while the field has the focus.
void DrawFieldText(CDC* pDC, const CGXBDTGadget* pGadget, const CString& strText, BOOL bCentre)
{
    const CRect& rect = pGadget->GetRect();
    if (!pGadget->HasFocus())
    {
        TextInField(pDC, rect, strText, bCentre);
        return;
    }
    const COLORREF clrOldText = pDC->SetTextColor(::GetSysColor(COLOR_HIGHLIGHTTEXT));
    const COLORREF clrOldBack = pDC->SetBkColor(::GetSysColor(COLOR_HIGHLIGHT));
    const int nOldMode = pDC->SetBkMode(OPAQUE);
    pDC->FillSolidRect(rect, ::GetSysColor(COLOR_HIGHLIGHT));
    TextInField(pDC, rect, strText, bCentre);
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(clrOldBack);
    pDC->SetTextColor(clrOldText);
}
} // namespace

void CGXDateTimeCtrl::DrawNumericGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& /*rectCell*/)
{
    const auto* pNumeric = static_cast<const CGXBDTNumericGadget*>(pGadget);
    const int nValue = pNumeric->GetTypedDigitCount() > 0 ? pNumeric->GetTypedValue() : pNumeric->GetValue();
    DrawFieldText(pDC, pGadget, NumericText(*pNumeric, nValue), FALSE);
}

void CGXDateTimeCtrl::DrawListGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& /*rectCell*/)
{
    const auto* pList = static_cast<const CGXBDTListGadget*>(pGadget);
    DrawFieldText(pDC, pGadget, pList->GetChoice(pList->GetValue()), TRUE);
}

void CGXDateTimeCtrl::DrawStaticGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& /*rectCell*/)
{
    TextInField(pDC, pGadget->GetRect(), static_cast<const CGXBDTStaticGadget*>(pGadget)->GetText(), FALSE);
}

void CGXDateTimeCtrl::DrawButtonGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& /*rectCell*/)
{
    const auto* pButton = static_cast<const CGXBDTButtonGadget*>(pGadget);
    CRect rect = pGadget->GetRect();
    const BOOL bPressed = pButton->IsDrawnPressed();
    if (!DrawThemedPart(pDC, L"BUTTON", BP_PUSHBUTTON, bPressed ? PBS_PRESSED : PBS_NORMAL, rect))
    {
        // The classic face draws its own bitmap.
        pGadget->Draw(*pDC);
        return;
    }
    rect.DeflateRect(2, 2);
    pButton->DrawBitmap(*pDC, rect);
}

void CGXDateTimeCtrl::DrawSpinGadget(CDC* pDC, CGXBDTGadget* pGadget, const CRect& /*rectCell*/)
{
    const CRect rect = pGadget->GetRect();
    pDC->FillSolidRect(rect, GXGetSysData()->GetSysColor(COLOR_BTNFACE));
    const auto* pSpin = static_cast<const CGXBDTSpinGadget*>(pGadget);
    const CRect rectUp(rect.left, rect.top, rect.right, rect.top + rect.Height() / 2);
    const CRect rectDown(rect.left, rectUp.bottom, rect.right, rect.bottom);
    if (!DrawThemedPart(pDC, L"SPIN", SPNP_UP, pSpin->IsUpPressed() ? UPS_PRESSED : UPS_NORMAL, rectUp))
        CGXBDTSpinGadget::DrawSpinHalf(*pDC, rectUp, TRUE, pSpin->IsUpPressed());
    if (!DrawThemedPart(pDC, L"SPIN", SPNP_DOWN, pSpin->IsDownPressed() ? DNS_PRESSED : DNS_NORMAL, rectDown))
        CGXBDTSpinGadget::DrawSpinHalf(*pDC, rectDown, FALSE, pSpin->IsDownPressed());
}

// ---- keys routed by the grid while the control is not active ----

void CGXDateTimeCtrl::ActivateAtField(BOOL bLast)
{
    SetActive(TRUE);
    RefreshCell();
    const INT_PTR nField = bLast ? FindEnabledField(GetGadgetCount() - 1, -1) : FindEnabledField(0, 1);
    FocusField(nField >= 0 ? nField : GetCurrentIndex());
}

void CGXDateTimeCtrl::ClearCell()
{
    SetActive(FALSE);
    SetModified(FALSE);
    m_pGrid->SetControlTextRowCol(Row(), Col(), CString(), GX_UPDATENOW, LoadStyle());
}

BOOL CGXDateTimeCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    if (GXIsKeyDown(VK_CONTROL))
        return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    switch (nChar)
    {
    case VK_END:
    case VK_HOME:
        m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE);
        if (!RequestEditing())
            return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
        if (!m_bIsBound)
            Init(Row(), Col());
        ActivateAtField(nChar == VK_END);
        return TRUE;
    case VK_DELETE: {
        if (!GXIsKeyDown(VK_SHIFT) && !GXIsEditLocked(m_pGrid->GetParam()) && !IsReadOnlyCell() && ForwardHookC() &&
            RequestEditing())
            ClearCell();
        return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    }
    default:
        return CGXStatic::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

BOOL CGXDateTimeCtrl::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar != VK_DOWN || GetGadgetCount() == 0)
        return CGXStatic::OnSysKeyDown(nChar, nRepCnt, nFlags);
    if (!RequestEditing())
        return FALSE;
    SetActive(TRUE);
    if (!m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE))
        RefreshCell();
    GetGridWnd()->UpdateWindow();
    if ((GetStyle() & GXBDT_DS_CALENDAR) != 0)
        PopupCalendar();
    return TRUE;
}

BOOL CGXDateTimeCtrl::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (GetSafeHwnd() == nullptr || nChar < 32 || nChar == 127)
        return FALSE;
    return OnCharText(CString(static_cast<TCHAR>(nChar)));
}

BOOL CGXDateTimeCtrl::OnCharText(const CString& strText)
{
    if (m_bIsActive)
        return TRUE;
    if (IsReadOnlyCell() || !RequestEditing())
        return FALSE;
    SetActive(TRUE);
    RefreshCell();
    FocusField(FindEnabledField(0, 1));
    if (strText.GetLength() == 1)
        PostMessage(WM_CHAR, static_cast<WPARAM>(strText[0]), 1);
    return TRUE;
}

// ---- keys in the editing window ----

BOOL CGXDateTimeCtrl::PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return m_pGrid->ProcessKeys(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
}

LRESULT CGXDateTimeCtrl::OnWndKeyDown(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsActive)
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE);
    if (GXIsKeyDown(VK_CONTROL))
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    switch (nChar)
    {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    case VK_DELETE:
        ClearCell();
        return 0;
    default:
        break;
    }
    if ((nChar >= VK_F1 && nChar <= VK_F3) || (nChar >= VK_F5 && nChar <= VK_F24))
    {
        PassToGrid(WM_KEYDOWN, wParam, lParam);
        return 0;
    }
    CGXBDateTimeCtrl::OnKeyDown(nChar, LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndKeyUp(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(WM_KEYUP, wParam, lParam))
        return 0;
    const LRESULT lResult = Default();
    if (IsModified())
        RequestCommit();
    return lResult;
}

LRESULT CGXDateTimeCtrl::OnWndChar(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsBound || !m_bIsActive || IsReadOnlyCell() || nChar == VK_BACK)
        return 0;
    m_pGrid->ScrollCellInView(Row(), Col(), GX_UPDATENOW, FALSE);
    if (GXIsKeyDown(VK_CONTROL) && ProcessClipboardChar(nChar, TRUE))
        return 0;
    if (!GXIsKeyDown(VK_CONTROL) && (nChar == 13 || nChar == 10))
        return 0;
    SetModified(TRUE);
    CGXBDateTimeCtrl::OnChar(nChar, LOWORD(lParam), HIWORD(lParam));
    RequestCommit();
    PassToGrid(WM_CHAR, wParam, lParam);
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndSysKeyDown(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (GetGadgetCount() > 0 && nChar == VK_DOWN)
    {
        if ((GetStyle() & GXBDT_DS_CALENDAR) != 0)
            PopupCalendar();
        return 0;
    }
    if (PassToGrid(WM_SYSKEYDOWN, wParam, lParam))
        return 0;
    CGXBDateTimeCtrl::OnSysKeyDown(nChar, LOWORD(lParam), HIWORD(lParam));
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndSysKey(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(static_cast<UINT>(GetCurrentMessage()->message), wParam, lParam))
        return 0;
    return Default();
}

LRESULT CGXDateTimeCtrl::OnWndLButtonUp(WPARAM wParam, LPARAM lParam)
{
    {
        const auto lock = ScopedGridFocusLock();
        CGXBDateTimeCtrl::OnLButtonUp(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
    }
    if (IsModified())
        RequestCommit();
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndSetFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    ResetScrollOffset();
    CGXBDateTimeCtrl::OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndKillFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    CWnd* pNewWnd = CWnd::FromHandle(reinterpret_cast<HWND>(wParam));
    CGXBDateTimeCtrl::OnKillFocus(pNewWnd);
    SetFocusToGridIfNeeded(pNewWnd);
    return 0;
}

LRESULT CGXDateTimeCtrl::OnWndEraseBkgnd(WPARAM wParam, LPARAM /*lParam*/)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    CRect rect;
    GetClientRect(rect);
    pDC->FillSolidRect(rect, RGB(255, 255, 255));
    if (m_pStyle != nullptr)
        pDC->FillSolidRect(rect, m_pStyle->GetInterior().GetColor());
    return TRUE;
}

// ---- mouse ----

BOOL CGXDateTimeCtrl::ActivateAtPoint(UINT nFlags, CPoint point, BOOL bForce)
{
    CRect rectCell;
    GetCellClientRect(rectCell, Row(), Col(), nullptr, LoadStyle());
    if (point.x > rectCell.left && point.y > rectCell.top)
        point -= rectCell.TopLeft();
    MoveWindow(rectCell, FALSE);
    LayoutGadgets();
    const INT_PTR nHit = GadgetFromPoint(point);
    BOOL bHit = nHit >= 0 && IsEnabledField(GetGadget(nHit));
    if (bHit)
    {
        if (!bForce && (!LoadStyle()->GetInclude(CGXStyle::inclValue) || m_pStyle->GetValue().IsEmpty()))
            return FALSE;
        SetCurrentIndex(nHit);
    }
    SelectCurrentField();
    if (!RequestEditing())
        return FALSE;
    SetActive(TRUE);
    RefreshCell();
    if (bHit)
        GetGridWnd()->UpdateWindow();
    const LPARAM lPoint = MAKELPARAM(point.x, point.y);
    SendMessage(WM_LBUTTONDOWN, nFlags, lPoint);
    SendMessage(WM_LBUTTONUP, nFlags, lPoint);
    return TRUE;
}

BOOL CGXDateTimeCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    LoadStyle();
    CRect rectInner;
    GetCellClientRect(rectInner, Row(), Col(), nullptr, m_pStyle);
    if (GetSafeHwnd() == nullptr || GetGadgetCount() == 0 || !rectInner.PtInRect(point))
        return FALSE;
    const auto lock = ScopedGridFocusLock();
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & GX_ACTIVATEONRELEASE) != 0)
        ActivateAtPoint(nFlags, point, FALSE);
    CGXStatic::OnLButtonUp(nFlags, point);
    return TRUE;
}

BOOL CGXDateTimeCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bIsActive)
        return CGXStatic::OnLButtonDblClk(nFlags, point);
    ActivateAtPoint(nFlags, point, TRUE);
    CGXStatic::OnLButtonDblClk(nFlags, point);
    return TRUE;
}

// ---- clipboard ----

BOOL CGXDateTimeCtrl::CopyToClipboard()
{
    if (!m_bIsBound || !m_pGrid->IsCurrentCell(Row(), Col()))
        return FALSE;
    return m_pGrid->CopyRangeToClipboard(CGXRange(Row(), Col()));
}

BOOL CGXDateTimeCtrl::IsClipboardEditable()
{
    if (GXIsEditLocked(m_pGrid->GetParam()) || !m_bIsBound || !m_bIsActive)
        return FALSE;
    const CGXStyle* pStyle = LoadStyle();
    return !(pStyle->GetInclude(CGXStyle::inclReadOnly) && pStyle->GetReadOnly());
}

BOOL CGXDateTimeCtrl::CanPaste()
{
    if (!IsClipboardEditable())
        return FALSE;
    return CGXClipboardText::HasText(GetGridWnd());
}

BOOL CGXDateTimeCtrl::PasteFromClipboard()
{
    if (!IsClipboardEditable())
        return FALSE;
    CString strText;
    if (!CGXClipboardText::Read(GetGridWnd(), strText))
        return FALSE;
    // A text that is no date stores nothing, and the paste says so.
    CString strValue = strText;
    if (!CanStoreValue(Row(), Col(), strValue, LoadStyle()))
        return FALSE;
    SetCellText(strText);
    return TRUE;
}

void CGXDateTimeCtrl::SetCellText(const CString& strText)
{
    StoreCellText(strText);
}

BOOL CGXDateTimeCtrl::StoreCellText(const CString& strText)
{
    if (!m_bIsBound || IsReadOnlyCell())
        return FALSE;
    SetModified(FALSE);
    return m_pGrid->SetControlTextRowCol(Row(), Col(), strText, GX_UPDATENOW, LoadStyle());
}

void CGXDateTimeCtrl::GetValueForCopy(ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style, CString& strText)
{
    strText = style.GetValue();
    if (strText.IsEmpty() || m_measuringWnd.GetSafeHwnd() == nullptr)
        return;
    ApplyFormatFromStyle(m_measuringWnd, style);
    COleDateTime date;
    if (ReadDate(strText, FALSE, date))
        strText.Format(_T("%f"), static_cast<DATE>(date));
}

void CGXDateTimeCtrl::GetCopyText(CString& strText)
{
    strText.Empty();
    CGXBDTGadget* pFocus = nullptr;
    for (INT_PTR i = 0; m_bIsActive && i < GetGadgetCount() && pFocus == nullptr; ++i)
        if (GetGadget(i)->HasFocus())
            pFocus = GetGadget(i);
    if (pFocus == nullptr || pFocus->GetValue() == noValue)
        return;
    if (pFocus->IsKindOf(RUNTIME_CLASS(CGXBDTNumericGadget)))
        strText.Format(_T("%d"), pFocus->GetValue());
    else if (const auto* pList = dynamic_cast<const CGXBDTListGadget*>(pFocus);
             pList != nullptr && pList->GetValue() != -1)
        strText = pList->GetChoice(pList->GetValue());
}

// ---- find and replace ----

INT_PTR CGXDateTimeCtrl::MatchField(const CGXBDateTimeCtrl& window, INT_PTR nStart, const CString& strFind, BOOL bCase,
                                    BOOL bExact)
{
    for (INT_PTR i = std::max<INT_PTR>(nStart, 0); i < window.GetGadgetCount(); ++i)
    {
        const CGXBDTGadget* pGadget = window.GetGadget(i);
        if (pGadget->IsKindOf(RUNTIME_CLASS(CGXBDTNumericGadget)))
        {
            CString strValue;
            strValue.Format(_T("%d"), pGadget->GetValue());
            if (bExact ? strValue == strFind
                       : (!strFind.IsEmpty() && _istdigit(strFind[0]) && _ttoi(strFind) == pGadget->GetValue()))
                return i;
        }
        else if (const auto* pList = dynamic_cast<const CGXBDTListGadget*>(pGadget);
                 pList != nullptr && pList->GetValue() != -1)
        {
            CString strEntry = pList->GetChoice(pList->GetValue());
            if (bExact ? strEntry.CompareNoCase(strFind) == 0
                       : (!bCase ? strEntry.MakeUpper() : strEntry).Left(strFind.GetLength()) == strFind &&
                             !strFind.IsEmpty())
                return i;
        }
    }
    return -1;
}

BOOL CGXDateTimeCtrl::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL bFromCurrent, BOOL bSelect)
{
    const CString& strFind = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (strFind.IsEmpty() || GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bIsActive && IsActiveAt(nRow, nCol))
    {
        CString strLast = m_find.strText;
        if (!find.m_bCase)
            strLast.MakeUpper();
        const BOOL bContinue =
            m_find.nRow == nRow && m_find.nCol == nCol && strLast.Left(strFind.GetLength()) == strFind && !bFromCurrent;
        const INT_PTR nHit = MatchField(*this, bContinue ? m_find.nNext : 0, strFind, find.m_bCase, FALSE);
        if (nHit < 0)
        {
            if (bContinue)
                ResetFindState();
            return FALSE;
        }
        m_find = FindState{nRow, nCol, find.m_strFind, nHit + 1, TRUE};
        FocusField(nHit);
        Invalidate(FALSE);
        return TRUE;
    }
    const ComposedStyle composed(m_pGrid, nRow, nCol);
    const CGXStyle& style = *composed.m_pStyle;
    if (!style.GetInclude(CGXStyle::inclValue) || !LoadMeasuringWindow(style.GetValue(), style))
        return FALSE;
    const INT_PTR nHit = MatchField(m_measuringWnd, 0, strFind, find.m_bCase, FALSE);
    if (nHit < 0)
        return FALSE;
    m_find = FindState{nRow, nCol, find.m_strFind, nHit + 1, TRUE};
    if (bSelect)
        ShowFoundField(nRow, nCol, nHit);
    return TRUE;
}

BOOL CGXDateTimeCtrl::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    const CString& strFind = find.m_bCase ? find.m_strFind : find.m_strFindUpper;
    if (strFind.IsEmpty() || GetSafeHwnd() == nullptr)
        return FALSE;
    const BOOL bOwn = m_bIsActive && IsActiveAt(nRow, nCol);
    INT_PTR nHit = -1;
    if (bOwn)
    {
        if (IsReadOnlyCell())
            return FALSE;
        CString strLast = m_find.strText;
        if (!find.m_bCase)
            strLast.MakeUpper();
        const BOOL bContinue =
            m_find.nRow == nRow && m_find.nCol == nCol && strLast.Left(strFind.GetLength()) == strFind && find.m_bNext;
        nHit = MatchField(*this, bContinue ? m_find.nNext : 0, strFind, find.m_bCase, FALSE);
        if (nHit < 0 && bContinue)
            ResetFindState();
        if (nHit >= 0)
            GetGadget(nHit)->SetFocus(TRUE);
    }
    else
    {
        const ComposedStyle composed(m_pGrid, nRow, nCol);
        const CGXStyle& style = *composed.m_pStyle;
        if (IsLockedReadOnly(&style) || !style.GetInclude(CGXStyle::inclValue) ||
            !LoadMeasuringWindow(style.GetValue(), style))
            return FALSE;
        nHit = MatchField(m_measuringWnd, 0, find.m_strFind, find.m_bCase, TRUE);
        if (nHit >= 0)
            ShowFoundField(nRow, nCol, nHit);
    }
    if (nHit < 0)
        return FALSE;
    m_find = FindState{nRow, nCol, find.m_strFind, nHit + 1, TRUE};
    return StoreCellText(find.m_strReplace);
}
