#include <grid/controls/CheckBox.h>

#include <grid/controls/SelectedFont.h>

#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/Color.h>
#include <grid/core/DIB.h>
#include <grid/core/DrawingAndFormatting.h>
#include <grid/core/GridCore.h>
#include <grid/core/Properties.h>
#include <grid/core/Range.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <toolkit/foundation/VisualStyle.h>

#include <algorithm>
#include <memory>
#include <vsstyle.h>

namespace
{
constexpr int screenStrip = 0;
constexpr int printStrip = 1;

// The palette colours of the strips that stand for system colours.
constexpr COLORREF rgbBlack = RGB(0, 0, 0);
constexpr COLORREF rgbRed = RGB(255, 0, 0);
constexpr COLORREF rgbGreen = RGB(0, 255, 0);
constexpr COLORREF rgbSilver = RGB(192, 192, 192);
constexpr COLORREF rgbWhite = RGB(255, 255, 255);

// The theme's check-box states by image.
constexpr int themeStates[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_UNCHECKEDPRESSED, CBS_CHECKEDPRESSED,
                               CBS_MIXEDNORMAL};

CString AttributeText(const CGXStyle& style, WORD nId, LPCTSTR pszDefault)
{
    CString strValue = style.HasUserAttribute(nId) ? style.GetUserAttribute(nId).GetValue() : CString();
    return strValue.IsEmpty() ? CString(pszDefault) : strValue;
}

// A bitmap resource of the strip from the module that holds it, else from the application.
HGLOBAL LoadStrip(UINT nResourceId)
{
    if (HGLOBAL hStrip = GXLoadResourceDIB(nullptr, MAKEINTRESOURCE(nResourceId)))
        return hStrip;
    return GXLoadResourceDIB(AfxGetInstanceHandle(), MAKEINTRESOURCE(nResourceId));
}

} // namespace

const GXControlClass CGXCheckBox::classCGXCheckBox = {"CGXCheckBox", &CGXControl::classCGXControl};

CGXCheckBox::CGXCheckBox(CGXGridCore* pGrid, BOOL bDraw3d, UINT nBitmapResourceId, UINT nPrintResourceId)
    : CGXControl(pGrid), m_bDraw3d(bDraw3d), m_nBitmapResourceId(nBitmapResourceId),
      m_nPrintResourceId(nPrintResourceId != 0 ? nPrintResourceId : idStripFlat)
{
    if (m_nBitmapResourceId == 0)
        m_nBitmapResourceId = !bDraw3d ? idStripFlat : GXGetAppDataPtr()->m_bWin4 ? idStrip3d : idStrip3dOld;
}

CGXCheckBox::~CGXCheckBox()
{
    FreeBitmaps();
}

CGXControl* CGXCheckBox::CreateFlat(CGXGridCore* pGrid)
{
    return new CGXCheckBox(pGrid, FALSE);
}

CGXControl* CGXCheckBox::Create3d(CGXGridCore* pGrid)
{
    return new CGXCheckBox(pGrid, TRUE);
}

const GXControlClass* CGXCheckBox::GetControlClass() const
{
    return &classCGXCheckBox;
}

void CGXCheckBox::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    pStylesMap->AddUserAttribute(GX_IDS_UA_CHECKED_VALUE);
    pStylesMap->AddUserAttribute(GX_IDS_UA_UNCHECKED_VALUE);
}

CString CGXCheckBox::CheckedValue(const CGXStyle& style)
{
    return AttributeText(style, GX_IDS_UA_CHECKED_VALUE, _T("1"));
}

CString CGXCheckBox::UncheckedValue(const CGXStyle& style)
{
    return AttributeText(style, GX_IDS_UA_UNCHECKED_VALUE, _T("0"));
}

BOOL CGXCheckBox::IsThreeState(const CGXStyle& style)
{
    return style.GetInclude(CGXStyle::inclTriState) && style.GetTriState();
}

BOOL CGXCheckBox::IsStyleReadOnly(const CGXStyle& style)
{
    return style.GetInclude(CGXStyle::inclReadOnly) && style.GetReadOnly();
}

CString CGXCheckBox::LabelOf(const CGXStyle& style)
{
    return style.GetInclude(CGXStyle::inclChoiceList) ? style.GetChoiceList() : CString();
}

int CGXCheckBox::ImageOfState(UINT nState)
{
    const BOOL bGrey = (nState & stateGrey) != 0;
    if (nState & stateChecked)
        return bGrey ? imageCheckedGrey : imageChecked;
    if (nState & stateUnchecked)
        return bGrey ? imageUncheckedGrey : imageUnchecked;
    return imageIndeterminate;
}

UINT CGXCheckBox::GetState(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    UINT nState = style.GetEnabled() ? 0u : UINT{stateGrey};
    if (IsBoundToCell() && !m_pGrid->IsPrinting() && m_pGrid->IsCurrentCell(nRow, nCol))
        nState |= stateCurrent | (m_bScope ? UINT{stateGrey} : 0u);
    const CString strValue = style.GetValue();
    if (strValue == CheckedValue(style))
        nState |= stateChecked;
    else if (!IsThreeState(style) || strValue == UncheckedValue(style))
        nState |= stateUnchecked;
    return nState;
}

CRect CGXCheckBox::ComputeCheckBoxRect(CDC* pDC, CRect rect, LPCTSTR pszText, UINT nAlign)
{
    const int S = m_nCheckBoxSize;
    int h = S;
    int w = S;
    if (pszText != nullptr && *pszText != 0)
    {
        TEXTMETRIC tm{};
        pDC->GetTextMetrics(&tm);
        h = std::min(S, static_cast<int>(tm.tmHeight + tm.tmInternalLeading));
        w = S * 3 / 2 + pDC->GetTextExtent(pszText, lstrlen(pszText)).cx;
    }
    const int nFreeHeight = std::max(0, rect.Height() - h);
    const int nFreeWidth = rect.Width() - w;
    int x = rect.left + 3;
    int y = rect.top + std::min(3, nFreeHeight);
    if (nAlign & DT_CENTER)
        x = rect.left + std::max(0, nFreeWidth / 2);
    else if (nAlign & DT_RIGHT)
        x = rect.left + std::max(0, nFreeWidth);
    if (nAlign & DT_VCENTER)
        y = rect.top + nFreeHeight / 2;
    else if (nAlign & DT_BOTTOM)
        y = rect.top + nFreeHeight;
    return CRect(x, y, std::min(static_cast<int>(rect.right), x + S), std::min(static_cast<int>(rect.bottom), y + S));
}

void CGXCheckBox::DrawCheckBox(CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszText)
{
    if (m_nBitmapResourceId == 0 && SECIsThemeActive() && SECIsAppThemed())
    {
        if (HTHEME hTheme = m_pGrid->GetThemeData(L"BUTTON"))
        {
            DrawThemedCheckBox(hTheme, pDC, rect, nState, nAlign, pszText);
            return;
        }
    }
    const CRect box = ComputeCheckBoxRect(pDC, rect, pszText, nAlign);
    if (m_hbmNormal == nullptr && !LoadBitmaps())
        return;
    // A print strip that did not load leaves the screen strip to the printer.
    const HGLOBAL hStrip = m_pGrid->IsPrinting() && m_hbmPrint != nullptr ? m_hbmPrint : m_hbmNormal;
    const int S = m_nCheckBoxSize;
    const CRect source(ImageOfState(nState) * S, 0, ImageOfState(nState) * S + S, S);
    const CRect dest(box.left, box.top, box.left + std::min(S, box.Width()), box.top + std::min(S, box.Height()));
    GXDrawDIB(pDC, hStrip, dest, GX_DIB_STRETCH, 0, &source);
}

void CGXCheckBox::DrawThemedCheckBox(HTHEME hTheme, CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszText)
{
    m_rectBox = ComputeCheckBoxRect(pDC, rect, pszText, nAlign);
    const int S = m_nCheckBoxSize;
    const CRect box(m_rectBox.left, m_rectBox.top, m_rectBox.left + std::min(S, m_rectBox.Width()),
                    m_rectBox.top + std::min(S, m_rectBox.Height()));
    SECDrawThemeBackground(hTheme, pDC->GetSafeHdc(), BP_CHECKBOX, themeStates[ImageOfState(nState)], box, nullptr);
}

COLORREF CGXCheckBox::TranslateColor(COLORREF rgb, int nStrip)
{
    switch (rgb)
    {
    case rgbBlack:
        return nStrip == screenStrip ? ::GetSysColor(COLOR_WINDOWTEXT) : rgbBlack;
    case rgbRed:
        return nStrip == screenStrip ? ::GetSysColor(COLOR_WINDOW) : rgbWhite;
    case rgbGreen:
        return ::GetSysColor(COLOR_WINDOWFRAME);
    case rgbSilver:
        return ::GetSysColor(COLOR_BTNFACE);
    default:
        return rgb;
    }
}

void CGXCheckBox::FreeBitmaps()
{
    for (HGLOBAL* phStrip : {&m_hbmNormal, &m_hbmPrint})
    {
        if (*phStrip != nullptr)
            ::GlobalFree(*phStrip);
        *phStrip = nullptr;
    }
}

void CGXCheckBox::RecolorStrip(HGLOBAL hStrip, int nStrip)
{
    if (hStrip == nullptr)
        return;
    auto* pHeader = static_cast<BITMAPINFOHEADER*>(::GlobalLock(hStrip));
    if (pHeader == nullptr)
        return;
    // The loader accepts 12-byte core headers with 3-byte colour entries and info headers
    // (40 bytes or more) with 4-byte entries.
    BYTE* pTable = reinterpret_cast<BYTE*>(pHeader) + pHeader->biSize;
    const BOOL bCore = pHeader->biSize == sizeof(BITMAPCOREHEADER);
    const int nColors =
        bCore ? 1 << reinterpret_cast<BITMAPCOREHEADER*>(pHeader)->bcBitCount : GXGetDibColorCount(*pHeader);
    const int cbEntry = bCore ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    for (int i = 0; i < nColors && nColors <= 256; ++i)
    {
        BYTE* pEntry = pTable + i * cbEntry;
        const COLORREF rgb = RGB(pEntry[2], pEntry[1], pEntry[0]);
        const COLORREF rgbNew = TranslateColor(rgb, nStrip);
        if (rgbNew != rgb)
        {
            pEntry[0] = GetBValue(rgbNew);
            pEntry[1] = GetGValue(rgbNew);
            pEntry[2] = GetRValue(rgbNew);
        }
    }
    ::GlobalUnlock(hStrip);
}

BOOL CGXCheckBox::LoadBitmaps()
{
    FreeBitmaps();
    m_hbmNormal = LoadStrip(m_nBitmapResourceId);
    if (m_hbmNormal == nullptr)
        return FALSE;
    m_hbmPrint = LoadStrip(m_nPrintResourceId);
    RecolorStrip(m_hbmNormal, screenStrip);
    RecolorStrip(m_hbmPrint, printStrip);
    return TRUE;
}

void CGXCheckBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                       const CGXStyle* pStandardStyle)
{
    const UINT nState = GetState(nRow, nCol, style);
    const UINT nAlign = TextAlignment(style);
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, pStandardStyle));
    DrawBackground(pDC, rect, style, FALSE);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(GXResolveColor(style.GetTextColor()));
    pDC->SetBkColor(style.GetInterior().GetColor());

    CRect rectBox;
    GetCellClientRect(rectBox, nRow, nCol, &rect);
    const CString strLabel = LabelOf(style);
    DrawCheckBox(pDC, rectBox, nState, nAlign, strLabel);
    const int x = rectBox.left + m_nCheckBoxSize * 3 / 2;
    if (!strLabel.IsEmpty() && x < rectBox.right)
    {
        const UINT nFormat = nAlign | DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
        DrawingAndFormattingInstance()->DrawTextPlain(
            pDC, strLabel, strLabel.GetLength(), CRect(x, rectBox.top, rectBox.right, rectBox.bottom), nFormat, rect);
    }
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

CSize CGXCheckBox::GetPreferredSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, int nDirection)
{
    const int S = m_nCheckBoxSize;
    CGXRange range(nRow, nCol);
    m_pGrid->GetCellRangeRowCol(nRow, nCol, range);
    const CRect rectRange(0, 0, m_pGrid->CalcSumOfColWidths(range.left, range.right),
                          m_pGrid->CalcSumOfRowHeights(range.top, range.bottom));
    CRect rect;
    GetCellClientRect(rect, nRow, nCol, &rectRange, &style);
    const int W = rect.Width();
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, nullptr));
    const CString strLabel = LabelOf(style);
    rect.left += S * 3 / 2;
    const int nMargin = std::max(3, ::GetSystemMetrics(SM_CXFRAME) / 2);
    TEXTMETRIC tm{};
    pDC->GetTextMetrics(&tm);
    int cx = 0;
    int cy = 0;
    if (strLabel.IsEmpty())
    {
        cy = tm.tmHeight + tm.tmExternalLeading + 1;
        cx = tm.tmMaxCharWidth + 2 * nMargin;
    }
    else
    {
        const int L = tm.tmHeight + tm.tmExternalLeading;
        const BOOL bWrap = style.GetInclude(CGXStyle::inclWrapText) && style.GetWrapText();
        constexpr int nMaxLines = CGXDrawingAndFormatting::nMaxDrawnLines;
        int anStarts[nMaxLines];
        int anLengths[nMaxLines];
        int nLines = 1;
        if (bWrap)
        {
            CRect rectBreak(rect.left, rect.top, rect.right, 0x7FFF);
            const UINT nFormat = TextAlignment(style) | DT_NOPREFIX | DT_WORDBREAK;
            nLines = DrawingAndFormattingInstance()->BreakTextLines(pDC, strLabel, strLabel.GetLength(), rectBreak,
                                                                    nFormat, anStarts, anLengths, nMaxLines);
        }
        if (nDirection != 0)
        {
            cy = (L + 1) * nLines;
            cx = W;
        }
        else if (!bWrap || (L + 1) * nLines > rect.Height())
        {
            CString strRest = strLabel;
            strRest.Replace(_T("\r\n"), _T("\n"));
            strRest.Replace(_T('\r'), _T('\n'));
            int nPos = 0;
            for (CString strLine = strRest.Tokenize(_T("\n"), nPos); nPos >= 0;
                 strLine = strRest.Tokenize(_T("\n"), nPos))
                cx = std::max(cx, static_cast<int>(pDC->GetTextExtent(strLine).cx));
            cx += 2 * nMargin;
        }
        else
        {
            for (int i = 0; i < nLines; ++i)
                cx = std::max(cx, static_cast<int>(pDC->GetTextExtent(strLabel.Mid(anStarts[i], anLengths[i])).cx));
            cx += 2 * nMargin;
        }
    }
    CSize size(cx + 6 + S, std::max(S + 4, cy));
    return AddFrameToSize(size, pDC, nRow, nCol, &style);
}

BOOL CGXCheckBox::CanStoreValue(ROWCOL nRow, ROWCOL nCol, CString& strText, const CGXStyle* pStyle)
{
    std::unique_ptr<CGXStyle> composed;
    if (pStyle == nullptr)
    {
        composed.reset(new CGXStyle);
        m_pGrid->ComposeStyleRowCol(nRow, nCol, composed.get(), TRUE);
        pStyle = composed.get();
    }
    if (IsThreeState(*pStyle) && strText.CompareNoCase(CheckedValue(*pStyle)) != 0 &&
        strText.CompareNoCase(UncheckedValue(*pStyle)) != 0)
        strText.Empty();
    return TRUE;
}

void CGXCheckBox::SetPressed(BOOL bPressed)
{
    if (m_bScope == bPressed)
        return;
    m_bScope = bPressed;
    RefreshCell();
}

const CGXStyle* CGXCheckBox::GetPressStyle()
{
    return m_pGrid->GetComposedStyle(m_nRow, m_nCol);
}

BOOL CGXCheckBox::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!IsBoundToCell())
        return FALSE;
    const CGXStyle* pStyle = GetPressStyle();
    if (IsReadOnlyCell() || IsStyleReadOnly(*pStyle))
        return FALSE;
    CRect rect;
    GetCellClientRect(rect, m_nRow, m_nCol, nullptr, pStyle);
    {
        CClientDC dc(GetGridWnd());
        m_pGrid->OnGridPrepareDC(&dc, nullptr);
        const CGXSelectedFont font(&dc, m_pGrid->LoadFont(&dc, *pStyle, nullptr));
        m_rectBox = ComputeCheckBoxRect(&dc, rect, LabelOf(*pStyle), TextAlignment(*pStyle));
    }
    if (m_rectBox.PtInRect(point))
        SetPressed(TRUE);
    CGXControl::OnLButtonDown(nFlags, point);
    return TRUE;
}

// The grid reports moves and releases to the control only while the pointer is over its cell,
// the cell pressed; the box lies inside that cell.
BOOL CGXCheckBox::OnMouseMove(UINT nFlags, CPoint point)
{
    SetPressed(m_rectBox.PtInRect(point));
    CGXControl::OnMouseMove(nFlags, point);
    return TRUE;
}

BOOL CGXCheckBox::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bWasPressed = m_bScope;
    m_bScope = FALSE;
    if (!CGXControl::OnLButtonUp(nFlags, point) && m_rectBox.PtInRect(point))
        OnChildClicked(nullptr);
    else if (bWasPressed)
        RefreshCell();
    return TRUE;
}

BOOL CGXCheckBox::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    m_bScope = FALSE;
    if (!CGXControl::OnLButtonDblClk(nFlags, point) && m_rectBox.PtInRect(point))
        OnChildClicked(nullptr);
    return TRUE;
}

BOOL CGXCheckBox::OnKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::OnKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (nMessage != WM_CHAR || nChar != _T(' '))
        return FALSE;
    OnChildClicked(nullptr);
    return TRUE;
}

BOOL CGXCheckBox::OnChildClicked(CGXChild* pChild)
{
    if (!RequestEditing())
        return FALSE;
    const CGXStyle& style = *m_pGrid->GetComposedStyle(m_nRow, m_nCol);
    if (IsReadOnlyCell() || IsStyleReadOnly(style))
        return FALSE;
    m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), NextValue(style), 0, GX_UPDATENOW);
    return CGXControl::OnChildClicked(pChild);
}

CString CGXCheckBox::NextValue(const CGXStyle& style)
{
    const CString strValue = style.GetValue();
    if (strValue == CheckedValue(style))
        return UncheckedValue(style);
    if (!IsThreeState(style) || strValue != UncheckedValue(style))
        return CheckedValue(style);
    return CString();
}

void CGXCheckBox::NotifyChildrenB()
{
    LoadBitmaps();
    CGXControl::NotifyChildrenB();
}

void CGXCheckBox::CancelChildTracking()
{
    SetPressed(FALSE);
    CGXControl::CancelChildTracking();
}
