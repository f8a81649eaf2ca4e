#include <grid/core/Properties.h>

#include <grid/core/AppData.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/SysData.h>

IMPLEMENT_SERIAL(CGXProperties, CObject, 0)

namespace
{

// In the order of the colour numbers: grid lines, fixed lines, tracking line, dragging line,
// background.
const struct
{
    UINT nNameId;
    int nSysColor; // -1: the colour below
    COLORREF color;
} defaultColors[] = {
    {GX_IDS_COLOR_GRID_LINES, COLOR_GRAYTEXT, 0}, {GX_IDS_COLOR_FIXED_LINES, COLOR_ACTIVECAPTION, 0},
    {GX_IDS_COLOR_TRACKING_LINE, -1, 0x0000FF},   {GX_IDS_COLOR_DRAGGING_LINE, -1, 0x0000FF},
    {GX_IDS_COLOR_BACKGROUND, COLOR_BTNFACE, 0},
};

CString LoadText(UINT nId)
{
    CString strText;
    strText.LoadString(nId);
    return strText;
}

// A system colour in the grid's encoding: its marker in the top byte over its current value.
COLORREF SystemColor(int nIndex)
{
    return (static_cast<COLORREF>(254 - nIndex) << 24) | (GXGetSysData()->GetSysColor(nIndex) & 0xFFFFFF);
}
} // namespace

CGXProperties::CGXProperties()
    : m_strFrameInvertThin(LoadText(GX_IDS_INVERT_THIN)), m_strFrameInvertThick(LoadText(GX_IDS_INVERT_THICK)),
      m_strFrameThinBorder(LoadText(GX_IDS_THIN_BORDER)), m_strFrameThickBorder(LoadText(GX_IDS_THICK_BORDER)),
      m_strFrameNoBorder(LoadText(GX_IDS_NO_BORDER)), m_pAppData(GXGetAppDataPtr())
{
    for (LPCTSTR pszToken : {_T("$F"), _T("$A"), _T("$P"), _T("$N"), _T("$D"), _T("$R")})
        m_asTokens.Add(pszToken);
    for (const auto& entry : defaultColors)
        AddColorProperty(entry.nNameId, entry.nSysColor >= 0 ? SystemColor(entry.nSysColor) : entry.color);

    CGXStyle style;
    m_dataFooter.SetRowCount(10);
    m_dataFooter.SetColCount(3);
    m_dataFooter.StoreStyleImpl(1, 1, &style.SetValue(_T("$D")), CGXStyle::modeCopy, 0);
    m_dataFooter.StoreStyleImpl(1, 3, &style.SetValue(_T("$P/$N")), CGXStyle::modeCopy, 0);
    m_dataHeader.SetRowCount(10);
    m_dataHeader.SetColCount(3);
    style.Free().SetValue(_T("$R")).SetFont(CGXFont().SetBold(TRUE).SetSize(16));
    m_dataHeader.StoreStyleImpl(1, 2, &style, CGXStyle::modeCopy, 0);
}

CGXProperties::CGXProperties(const CGXProperties& source) : CGXProperties()
{
    if (CGXAbstractGridParamCopyOperatorImp* pImp = m_pAppData->m_pParamCopyOperatorImp)
        pImp->CopyProperties(*this, source);
}

CGXProperties::~CGXProperties()
{
    ResetUserProperties();
}

void CGXProperties::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = m_pAppData->m_pDocSerializeImp)
        pImp->SerializeProperties(*this, ar);
}

void CGXProperties::AddDefaultUserProperties()
{
    const CString strChoices = m_strFrameInvertThin + _T("\n") + m_strFrameInvertThick + _T("\n") +
                               m_strFrameThinBorder + _T("\n") + m_strFrameThickBorder + _T("\n") + m_strFrameNoBorder;
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_DROPDOWN_LIST_WND).SetChoiceList(strChoices).SetValue(m_strFrameInvertThin);
    AddUserProperty(idCurrentCellProperty, style);
}

void CGXProperties::WriteProfile() const
{
    if (CGXAbstractGridProfileImp* pImp = m_pAppData->m_pGridProfileImp)
        pImp->WritePropertiesToProfile(*this);
}

BOOL CGXProperties::ReadProfile()
{
    CGXAbstractGridProfileImp* pImp = m_pAppData->m_pGridProfileImp;
    return pImp != nullptr && pImp->ReadPropertiesFromProfile(*this);
}

int CGXProperties::AddColorProperty(UINT nNameId, COLORREF color)
{
    CString strName = LoadText(nNameId);
    if (strName.IsEmpty())
        strName.Format(_T("COLOR%u"), nNameId);
    return AddColorPropertyByName(strName, color);
}

int CGXProperties::AddColorPropertyByName(LPCTSTR pszName, COLORREF color)
{
    for (INT_PTR i = 0; i < m_asColorNames.GetSize(); ++i)
    {
        if (m_asColorNames[i] == pszName)
            return static_cast<int>(i);
    }
    m_adwColors.Add(color);
    return static_cast<int>(m_asColorNames.Add(pszName));
}

COLORREF CGXProperties::GetColor(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_adwColors.GetSize() ? m_adwColors[nIndex] : 0;
}

BOOL CGXProperties::IsBlackWhiteOutput() const
{
    return m_bBlackWhite && m_bPrintBlackWhite;
}

void CGXProperties::AddUserProperty(WORD nId, const CGXStyle& style)
{
    CGXStyle* pValue = style.Clone();
    void* pEntry = nullptr;
    if (m_mapUserProperties.Lookup(nId, pEntry))
    {
        UserPropertyInfo* pInfo = static_cast<UserPropertyInfo*>(pEntry);
        delete pInfo->pStyle;
        pInfo->pStyle = pValue;
        return;
    }
    CString strName = LoadText(nId);
    if (strName.IsEmpty())
        strName.Format(_T("USERPROP%u"), static_cast<UINT>(nId));
    m_mapUserProperties.SetAt(nId, new UserPropertyInfo{nId, strName, pValue});
}

const CGXStyle& CGXProperties::GetUserProperty(WORD nId) const
{
    void* pEntry = nullptr;
    if (m_mapUserProperties.Lookup(nId, pEntry))
        return *static_cast<UserPropertyInfo*>(pEntry)->pStyle;
    return m_styleDefaultProperty;
}

void CGXProperties::ResetUserProperties()
{
    m_asColorNames.RemoveAll();
    m_adwColors.RemoveAll();
    POSITION pos = m_mapUserProperties.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pEntry = nullptr;
        m_mapUserProperties.GetNextAssoc(pos, nId, pEntry);
        UserPropertyInfo* pInfo = static_cast<UserPropertyInfo*>(pEntry);
        delete pInfo->pStyle;
        delete pInfo;
    }
    m_mapUserProperties.RemoveAll();
}

int CGXProperties::AddHeaderFooterToken(LPCTSTR pszToken)
{
    return static_cast<int>(m_asTokens.Add(pszToken));
}
