#include <grid/controls/ProgressCtrl.h>

#include <grid/controls/SelectedFont.h>
#include <grid/core/AbstractUserAttribute.h>
#include <grid/core/AppData.h>
#include <grid/core/Color.h>
#include <grid/core/GridCore.h>
#include <grid/core/Properties.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>

#include <algorithm>
#include <optional>

namespace
{
constexpr int modeStoreRemove = 4;
constexpr int themePartBar = 1;
constexpr int themePartChunk = 3;

// A bound is set when an attribute of the style holds a text for it.
std::optional<long> BoundOf(const CGXStyle* pStyle, WORD nId)
{
    if (pStyle == nullptr)
        return std::nullopt;
    const CString strValue = pStyle->GetUserAttribute(nId).GetValue();
    if (strValue.IsEmpty())
        return std::nullopt;
    return _ttol(strValue);
}

long BoundOrZero(const CGXStyle& style, WORD nId)
{
    return BoundOf(&style, nId).value_or(0);
}

// Metafiles record clipping poorly; their caption is drawn unclipped.
BOOL IsMetafileDC(CDC* pDC)
{
    const DWORD dwType = ::GetObjectType(pDC->m_hDC);
    return dwType == OBJ_METADC || dwType == OBJ_ENHMETADC;
}
} // namespace

const GXControlClass CGXProgressCtrl::classCGXProgressCtrl = {"CGXProgressCtrl", &CGXControl::classCGXControl};

CGXProgressCtrl::CGXProgressCtrl(CGXGridCore* pGrid) : CGXControl(pGrid)
{
}

CGXControl* CGXProgressCtrl::Create(CGXGridCore* pGrid)
{
    return new CGXProgressCtrl(pGrid);
}

const GXControlClass* CGXProgressCtrl::GetControlClass() const
{
    return &classCGXProgressCtrl;
}

void CGXProgressCtrl::RegisterUserAttributes(CGXStylesMap* pStylesMap)
{
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_HIGH);
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_LOW);
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_CAPTION);
}

CString CGXProgressCtrl::FormatCaption(const CString& strCaption, long nValue)
{
    CString strOut;
    BOOL bConverted = FALSE;
    const int n = strCaption.GetLength();
    for (int i = 0; i < n; ++i)
    {
        if (strCaption[i] != _T('%'))
        {
            strOut += strCaption[i];
            continue;
        }
        if (i + 1 < n && strCaption[i + 1] == _T('%'))
        {
            strOut += _T('%');
            ++i;
            continue;
        }
        // %[flags][width][l](d|i|u)
        int j = i + 1;
        CString strSpec = _T("%");
        while (j < n && _tcschr(_T("-+ 0#"), strCaption[j]) != nullptr)
            strSpec += strCaption[j++];
        while (j < n && _istdigit(strCaption[j]))
            strSpec += strCaption[j++];
        if (j < n && strCaption[j] == _T('l'))
            ++j;
        if (bConverted || j >= n || _tcschr(_T("diu"), strCaption[j]) == nullptr || strSpec.GetLength() > 8)
            return strCaption;
        strSpec += _T('l');
        strSpec += strCaption[j];
        CString strNumber;
        strNumber.Format(strSpec, nValue);
        strOut += strNumber;
        bConverted = TRUE;
        i = j;
    }
    return strOut;
}

void CGXProgressCtrl::GetProgressText(CString& strOut, ROWCOL /*nRow*/, ROWCOL /*nCol*/, const CGXStyle& style)
{
    strOut = FormatCaption(style.GetUserAttribute(GX_IDS_UA_PROGRESS_CAPTION).GetValue(), _ttol(style.GetValue()));
}

COLORREF CGXProgressCtrl::GetBarColor(BOOL bBar, const CGXStyle& style)
{
    return bBar ? GXResolveColor(style.GetTextColor()) : GXResolveColor(style.GetInterior().GetColor());
}

COLORREF CGXProgressCtrl::GetCaptionColor(BOOL bOnBar, const CGXStyle& style)
{
    return bOnBar ? GXResolveColor(style.GetInterior().GetColor()) : GXResolveColor(style.GetTextColor());
}

void CGXProgressCtrl::ComputeScale(CRect rect, int nRange)
{
    m_dUnitsPerPixel = rect.Width() != 0 ? static_cast<double>(nRange) / rect.Width() : 1.0;
}

void CGXProgressCtrl::CalcBarRect(CRect& rectOut, long nValue, CRect rectCell, const CGXStyle& style)
{
    const long nLower = BoundOrZero(style, GX_IDS_UA_PROGRESS_LOW);
    const long nUpper = BoundOrZero(style, GX_IDS_UA_PROGRESS_HIGH);
    int nWidth = 0;
    if (nUpper > nLower && m_dUnitsPerPixel > 0)
    {
        const double dWidth = (std::max(nValue, nLower) - static_cast<double>(nLower)) / m_dUnitsPerPixel;
        nWidth = static_cast<int>(std::min<double>(dWidth, rectCell.Width()));
    }
    rectOut.SetRect(rectCell.left, rectCell.top, rectCell.left + std::max(0, nWidth), rectCell.bottom);
}

BOOL CGXProgressCtrl::RebindToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, int nMode, int nType)
{
    if (pStyle == nullptr || nMode == modeStoreRemove || !pStyle->GetInclude(CGXStyle::inclValue))
        return CGXControl::RebindToCell(nRow, nCol, pStyle, nMode, nType);
    CGXStyle cell;
    m_pGrid->ComposeStyleRowCol(nRow, nCol, &cell, TRUE);
    std::optional<long> lower = BoundOf(pStyle, GX_IDS_UA_PROGRESS_LOW);
    if (!lower)
        lower = BoundOf(&cell, GX_IDS_UA_PROGRESS_LOW);
    std::optional<long> upper = BoundOf(pStyle, GX_IDS_UA_PROGRESS_HIGH);
    if (!upper)
        upper = BoundOf(&cell, GX_IDS_UA_PROGRESS_HIGH);
    const long nValue = _ttol(pStyle->GetValue());
    std::optional<long> clamped;
    if (lower && nValue < *lower)
        clamped = *lower;
    else if (upper && nValue > *upper)
        clamped = lower && *lower > *upper ? *lower : *upper;
    if (!clamped)
        return CGXControl::RebindToCell(nRow, nCol, pStyle, nMode, nType);
    CGXStyle* pCopy = m_pGrid->CreateStyle();
    *pCopy = *pStyle;
    CString strClamped;
    strClamped.Format(_T("%ld"), *clamped);
    pCopy->SetValue(strClamped);
    const BOOL bStored = CGXControl::RebindToCell(nRow, nCol, pCopy, nMode, nType);
    m_pGrid->RecycleStyle(pCopy);
    return bStored;
}

void CGXProgressCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    const long nLower = BoundOrZero(style, GX_IDS_UA_PROGRESS_LOW);
    const long nUpper = BoundOrZero(style, GX_IDS_UA_PROGRESS_HIGH);
    ComputeScale(rect, static_cast<int>(nUpper - nLower));

    COLORREF rgbBar = GetBarColor(TRUE, style);
    COLORREF rgbRest = GetBarColor(FALSE, style);
    COLORREF rgbCaptionOnBar = GetCaptionColor(TRUE, style);
    COLORREF rgbCaptionOnRest = GetCaptionColor(FALSE, style);
    const CGXProperties* pProperties = m_pGrid->GetProperties();
    if (pProperties != nullptr && pProperties->IsBlackWhiteOutput())
    {
        rgbBar = rgbCaptionOnRest = RGB(0, 0, 0);
        rgbRest = rgbCaptionOnBar = RGB(255, 255, 255);
    }

    CString strCaption;
    GetProgressText(strCaption, nRow, nCol, style);
    CRect rectBar;
    CalcBarRect(rectBar, _ttol(style.GetValue()), rect, style);
    CRect rectRest;
    rectRest.SubtractRect(rect, rectBar);

    if (DrawThemedPart(pDC, L"PROGRESS", themePartBar, 0, rect))
    {
        if (!rectBar.IsRectEmpty())
            DrawThemedPart(pDC, L"PROGRESS", themePartChunk, 0, rectBar);
    }
    else
    {
        pDC->FillSolidRect(rectRest, rgbRest);
        pDC->FillSolidRect(rectBar, rgbBar);
        const int nFrame = style.GetInclude(CGXStyle::inclDraw3dFrame) ? style.GetDraw3dFrame() : 0;
        if (rectBar.Width() > 1 && (nFrame == 1 || nFrame == 2))
            pDC->DrawEdge(rectBar, nFrame == 1 ? EDGE_RAISED : EDGE_SUNKEN, BF_RECT);
    }

    if (strCaption.IsEmpty())
        return;
    const CGXSelectedFont font(pDC, m_pGrid->LoadFont(pDC, style, pStandardStyle));
    const CSize size = pDC->GetTextExtent(strCaption);
    if (size.cx >= rect.Width())
        return;
    const int x = rect.left + (rect.Width() - size.cx) / 2;
    const int y = rect.top + (rect.Height() - size.cy) / 2;
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF rgbOldText = pDC->GetTextColor();
    if (x + size.cx > rectBar.right)
    {
        pDC->SetTextColor(rgbCaptionOnRest);
        pDC->TextOut(x, y, strCaption);
    }
    if (x < rectBar.right)
    {
        pDC->SetTextColor(rgbCaptionOnBar);
        const BOOL bUnclipped =
            m_pGrid->IsPrinting() ? m_pGrid->GetAppData()->m_bNoClipWhilePrinting : IsMetafileDC(pDC);
        if (bUnclipped)
            pDC->TextOut(x, y, strCaption);
        else
            pDC->ExtTextOut(x, y, ETO_CLIPPED, rectBar, strCaption, nullptr);
    }
    pDC->SetTextColor(rgbOldText);
    pDC->SetBkMode(nOldMode);
}
