// The list core's style words and its looks: colours, image lists, fonts and the owner of its data.
#include "ListBaseC.h"

#include <algorithm>

namespace tarnwick::lists
{
namespace
{
// The system colour each of the ten list colours is loaded from.
constexpr int kSysColors[SECListBaseC::colorCount] = {
    COLOR_WINDOWTEXT, COLOR_WINDOW, COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, COLOR_GRAYTEXT,
    COLOR_WINDOW,     COLOR_WINDOW, COLOR_INFOBK,        COLOR_INFOTEXT,  COLOR_WINDOW};
// The colours all lists share, reloaded with each list's own.
constexpr int kSharedSysColors[] = {COLOR_3DLIGHT, COLOR_MENUTEXT, COLOR_BTNFACE};
// Kept per window base: a colour change seen by a list control leaves the list views' alone.
template <class TWndBase> COLORREF g_sharedColors[std::size(kSharedSysColors)];
} // namespace

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetListStyle() const
{
    return m_nListStyle;
}

template <class TWndBase> UINT SECListBaseT<TWndBase>::GetListStyleEx() const
{
    return m_nListStyleEx;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetListStyle(UINT nStyle, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    if (m_nEditDelayTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_nEditDelayTimer);
    m_nEditDelayTimer = 0;
    m_pTip->Hide();
    const BOOL bWrapChanged = ((m_nListStyle ^ nStyle) & LVS_SEC_NOLABELWRAP) != 0;
    m_nListStyle = nStyle;
    if (bWrapChanged)
        MarkAllForMeasuring();
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcLayout();
        Invalidate(TRUE);
    }
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetListStyleEx(UINT nStyleEx, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    m_pTip->Hide();
    const BOOL bFitNow = !(m_nListStyleEx & LVXS_FITCOLUMNS) && (nStyleEx & LVXS_FITCOLUMNS);
    m_nListStyleEx = nStyleEx;
    if (bFitNow)
        FitColumnsToWidth();
    if (bRedraw && m_hWnd != nullptr)
    {
        RecalcLayout();
        Invalidate(TRUE);
    }
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::ModifyListStyle(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    return SetListStyle((m_nListStyle & ~nRemove) | nAdd, bRedraw) > 0;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::ModifyListStyleEx(UINT nRemove, UINT nAdd, BOOL bRedraw)
{
    return SetListStyleEx((m_nListStyleEx & ~nRemove) | nAdd, bRedraw) > 0;
}

template <class TWndBase>
BOOL SECListBaseT<TWndBase>::ModifyListStyles(UINT nRemove, UINT nAdd, BOOL bRedraw, UINT nRemoveEx, UINT nAddEx,
                                              BOOL bRedrawEx)
{
    const BOOL bStyle = ModifyListStyle(nRemove, nAdd, bRedraw);
    return ModifyListStyleEx(nRemoveEx, nAddEx, bRedrawEx) && bStyle;
}

template <class TWndBase> void SECListBaseT<TWndBase>::GetListStyles(UINT& nStyle, UINT& nStyleEx) const
{
    nStyle = GetListStyle();
    nStyleEx = GetListStyleEx();
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetListStyles(UINT nStyle, UINT nStyleEx, BOOL bRedraw)
{
    const BOOL bStyle = SetListStyle(nStyle, FALSE);
    return SetListStyleEx(nStyleEx, bRedraw) && bStyle;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::HasListStyle(UINT nBits) const
{
    return (m_nListStyle & nBits) == nBits;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::HasListStyleEx(UINT nBits) const
{
    return (m_nListStyleEx & nBits) == nBits;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetLabelWrap(BOOL bWrap)
{
    ModifyListStyle(bWrap ? LVS_SEC_NOLABELWRAP : 0, bWrap ? 0 : LVS_SEC_NOLABELWRAP);
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetHeaderFlags(BOOL bShowHeader, BOOL bButtons)
{
    UINT nRemove = 0;
    UINT nAdd = 0;
    (bShowHeader ? nRemove : nAdd) |= LVS_SEC_NOCOLUMNHEADER;
    (bButtons ? nRemove : nAdd) |= LVS_SEC_NOSORTHEADER;
    ModifyListStyle(nRemove, nAdd);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsHeaderShown() const
{
    return (m_nListStyle & LVS_SEC_NOCOLUMNHEADER) == 0;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetMultiSelect(BOOL bMulti)
{
    if (bMulti)
    {
        ModifyListStyle(LVS_SEC_SINGLESEL, 0);
        return;
    }
    if (GetSelectedCount() > 1)
        DeselectAllBut(-1);
    ModifyListStyle(0, LVS_SEC_SINGLESEL);
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetExFlag100000(BOOL bOn)
{
    ModifyListStyleEx(bOn ? 0 : LVXS_FLAG100000, bOn ? LVXS_FLAG100000 : 0);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetExFlag100000() const
{
    return HasListStyleEx(LVXS_FLAG100000);
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::IsMultiSelect() const
{
    return (m_nListStyle & LVS_SEC_SINGLESEL) == 0;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetRedrawFlag(BOOL bRedraw)
{
    m_bRedraw = bRedraw;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetRedrawFlag() const
{
    return m_bRedraw;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetTrackSysColors(BOOL bTrack)
{
    m_bTrackSysColors = bTrack;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::GetTrackSysColors() const
{
    return m_bTrackSysColors;
}

template <class TWndBase> void SECListBaseT<TWndBase>::LoadColors()
{
    if (!m_bTrackSysColors)
        return;
    for (int i = 0; i < colorCount; i++)
        m_colors[i] = ::GetSysColor(kSysColors[i]);
    for (size_t i = 0; i < std::size(kSharedSysColors); i++)
        g_sharedColors<TWndBase>[i] = ::GetSysColor(kSharedSysColors[i]);
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetSharedColor(int nIndex)
{
    return g_sharedColors<TWndBase>[nIndex];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetColor(Color color) const
{
    return m_colors[color];
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetColor(Color color, COLORREF cr)
{
    m_colors[color] = cr;
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetBkColor() const
{
    if (m_hWnd != nullptr && !IsWindowEnabled())
        return GetSharedColor(sharedDisabledBk);
    return m_colors[colorBk];
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetBkColor(COLORREF cr)
{
    m_colors[colorBk] = cr;
    m_colors[colorTextBk] = cr;
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetGrayTextColor() const
{
    return m_colors[colorGrayText];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetInactiveBkColor() const
{
    return m_colors[colorInactiveBk];
}

template <class TWndBase> COLORREF SECListBaseT<TWndBase>::GetFocusBkColor() const
{
    return m_colors[colorFocusBk];
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetSelTextColor(COLORREF cr)
{
    m_colors[colorSelText] = cr;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetSelBkColor(COLORREF cr)
{
    m_colors[colorSelBk] = cr;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetGrayTextColor(COLORREF cr)
{
    m_colors[colorGrayText] = cr;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetInactiveBkColor(COLORREF cr)
{
    m_colors[colorInactiveBk] = cr;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetFocusBkColor(COLORREF cr)
{
    m_colors[colorFocusBk] = cr;
    return TRUE;
}

template <class TWndBase> BOOL SECListBaseT<TWndBase>::SetTipBkColor(COLORREF cr)
{
    m_colors[colorTipBk] = cr;
    return TRUE;
}

template <class TWndBase> CImageList* SECListBaseT<TWndBase>::GetImageList(int nWhich) const
{
    return nWhich >= 0 && nWhich < 4 ? m_pImageLists[nWhich] : nullptr;
}

template <class TWndBase> CImageList* SECListBaseT<TWndBase>::SetImageList(CImageList* pImageList, int nWhich)
{
    if (nWhich < 0 || nWhich >= 4)
        return nullptr;
    CImageList* pOld = m_pImageLists[nWhich];
    if (HasListStyle(LVS_SEC_SHAREIMAGELISTS) || pImageList == nullptr)
    {
        m_pImageLists[nWhich] = pImageList;
        return pOld;
    }
    // The control keeps its own copy, so the caller's list may go away; the previous copy
    // passes to the caller.
    CImageList* pCopy = CopyImageList(pImageList);
    if (pCopy == nullptr)
        return nullptr;
    m_pImageLists[nWhich] = pCopy;
    return pOld;
}

template <class TWndBase> CImageList* SECListBaseT<TWndBase>::CopyImageList(CImageList* pSource)
{
    constexpr UINT kGrowBytes = 1024;
    constexpr UINT kArchiveBuffer = 4096;
    auto* pCopy = new CImageList;
    try
    {
        CMemFile file(kGrowBytes);
        {
            CArchive store(&file, CArchive::store, kArchiveBuffer);
            if (!pSource->Write(&store))
                AfxThrowArchiveException(CArchiveException::genericException);
        }
        file.SeekToBegin();
        CArchive load(&file, CArchive::load, kArchiveBuffer);
        if (pCopy->Read(&load))
            return pCopy;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    delete pCopy;
    return nullptr;
}

template <class TWndBase> void SECListBaseT<TWndBase>::DestroyImageLists()
{
    if (HasListStyle(LVS_SEC_SHAREIMAGELISTS))
        return;
    for (CImageList*& pList : m_pImageLists)
    {
        delete pList;
        pList = nullptr;
    }
}

template <class TWndBase> CWnd* SECListBaseT<TWndBase>::GetOwnerData() const
{
    return m_pNotifyWnd;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetOwnerData(CWnd* pWnd)
{
    m_pNotifyWnd = pWnd;
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetItemFont(CFont* pFont)
{
    m_pItemFont = pFont;
    MarkAllForMeasuring();
}

template <class TWndBase> void SECListBaseT<TWndBase>::SetHeaderFont(CFont* pFont)
{
    m_pHeaderFont = pFont;
}

template <class TWndBase> HFONT SECListBaseT<TWndBase>::GetHeaderFont() const
{
    return m_pHeaderFont != nullptr ? static_cast<HFONT>(m_pHeaderFont->m_hObject)
                                    : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

template <class TWndBase> HFONT SECListBaseT<TWndBase>::GetItemFont() const
{
    return m_pItemFont != nullptr ? static_cast<HFONT>(m_pItemFont->m_hObject)
                                  : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}
template class SECListBaseT<CWnd>;
template class SECListBaseT<CView>;
} // namespace tarnwick::lists
