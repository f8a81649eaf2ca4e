#include <grid/controls/RichEditCtrl.h>

#include <grid/controls/ComposedStyle.h>
#include <grid/controls/EditLock.h>
#include <grid/controls/HiddenWindowId.h>
#include <grid/core/FindReplaceState.h>
#include <grid/core/GridCore.h>
#include <grid/core/GridParam.h>
#include <grid/core/KeyState.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <toolkit/foundation/ScopedValue.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using tarnwick::foundation::SECScopedValue;

namespace
{
constexpr int twipsPerInch = 1440;
constexpr int twipsPerPoint = 20;
// The hidden windows lie far outside the edit window.
const CRect hiddenRect(30000, 30000, 30100, 30100);

UINT RichTextFormat()
{
    static const UINT nFormat = ::RegisterClipboardFormatW(L"Rich Text Format");
    return nFormat;
}

void AppendUnicodeWord(CString& strOut, WCHAR ch)
{
    strOut.AppendFormat(_T("\\u%d?"), static_cast<int>(static_cast<short>(ch)));
}

BOOL IsRtf(const CString& strValue)
{
    return strValue.Left(5) == _T("{\\rtf");
}

// RTF held as Unicode, with every character above 0x7F as a Unicode word, so that the ANSI code
// page the rich edit reads it through loses nothing.
CString RtfForAnsiPage(const CString& strRtf)
{
    CString strOut;
    for (int n = 0; n < strRtf.GetLength(); ++n)
    {
        const WCHAR ch = strRtf[n];
        if (ch > 0x7F)
            AppendUnicodeWord(strOut, ch);
        else
            strOut += ch;
    }
    return strOut;
}

// Hands out the bytes in the chunks the control asks for.
struct StreamInSource
{
    const BYTE* pNext;
    LONG nLeft;
};

DWORD CALLBACK StreamInChunk(DWORD_PTR dwCookie, LPBYTE pBuffer, LONG nWanted, LONG* pnGiven)
{
    auto* pSource = reinterpret_cast<StreamInSource*>(dwCookie);
    const LONG nGiven = std::min(nWanted, pSource->nLeft);
    std::memcpy(pBuffer, pSource->pNext, static_cast<size_t>(nGiven));
    pSource->pNext += nGiven;
    pSource->nLeft -= nGiven;
    *pnGiven = nGiven;
    return 0;
}

DWORD CALLBACK StreamOutChunk(DWORD_PTR dwCookie, LPBYTE pBuffer, LONG nBytes, LONG* pnTaken)
{
    auto* pOut = reinterpret_cast<CString*>(dwCookie);
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(pBuffer), nBytes, nullptr, 0);
    if (nChars > 0)
    {
        std::vector<WCHAR> chars(static_cast<size_t>(nChars));
        ::MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<LPCSTR>(pBuffer), nBytes, chars.data(), nChars);
        pOut->Append(chars.data(), nChars);
    }
    *pnTaken = nBytes;
    return 0;
}

BOOL HasFields(const PARAFORMAT2& pf, const CHARFORMAT& cf)
{
    return pf.dwMask != 0 || cf.dwMask != 0;
}

void ClearFormats(PARAFORMAT2& pf, CHARFORMAT& cf)
{
    std::memset(&pf, 0, sizeof pf);
    // Only the fields of the first paragraph-format version are used.
    pf.cbSize = sizeof(PARAFORMAT);
    std::memset(&cf, 0, sizeof cf);
    cf.cbSize = sizeof cf;
}

// The cell's covered range, else the cell.
CGXRange CellRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    CGXRange range(nRow, nCol);
    if (pGrid->GetCellRangeRowCol(nRow, nCol, range) == nullptr)
        range = CGXRange(nRow, nCol);
    return range;
}

LONG PixelsToTwips(LONG nPixels, int nPixelsPerInch)
{
    return ::MulDiv(nPixels, twipsPerInch, nPixelsPerInch);
}
} // namespace

IMPLEMENT_DYNAMIC(CGXRichEditCtrl, CRichEditCtrl)

const GXControlClass CGXRichEditCtrl::ctlClassCGXRichEditCtrl = {"CGXRichEditCtrl", &CGXStatic::classCGXStatic};

BEGIN_MESSAGE_MAP(CGXRichEditCtrl, CRichEditCtrl)
ON_MESSAGE(WM_GETDLGCODE, OnWndGetDlgCode)
ON_MESSAGE(WM_KEYDOWN, OnWndKeyDown)
ON_MESSAGE(WM_CHAR, OnWndChar)
ON_MESSAGE(WM_SYSKEYUP, OnWndToGridFirst)
ON_MESSAGE(WM_DEADCHAR, OnWndToGridFirst)
ON_MESSAGE(WM_SYSDEADCHAR, OnWndToGridFirst)
ON_MESSAGE(WM_SYSKEYDOWN, OnWndToGridFirst)
ON_MESSAGE(WM_SYSCHAR, OnWndToGridFirst)
ON_MESSAGE(WM_KEYUP, OnWndToGridFirst)
ON_MESSAGE(WM_KILLFOCUS, OnWndKillFocus)
ON_MESSAGE(WM_ERASEBKGND, OnWndEraseBkgnd)
ON_MESSAGE(WM_LBUTTONDOWN, OnWndLButtonDown)
ON_MESSAGE(WM_CONTEXTMENU, OnWndContextMenu)
ON_NOTIFY_REFLECT(EN_REQUESTRESIZE, OnRequestResizeReflected)
END_MESSAGE_MAP()

CGXRichEditCtrl::CGXRichEditCtrl(CGXGridCore* pGrid, UINT nID) : CGXWindowControl(pGrid), m_nID(nID)
{
}

CGXRichEditCtrl::~CGXRichEditCtrl()
{
    // The edit window first: it is the hidden windows' parent.
    DestroyWindow();
    for (HiddenWindow* pHidden : {&m_render, &m_text, &m_measure, &m_format})
        pHidden->wnd.DestroyWindow();
}

CGXControl* CGXRichEditCtrl::Create(CGXGridCore* pGrid)
{
    auto* pRichEdit = new CGXRichEditCtrl(pGrid, GX_IDS_CTRL_RICH_EDIT);
    pRichEdit->CreateControl(ES_MULTILINE, GX_IDS_CTRL_RICH_EDIT);
    return pRichEdit;
}

const GXControlClass* CGXRichEditCtrl::GetControlClass() const
{
    return &ctlClassCGXRichEditCtrl;
}

// ---- windows and streaming ----

BOOL CGXRichEditCtrl::CreateControl(DWORD dwStyle, UINT nID)
{
    // Every window is a child: the edit window of the grid window, the hidden ones of the edit window.
    dwStyle = (dwStyle | WS_CHILD) & ~(WS_VISIBLE | WS_BORDER);
    if (!CRichEditCtrl::Create(dwStyle, CRect(0, 0, 10, 10), GetGridWnd(), nID))
        return FALSE;
    UINT nWindow = 0;
    BOOL bCreated = m_measure.wnd.Create(dwStyle, hiddenRect, this, GXHiddenWindowId(m_nID, nWindow++));
    for (HiddenWindow* pHidden : {&m_render, &m_text, &m_format})
    {
        const UINT nHiddenId = GXHiddenWindowId(m_nID, nWindow++);
        bCreated = pHidden->wnd.Create(dwStyle | WS_BORDER | ES_MULTILINE, hiddenRect, this, nHiddenId) && bCreated;
    }
    return bCreated;
}

CString CGXRichEditCtrl::EscapeRtfText(const CString& strText)
{
    CString strOut;
    for (int n = 0; n < strText.GetLength(); ++n)
    {
        const WCHAR ch = strText[n];
        switch (ch)
        {
        case L'\\':
        case L'{':
        case L'}':
            strOut += L'\\';
            strOut += ch;
            break;
        case L'\r':
            // A line break is one paragraph, whether written CR LF, CR or LF.
            if (n + 1 < strText.GetLength() && strText[n + 1] == L'\n')
                ++n;
            strOut += _T("\\par ");
            break;
        case L'\n':
            strOut += _T("\\par ");
            break;
        case L'\t':
            strOut += _T("\\tab ");
            break;
        default:
            if (ch > 0x7F)
                AppendUnicodeWord(strOut, ch);
            else
                strOut += ch;
            break;
        }
    }
    return strOut;
}

void CGXRichEditCtrl::StreamValueIn(CRichEditCtrl& wnd, const CString& strValue)
{
    std::vector<BYTE> bytes;
    int nFormat = SF_RTF;
    if (IsRtf(strValue))
    {
        const CString strRtf = RtfForAnsiPage(strValue);
        const int nBytes =
            ::WideCharToMultiByte(CP_ACP, 0, strRtf, strRtf.GetLength() + 1, nullptr, 0, nullptr, nullptr);
        bytes.resize(static_cast<size_t>(std::max(nBytes, 0)));
        ::WideCharToMultiByte(CP_ACP, 0, strRtf, strRtf.GetLength() + 1, reinterpret_cast<LPSTR>(bytes.data()), nBytes,
                              nullptr, nullptr);
    }
    else
    {
        nFormat = SF_TEXT | SF_UNICODE;
        const auto* pFirst = reinterpret_cast<const BYTE*>(strValue.GetString());
        bytes.assign(pFirst, pFirst + strValue.GetLength() * sizeof(WCHAR));
    }
    StreamInSource source{bytes.data(), static_cast<LONG>(bytes.size())};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, StreamInChunk};
    wnd.StreamIn(nFormat, stream);
}

CString CGXRichEditCtrl::StreamRtfOut(CRichEditCtrl& wnd)
{
    CString strRtf;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&strRtf), 0, StreamOutChunk};
    wnd.StreamOut(SF_RTF, stream);
    return strRtf;
}

void CGXRichEditCtrl::LoadValue(HiddenWindow& hidden, const CString& strValue, const CGXStyle* pStyle)
{
    if (hidden.wnd.GetSafeHwnd() == nullptr || (hidden.bLoaded && hidden.strValue == strValue))
        return;
    if (pStyle != nullptr)
        SetDefaultFormats(hidden.wnd, *pStyle);
    StreamValueIn(hidden.wnd, strValue);
    hidden.strValue = strValue;
    hidden.bLoaded = TRUE;
}

void CGXRichEditCtrl::SetDefaultFormats(CRichEditCtrl& wnd, const CGXStyle& style)
{
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    StyleToFormat(pf, cf, style);
    wnd.SetDefaultCharFormat(cf);
    wnd.SetParaFormat(pf);
}

void CGXRichEditCtrl::ApplyFormats(CRichEditCtrl& wnd, PARAFORMAT2& pf, CHARFORMAT& cf, BOOL bWord)
{
    if (pf.dwMask != 0)
        wnd.SetParaFormat(pf);
    if (cf.dwMask == 0)
        return;
    if (bWord)
        wnd.SetWordCharFormat(cf);
    wnd.SetSelectionCharFormat(cf);
}

// ---- formats ----

void CGXRichEditCtrl::StyleToFormat(PARAFORMAT2& pf, CHARFORMAT& cf, const CGXStyle& style)
{
    ClearFormats(pf, cf);
    if (style.GetInclude(CGXStyle::inclHorizontalAlignment))
    {
        pf.dwMask |= PFM_ALIGNMENT;
        switch (style.GetHorizontalAlignment())
        {
        case DT_RIGHT:
            pf.wAlignment = PFA_RIGHT;
            break;
        case DT_CENTER:
            pf.wAlignment = PFA_CENTER;
            break;
        default:
            pf.wAlignment = PFA_LEFT;
            break;
        }
    }
    if (style.GetInclude(CGXStyle::inclFont))
    {
        const CGXFont& font = style.GetFont();
        const struct
        {
            BOOL bIncluded;
            BOOL bSet;
            DWORD dwFlag;
        } effects[] = {
            {font.GetIncludeWeight(), font.GetWeight() >= FW_BOLD, CFM_BOLD},
            {font.GetIncludeItalic(), font.GetItalic(), CFM_ITALIC},
            {font.GetIncludeUnderline(), font.GetUnderline(), CFM_UNDERLINE},
            {font.GetIncludeStrikeOut(), font.GetStrikeOut(), CFM_STRIKEOUT},
        };
        for (const auto& effect : effects)
        {
            if (!effect.bIncluded)
                continue;
            cf.dwMask |= effect.dwFlag;
            if (effect.bSet)
                cf.dwEffects |= effect.dwFlag;
        }
        if (font.GetIncludeFaceName() && font.GetFaceName() != nullptr)
        {
            cf.dwMask |= CFM_FACE;
            lstrcpyn(cf.szFaceName, font.GetFaceName(), LF_FACESIZE);
        }
        if (font.GetIncludeSize())
        {
            cf.dwMask |= CFM_SIZE;
            cf.yHeight = static_cast<LONG>(font.GetSize() * twipsPerPoint + 0.5);
        }
        const LOGFONT& lf = font.GetLogFont();
        cf.bCharSet = lf.lfCharSet;
        cf.bPitchAndFamily = lf.lfPitchAndFamily;
    }
    if (style.GetInclude(CGXStyle::inclTextColor))
    {
        cf.dwMask |= CFM_COLOR;
        cf.crTextColor = style.GetTextColor() & 0xFFFFFF;
    }
}

void CGXRichEditCtrl::FormatToStyle(const PARAFORMAT2& pf, const CHARFORMAT& cf, CGXStyle& style)
{
    if ((pf.dwMask & PFM_ALIGNMENT) != 0)
        style.SetHorizontalAlignment(pf.wAlignment == PFA_RIGHT    ? DT_RIGHT
                                     : pf.wAlignment == PFA_CENTER ? DT_CENTER
                                                                   : DT_LEFT);
    const struct
    {
        DWORD dwFlag;
        CGXFont& (CGXFont::*pfnSet)(BOOL);
    } effects[] = {
        {CFM_BOLD, &CGXFont::SetBold},
        {CFM_ITALIC, &CGXFont::SetItalic},
        {CFM_STRIKEOUT, &CGXFont::SetStrikeOut},
        {CFM_UNDERLINE, &CGXFont::SetUnderline},
    };
    CGXFont font;
    BOOL bFont = FALSE;
    for (const auto& effect : effects)
    {
        if ((cf.dwMask & effect.dwFlag) == 0)
            continue;
        (font.*effect.pfnSet)((cf.dwEffects & effect.dwFlag) != 0);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_FACE) != 0)
    {
        font.SetFaceName(cf.szFaceName);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_SIZE) != 0)
    {
        font.SetSize(static_cast<double>(cf.yHeight) / twipsPerPoint);
        bFont = TRUE;
    }
    if (bFont)
        style.SetFont(font);
    if ((cf.dwMask & CFM_COLOR) != 0)
        style.SetTextColor(cf.crTextColor);
}

BOOL CGXRichEditCtrl::GetEditedCellText(ROWCOL nRow, ROWCOL nCol, CGXStyle& style)
{
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    ClearFormats(pf, cf);
    if (m_bIsActive && IsActiveAt(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol))
    {
        GetSelectionCharFormat(cf);
        GetParaFormat(pf);
    }
    else
    {
        const ComposedStyle composed(m_pGrid, nRow, nCol);
        if (!composed.m_pStyle->GetInclude(CGXStyle::inclValue) || m_format.wnd.GetSafeHwnd() == nullptr)
            return FALSE;
        LoadValue(m_format, composed.m_pStyle->GetValue());
        m_format.wnd.SetSel(0, -1);
        m_format.wnd.GetSelectionCharFormat(cf);
        m_format.wnd.GetParaFormat(pf);
    }
    FormatToStyle(pf, cf, style);
    return HasFields(pf, cf);
}

// ---- control state ----

void CGXRichEditCtrl::SetActive(BOOL bActive)
{
    SetWindowControlActive(m_bIsActive, bActive, GetSafeHwnd() != nullptr, TRUE);
}

void CGXRichEditCtrl::SetModified(BOOL bModified)
{
    if (GetSafeHwnd() != nullptr)
        SetModify(bModified);
}

BOOL CGXRichEditCtrl::IsModified()
{
    return GetSafeHwnd() != nullptr && GetModify();
}

CRect CGXRichEditCtrl::GetCellClientRect(CRect& rectOut, ROWCOL nRow, ROWCOL nCol, const CRect* pRect,
                                         const CGXStyle* pStyle)
{
    CGXControl::GetCellClientRect(rectOut, nRow, nCol, pRect, pStyle);
    const int m = TextMargin();
    rectOut.left += m;
    rectOut.right -= m / 2;
    return rectOut;
}

void CGXRichEditCtrl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (GetSafeHwnd() == nullptr)
        CreateControl(ES_MULTILINE, 0);
    const CGXStyle& style = *LoadStyle();
    const CGXGridParam* pParam = m_pGrid->GetParam();
    SetActive(pParam != nullptr && (pParam->m_wActivateCell & GX_ACTIVATEONCURRENT) != 0 && RequestEditing());
    if (GetSafeHwnd() == nullptr)
        return;
    SetDefaultFormats(*this, style);
    StreamValueIn(*this, style.GetValue());
    SetSel(0, -1);
    SetModify(FALSE);
    if (m_bShrinkRows)
        m_nMinRowHeight = m_pGrid->GetRowHeight(nRow);
}

BOOL CGXRichEditCtrl::StoreEditedValue()
{
    CString strRtf;
    if (m_pStyle == nullptr || !IsModified() || !GetStyleValue(strRtf))
        return TRUE;
    SetActive(FALSE);
    return m_pGrid->SetValueRange(CGXRange(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)), strRtf,
                                  CGXStyle::modeOverride, GX_INVALIDATE);
}

BOOL CGXRichEditCtrl::GetStyleValue(CString& strText)
{
    if (m_bIsActive && GetSafeHwnd() != nullptr)
        strText = StreamRtfOut(*this);
    else
        strText = m_pStyle != nullptr ? m_pStyle->GetValue() : CString();
    return TRUE;
}

void CGXRichEditCtrl::SetValue(LPCTSTR pszText)
{
    if (GetSafeHwnd() != nullptr)
        StreamValueIn(*this, pszText != nullptr ? CString(pszText) : CString());
}

BOOL CGXRichEditCtrl::StoreText(const CString& strText)
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
        SetActive(TRUE);
    if (!AcceptText(strText))
        return FALSE;
    StreamValueIn(*this, _T("{\\rtf1 ") + EscapeRtfText(strText) + _T("}"));
    SetModify(TRUE);
    RequestCommit();
    return TRUE;
}

BOOL CGXRichEditCtrl::FormatDisplayText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, LPCTSTR pszText,
                                        const CGXStyle& style)
{
    strOut.Empty();
    if (pszText == nullptr && !style.GetInclude(CGXStyle::inclValue))
        return FALSE;
    LoadValue(m_text, pszText != nullptr ? CString(pszText) : style.GetValue());
    m_text.wnd.GetWindowText(strOut);
    return TRUE;
}

BOOL CGXRichEditCtrl::StoreValue(ROWCOL nRow, ROWCOL nCol, const CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    if (IsLockedReadOnly(pStyle))
        return FALSE;
    CString strValue(strText);
    if (!CanStoreValue(nRow, nCol, strValue, pStyle))
        return FALSE;
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), strValue, CGXStyle::modeOverride, GX_UPDATENOW);
}

BOOL CGXRichEditCtrl::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<ComposedStyle> composed;
    pStyle = GXStyleOrComposed(m_pGrid, nRow, nCol, pStyle, composed);
    const int nMaxLength = pStyle->GetInclude(CGXStyle::inclMaxLength) ? pStyle->GetMaxLength() : 0;
    if (nMaxLength > 0 && strText.GetLength() > nMaxLength)
        strText = strText.Left(nMaxLength);
    strText = _T("{") + EscapeRtfText(strText) + _T("}");
    return TRUE;
}

BOOL CGXRichEditCtrl::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    StyleToFormat(pf, cf, pStyle != nullptr ? *pStyle : CGXStyle());
    // Only a style that formats the text changes the rich text; a value or a control id alone
    // is stored as it stands.
    if (pStyle == nullptr || !HasFields(pf, cf) || GetSafeHwnd() == nullptr)
        return CGXStatic::RebindToCell(nRow, nCol, pStyle, nMode, nType);
    const ComposedStyle cell(m_pGrid, nRow, nCol);
    std::unique_ptr<CGXStyle> pCopy(pStyle->Clone());
    CGXStyle removed;
    removed.SetHorizontalAlignment(DT_LEFT).SetTextColor(0).SetFont(pStyle->GetFont());
    pCopy->ChangeStyle(removed, CGXStyle::modeExclude);
    const BOOL bValueOrControl = pStyle->GetInclude(CGXStyle::inclValue) || pStyle->GetInclude(CGXStyle::inclControl);
    if (!bValueOrControl && m_bIsActive && IsActiveAt(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol))
    {
        ApplyFormats(*this, pf, cf, TRUE);
        SetModify(TRUE);
        RequestCommit();
    }
    else
    {
        const CString strValue =
            pStyle->GetInclude(CGXStyle::inclValue) ? pStyle->GetValue() : cell.m_pStyle->GetValue();
        if (strValue != m_text.strValue || strValue.IsEmpty() || !m_text.bLoaded)
        {
            m_text.bLoaded = FALSE;
            LoadValue(m_text, strValue, cell.m_pStyle);
        }
        m_text.wnd.SetSel(0, -1);
        ApplyFormats(m_text.wnd, pf, cf, FALSE);
        m_text.strValue = StreamRtfOut(m_text.wnd);
        pCopy->SetValue(m_text.strValue);
    }
    return CGXStatic::RebindToCell(nRow, nCol, pCopy.get(), nMode, nType);
}

void CGXRichEditCtrl::HideControl()
{
    if (GetSafeHwnd() == nullptr || !IsWindowVisible())
        return;
    const auto lock = ScopedGridFocusLock();
    ShowWindow(SW_HIDE);
}

// ---- clipboard ----

BOOL CGXRichEditCtrl::CopyToClipboard()
{
    if (m_bIsBound && m_bIsActive && GetSafeHwnd() != nullptr &&
        IsActiveAt(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol)))
        SendMessage(WM_COPY);
    return CGXStatic::CopyToClipboard();
}

BOOL CGXRichEditCtrl::CutToClipboard()
{
    if (GetSafeHwnd() != nullptr)
        SendMessage(WM_COPY);
    return CGXStatic::CutToClipboard();
}

BOOL CGXRichEditCtrl::CanPaste()
{
    if (!m_bIsBound)
        return CGXStatic::CanPaste();
    if (LoadStyle()->GetInclude(CGXStyle::inclReadOnly) && m_pStyle->GetReadOnly())
        return FALSE;
    return ::IsClipboardFormatAvailable(RichTextFormat()) || CGXStatic::CanPaste();
}

BOOL CGXRichEditCtrl::PasteFromClipboard()
{
    if (!m_bIsBound || GetSafeHwnd() == nullptr || ::GetOpenClipboardWindow() != nullptr ||
        !::IsClipboardFormatAvailable(RichTextFormat()))
        return CGXStatic::PasteFromClipboard();
    if (!m_bIsActive)
    {
        SetActive(TRUE);
        SetSel(0, -1);
    }
    {
        const SECScopedValue<BOOL> noResize(m_bNoResize, TRUE);
        SendMessage(WM_PASTE);
    }
    RefreshCell();
    GetGridWnd()->UpdateWindow();
    RequestResize();
    return TRUE;
}

void CGXRichEditCtrl::GetCopyText(CString& strText)
{
    if (!m_bIsActive || GetSafeHwnd() == nullptr)
    {
        GetStyleValue(strText);
        return;
    }
    strText = GetSelText();
}

// ---- size and drawing ----

CSize CGXRichEditCtrl::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int /*nDirection*/)
{
    if (m_measure.wnd.GetSafeHwnd() == nullptr)
        return CGXStatic::GetPreferredSize(pDC, nRow, nCol, style, 0);
    const CGXRange range = CellRange(m_pGrid, nRow, nCol);
    CRect rect(0, 0, m_pGrid->CalcSumOfColWidths(range.left, range.right),
               m_pGrid->CalcSumOfRowHeights(range.top, range.bottom));
    GetCellClientRect(rect, nRow, nCol, &rect, &style);
    m_measure.wnd.SetWindowPos(nullptr, hiddenRect.left, hiddenRect.top, rect.Width(), rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    if (pDC->m_hDC == pDC->m_hAttribDC)
        m_measure.wnd.SetTargetDevice(nullptr, 0);
    else
        m_measure.wnd.SetTargetDevice(pDC->m_hAttribDC, PixelsToTwips(rect.Width(), pDC->GetDeviceCaps(LOGPIXELSX)));
    m_bNoResize = FALSE;
    m_measure.wnd.SetEventMask(ENM_REQUESTRESIZE);
    LoadValue(m_measure, style.GetValue(), &style);
    m_rectRequested.SetRectEmpty();
    {
        const SECScopedValue<BOOL> measuring(m_bMeasuring, TRUE);
        m_measure.wnd.ShowWindow(SW_SHOWNA);
        m_measure.wnd.RequestResize();
        m_measure.wnd.ShowWindow(SW_HIDE);
    }
    CSize size(m_rectRequested.Width(), m_rectRequested.Height() + 1);
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

void CGXRichEditCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (GetSafeHwnd() == nullptr)
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    const BOOL bPrinting = m_pGrid->IsPrinting();
    const COLORREF rgbBack =
        bPrinting || style.GetInterior().GetStyle() == BS_NULL ? RGB(255, 255, 255) : style.GetInterior().GetColor();
    if (m_bIsActive && IsActiveAt(nRow, nCol) && m_pGrid->IsCurrentCell(nRow, nCol) && !bPrinting)
    {
        const CGXStyle& cached = *LoadStyle();
        CRect rectText;
        GetCellClientRect(rectText, nRow, nCol, &rect, &cached);
        DrawBackground(pDC, rect, cached, TRUE);
        MoveWindow(rectText, FALSE);
        SendMessage(EM_SETZOOM, static_cast<WPARAM>(m_pGrid->GetZoom()), 100);
        SetBackgroundColor(FALSE, rgbBack);
        SetTargetDevice(nullptr, 0);
        SetEventMask(m_dwEventMask);
        SetOptions(ECOOP_SET,
                   m_dwOptions |
                       (cached.GetInclude(CGXStyle::inclAllowEnter) && cached.GetAllowEnter() ? ECO_WANTRETURN : 0));
        m_bAutoSize = cached.GetInclude(CGXStyle::inclAutoSize) && cached.GetAutoSize();
        SendMessage(EM_SCROLL, SB_PAGEUP);
        SendMessage(EM_SCROLLCARET);
        LimitText(cached.GetInclude(CGXStyle::inclMaxLength) ? cached.GetMaxLength() : 0);
        SetReadOnly(IsReadOnlyCell());
        ShowWindow(SW_SHOW);
        TakeFocusFromGrid(this);
        UpdateWindow();
        CGXControl::Draw(pDC, rect, nRow, nCol, cached, pStandardStyle);
        AddRectToGridList(rectText);
        return;
    }
    DrawBackground(pDC, rect, style, TRUE);
    LoadValue(m_render, style.GetValue(), &style);
    m_render.wnd.SetBackgroundColor(FALSE, rgbBack);
    CRect rectText;
    GetCellClientRect(rectText, nRow, nCol, &rect, &style);
    const int nPixelsX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int nPixelsY = pDC->GetDeviceCaps(LOGPIXELSY);
    FORMATRANGE range{};
    range.hdc = pDC->m_hDC;
    range.hdcTarget = pDC->m_hAttribDC;
    range.rc = {PixelsToTwips(rectText.left, nPixelsX), PixelsToTwips(rectText.top, nPixelsY),
                PixelsToTwips(rectText.right, nPixelsX), PixelsToTwips(rectText.bottom, nPixelsY)};
    range.rcPage = range.rc;
    range.chrg = {0, -1};
    const int nSaved = pDC->SaveDC();
    pDC->IntersectClipRect(rectText);
    m_render.wnd.FormatRange(nullptr, FALSE);
    const long nDrawn = m_render.wnd.FormatRange(&range, TRUE);
    if (nDrawn == 0)
    {
        m_render.wnd.SetWindowPos(nullptr, hiddenRect.left, hiddenRect.top, rectText.Width(), rectText.Height(),
                                  SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        pDC->OffsetViewportOrg(rectText.left, rectText.top);
        m_render.wnd.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(pDC->m_hDC), PRF_CLIENT);
    }
    m_render.wnd.FormatRange(nullptr, FALSE);
    pDC->RestoreDC(nSaved);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXRichEditCtrl::ResizeRowToRequest(const RECT& rectRequested)
{
    const ROWCOL nRow = static_cast<ROWCOL>(m_nRow);
    const ROWCOL nCol = static_cast<ROWCOL>(m_nCol);
    if (m_bNoResize || !m_bIsBound || !m_pGrid->IsCurrentCell(nRow, nCol) || !m_bAutoSize || !m_bIsActive)
        return;
    const SECScopedValue<BOOL> noResize(m_bNoResize, TRUE);
    const CGXRange range = CellRange(m_pGrid, nRow, nCol);
    const ROWCOL nLast = range.bottom;
    const int nAbove = nLast > range.top ? m_pGrid->CalcSumOfRowHeights(range.top, nLast - 1) : 0;
    CSize size(0, rectRequested.bottom - rectRequested.top);
    {
        CClientDC dc(GetGridWnd());
        AddFrameToSize(size, &dc, nRow, nCol, LoadStyle());
    }
    const int nNeeded = size.cy + 1 - nAbove;
    const int nHeight = m_pGrid->GetRowHeight(nLast);
    if (nNeeded <= nHeight)
    {
        const int nWanted = std::max(nNeeded, m_nMinRowHeight);
        if (m_bShrinkRows && nHeight > nWanted)
            m_pGrid->SetRowHeight(nLast, nLast, nWanted, nullptr, GX_UPDATENOW);
        return;
    }
    CRect rectClient;
    GetGridWnd()->GetClientRect(rectClient);
    const ROWCOL nFrozen = m_pGrid->GetFrozenRows();
    const int nRowsAbove = nLast > nFrozen ? m_pGrid->CalcSumOfRowHeights(0, nFrozen)
                                           : (nLast > 0 ? m_pGrid->CalcSumOfRowHeights(0, nLast - 1) : 0);
    const int nLimit = std::max(0, rectClient.Height() - nRowsAbove - 1);
    if (nHeight < nLimit)
    {
        m_pGrid->SetRowHeight(nLast, nLast, std::min(nNeeded, nLimit), nullptr, GX_UPDATENOW);
        m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
    }
}

void CGXRichEditCtrl::OnRequestResizeReflected(NMHDR* pNotify, LRESULT* pResult)
{
    ResizeRowToRequest(reinterpret_cast<REQRESIZE*>(pNotify)->rc);
    *pResult = 0;
}

BOOL CGXRichEditCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pNotify = reinterpret_cast<const NMHDR*>(lParam);
    if (pNotify->code != EN_REQUESTRESIZE || pNotify->hwndFrom != m_measure.wnd.GetSafeHwnd())
        return CGXWindowControl::OnNotify(wParam, lParam, pResult);
    if (m_bMeasuring)
        m_rectRequested = reinterpret_cast<const REQRESIZE*>(pNotify)->rc;
    *pResult = 0;
    return TRUE;
}

// ---- keys and characters given by the grid ----

BOOL CGXRichEditCtrl::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (nChar < 32 || nChar == 127)
        return FALSE;
    return OnCharText(CString(static_cast<TCHAR>(nChar)));
}

BOOL CGXRichEditCtrl::OnCharText(const CString& strText)
{
    if (IsReadOnlyCell() || GetSafeHwnd() == nullptr)
        return FALSE;
    if (!m_bIsActive)
    {
        if (!AcceptText(strText) || !RequestEditing())
            return FALSE;
        SetActive(TRUE);
        StoreText(strText);
        SetSel(-1, -1);
        RefreshCell();
        return TRUE;
    }
    SetSel(-1, -1);
    const CGXStyle& style = *LoadStyle();
    const int nMaxLength = style.GetInclude(CGXStyle::inclMaxLength) ? style.GetMaxLength() : 0;
    if ((nMaxLength == 0 || TextLength() + strText.GetLength() <= nMaxLength) &&
        AcceptText(TextWithSelectionReplaced(strText)))
        ReplaceSel(strText);
    return TRUE;
}

BOOL CGXRichEditCtrl::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    return ProcessEditKey(
        nChar,
        [this](BOOL bEnd) {
            const long nCaret = bEnd ? -1 : 0;
            SetSel(nCaret, nCaret);
        },
        [this] {
            StreamValueIn(*this, CString());
            SetModify(TRUE);
            RequestCommit();
        });
}

// ---- mouse ----

void CGXRichEditCtrl::ClickIntoWindow(UINT nFlags, CPoint point)
{
    SetSel(0, 0);
    GetGridWnd()->UpdateWindow();
    CRect rectCell;
    GetCellClientRect(rectCell, static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), nullptr, LoadStyle());
    const LPARAM lPoint = MAKELPARAM(point.x - rectCell.left, point.y - rectCell.top);
    SendMessage(WM_LBUTTONDOWN, nFlags | MK_LBUTTON, lPoint);
    SendMessage(WM_LBUTTONUP, nFlags, lPoint);
}

BOOL CGXRichEditCtrl::OnLButtonUp(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
    if (GetSafeHwnd() == nullptr || !m_bIsBound || (wActivate & GX_ACTIVATEONRELEASE) == 0)
        return CGXStatic::OnLButtonUp(nFlags, point);
    if (!m_bIsActive && !RequestEditing())
        return CGXStatic::OnLButtonUp(nFlags, point);
    SetActive(TRUE);
    RefreshCell();
    if (!CGXStatic::OnLButtonUp(nFlags, point))
        ClickIntoWindow(nFlags, point);
    return TRUE;
}

BOOL CGXRichEditCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const CGXGridParam* pParam = m_pGrid->GetParam();
    if (m_bIsActive || GetSafeHwnd() == nullptr || !m_bIsBound || pParam == nullptr ||
        (pParam->m_wActivateCell & GX_ACTIVATEONDBLCLK) == 0 || !RequestEditing())
        return CGXStatic::OnLButtonDblClk(nFlags, point);
    SetActive(TRUE);
    RefreshCell();
    if (!CGXStatic::OnLButtonDblClk(nFlags, point))
        ClickIntoWindow(nFlags, point);
    return TRUE;
}

// ---- find and replace ----

long CGXRichEditCtrl::FindInWindow(CRichEditCtrl& wnd, const GX_FR_STATE& find, long nFrom, CHARRANGE& hit)
{
    FINDTEXTEX request{};
    request.chrg = {nFrom, -1};
    request.lpstrText = find.m_strFind;
    const long nFound = wnd.FindText(FR_DOWN | (find.m_bCase ? FR_MATCHCASE : 0), &request);
    hit = request.chrgText;
    return nFound;
}

int CGXRichEditCtrl::ReplaceAllInWindow(CRichEditCtrl& wnd, const GX_FR_STATE& find, long nFrom)
{
    int nReplaced = 0;
    CHARRANGE hit{};
    while (FindInWindow(wnd, find, nFrom, hit) >= 0)
    {
        wnd.SetSel(hit);
        wnd.ReplaceSel(find.m_strReplace, FALSE);
        nFrom = hit.cpMin + find.m_strReplace.GetLength();
        ++nReplaced;
    }
    return nReplaced;
}

CString CGXRichEditCtrl::CellValueForFind(const GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, const CGXStyle*& pStyle)
{
    if (find.m_pStyle != nullptr)
    {
        pStyle = find.m_pStyle;
        return find.m_pStyle->GetValue();
    }
    pStyle = nullptr;
    return m_pGrid->GetValueRowCol(nRow, nCol);
}

BOOL CGXRichEditCtrl::ForwardFeatureA(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol, BOOL fromCurrentPos, BOOL setSel)
{
    if (find.m_strFind.IsEmpty() || GetSafeHwnd() == nullptr)
        return FALSE;
    CHARRANGE hit{};
    if (m_bIsActive && IsActiveAt(nRow, nCol))
    {
        CHARRANGE selection{};
        GetSel(selection);
        const BOOL bSelected = selection.cpMin != selection.cpMax;
        if (FindInWindow(*this, find, selection.cpMin + (fromCurrentPos || !bSelected ? 0 : 1), hit) < 0)
            return FALSE;
    }
    else
    {
        const CGXStyle* pStyle = nullptr;
        LoadValue(m_text, CellValueForFind(find, nRow, nCol, pStyle));
        if (FindInWindow(m_text.wnd, find, 0, hit) < 0)
            return FALSE;
    }
    if (setSel)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_UPDATENOW, FALSE);
        if (!m_bIsActive || !IsActiveAt(nRow, nCol))
        {
            m_pGrid->SetCurrentCell(nRow, nCol, GX_FOUNDCELL);
            SetActive(TRUE);
            RefreshCell();
        }
        SetSel(hit);
    }
    return TRUE;
}

BOOL CGXRichEditCtrl::ForwardFeatureB(GX_FR_STATE& find, ROWCOL nRow, ROWCOL nCol)
{
    if (find.m_strFind.IsEmpty() || GetSafeHwnd() == nullptr)
        return FALSE;
    if (m_bIsActive && IsActiveAt(nRow, nCol))
    {
        CHARRANGE selection{};
        GetSel(selection);
        CHARRANGE hit{};
        long nFrom = selection.cpMin;
        while (FindInWindow(*this, find, nFrom, hit) >= 0)
        {
            SetSel(hit);
            SetCellText(find.m_strReplace);
            nFrom = hit.cpMin + find.m_strReplace.GetLength();
        }
        return StoreEditedValue();
    }
    const CGXStyle* pStyle = nullptr;
    const CString strValue = CellValueForFind(find, nRow, nCol, pStyle);
    m_text.bLoaded = FALSE;
    LoadValue(m_text, strValue);
    if (ReplaceAllInWindow(m_text.wnd, find, 0) == 0)
        return FALSE;
    m_text.strValue = StreamRtfOut(m_text.wnd);
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), m_text.strValue, CGXStyle::modeOverride, GX_UPDATENOW);
}

void CGXRichEditCtrl::SetCellText(const CString& strText)
{
    if (!m_bIsActive || GetSafeHwnd() == nullptr)
        return;
    ReplaceSel(strText, FALSE);
    SetModify(TRUE);
    RequestCommit();
}

BOOL CGXRichEditCtrl::OnGridCommand(WORD wCommand, HWND hWnd)
{
    if (!m_bIsActive || GetSafeHwnd() == nullptr || hWnd != m_hWnd || wCommand != EN_CHANGE)
        return FALSE;
    RequestCommit();
    return TRUE;
}

// ---- the window's messages ----

BOOL CGXRichEditCtrl::PassToGrid(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    return m_pGrid->ProcessKeys(this, nMessage, static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
}

int CGXRichEditCtrl::TextLength()
{
    return static_cast<int>(GetTextLengthEx(GTL_NUMCHARS));
}

CString CGXRichEditCtrl::TextWithSelectionReplaced(const CString& strInsert)
{
    CString strText;
    GetTextRange(0, -1, strText);
    CHARRANGE selection{};
    GetSel(selection);
    const int nStart = std::clamp(static_cast<int>(selection.cpMin), 0, strText.GetLength());
    const int nEnd = std::clamp(static_cast<int>(selection.cpMax), nStart, strText.GetLength());
    return strText.Left(nStart) + strInsert + strText.Mid(nEnd);
}

LRESULT CGXRichEditCtrl::OnWndGetDlgCode(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return Default() | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
}

LRESULT CGXRichEditCtrl::OnWndKeyDown(WPARAM wParam, LPARAM lParam)
{
    m_bNoResize = FALSE;
    const UINT nChar = static_cast<UINT>(wParam);
    m_pGrid->ScrollCellInView(static_cast<ROWCOL>(m_nRow), static_cast<ROWCOL>(m_nCol), GX_UPDATENOW, FALSE);
    const BOOL bCtrl = GXIsKeyDown(VK_CONTROL);
    const BOOL bShift = GXIsKeyDown(VK_SHIFT);
    CHARRANGE selection{};
    GetSel(selection);
    const BOOL bSelected = selection.cpMin != selection.cpMax;
    BOOL bToGrid = FALSE;
    switch (nChar)
    {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        bToGrid = TRUE;
        break;
    case VK_RETURN:
        bToGrid = !bCtrl && (GetOptions() & ECO_WANTRETURN) == 0;
        break;
    case VK_LEFT:
        bToGrid = !bCtrl && selection.cpMax <= 0;
        break;
    case VK_UP:
        bToGrid = !bCtrl && LineFromChar(selection.cpMin) <= 0;
        break;
    case VK_RIGHT:
        bToGrid = !bCtrl && selection.cpMin >= TextLength();
        break;
    case VK_DOWN:
        bToGrid = !bCtrl && LineFromChar(selection.cpMax) + 1 >= GetLineCount();
        break;
    case 'C':
    case 'V':
    case 'X':
        bToGrid = bCtrl;
        break;
    case VK_INSERT:
        if (bShift)
        {
            PasteFromClipboard();
            return 0;
        }
        if (bCtrl && bSelected)
        {
            CopyToClipboard();
            return 0;
        }
        break;
    case VK_DELETE:
        if (bShift && bSelected)
        {
            CutToClipboard();
            return 0;
        }
        break;
    default:
        bToGrid = nChar >= VK_F1 && nChar <= VK_F24;
        break;
    }
    if (!bToGrid || !PassToGrid(WM_KEYDOWN, wParam, lParam))
        return Default();
    return 0;
}

LRESULT CGXRichEditCtrl::OnWndChar(WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    if (!m_bIsBound || !m_bIsActive || (GetStyle() & ES_READONLY) != 0 || (nChar == VK_BACK && LOWORD(lParam) == 0))
        return 0;
    if (GXIsKeyDown(VK_CONTROL))
    {
        if (ProcessClipboardChar(nChar, FALSE))
            return 0;
    }
    else if (nChar >= 0x20)
    {
        const CString strTyped(static_cast<TCHAR>(nChar));
        if (!AcceptText(TextWithSelectionReplaced(strTyped)))
        {
            ReservedHookE(nChar);
            return 0;
        }
    }
    Default();
    PassToGrid(WM_CHAR, wParam, lParam);
    return 0;
}

LRESULT CGXRichEditCtrl::OnWndToGridFirst(WPARAM wParam, LPARAM lParam)
{
    if (PassToGrid(static_cast<UINT>(GetCurrentMessage()->message), wParam, lParam))
        return 0;
    return Default();
}

LRESULT CGXRichEditCtrl::OnWndKillFocus(WPARAM wParam, LPARAM /*lParam*/)
{
    const LRESULT lResult = Default();
    SetFocusToGridIfNeeded(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
    return lResult;
}

LRESULT CGXRichEditCtrl::OnWndEraseBkgnd(WPARAM wParam, LPARAM /*lParam*/)
{
    EraseControlWindow(this, reinterpret_cast<HDC>(wParam));
    return TRUE;
}

LRESULT CGXRichEditCtrl::OnWndLButtonDown(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    m_bNoResize = TRUE;
    return Default();
}

LRESULT CGXRichEditCtrl::OnWndContextMenu(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    return 0;
}
