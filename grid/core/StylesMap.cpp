#include <grid/core/StylesMap.h>

#include <grid/core/AppData.h>
#include <grid/core/Style.h>

#include <memory>

IMPLEMENT_SERIAL(CGXStylesMap, CObject, 0)

namespace
{
constexpr DWORD dwStandardFlags = 1;
constexpr double dStandardPoints = 8;
} // namespace

CGXStylesMap::CGXStylesMap(CRuntimeClass* pStyleClass)
    : m_pStyleClass(pStyleClass != nullptr ? pStyleClass : RUNTIME_CLASS(CGXStyle))
{
}

CGXStylesMap::CGXStylesMap(const CGXStylesMap& src) : CGXStylesMap(nullptr)
{
    *this = src;
}

CGXStylesMap& CGXStylesMap::operator=(const CGXStylesMap& src)
{
    if (&src == this)
        return *this;
    if (CGXAbstractGridParamCopyOperatorImp* pImp = GXGetAppDataPtr()->m_pParamCopyOperatorImp)
        pImp->CopyStylesMap(*this, src);
    return *this;
}

CGXStylesMap::~CGXStylesMap()
{
    Empty();
}

void CGXStylesMap::Serialize(CArchive& ar)
{
    if (CGXAbstractGridDocSerializeImp* pImp = GXGetAppDataPtr()->m_pDocSerializeImp)
        pImp->SerializeStylesMap(*this, ar);
}

BOOL CGXStylesMap::WriteProfile() const
{
    CGXAbstractGridProfileImp* pImp = GXGetAppDataPtr()->m_pGridProfileImp;
    return pImp != nullptr ? pImp->WriteStylesMapToProfile(*this) : FALSE;
}

BOOL CGXStylesMap::ReadProfile()
{
    CGXAbstractGridProfileImp* pImp = GXGetAppDataPtr()->m_pGridProfileImp;
    return pImp != nullptr ? pImp->ReadStylesMapFromProfile(*this) : FALSE;
}

CGXStyle* CGXStylesMap::CreateStyle() const
{
    return static_cast<CGXStyle*>(m_pStyleClass->CreateObject());
}

void CGXStylesMap::SetStyleEntry(WORD nId, const CGXStyle& style, LPCTSTR pszName, UINT nResourceId, DWORD dwFlags)
{
    std::unique_ptr<CGXStyle> pClone(style.Clone());
    BaseStyleEntry* pEntry;
    if (m_mapStyles.Lookup(nId, pEntry))
    {
        delete pEntry->pStyle;
        pEntry->pStyle = pClone.release();
        return;
    }
    m_mapStyles.SetAt(nId, new BaseStyleEntry{nId, nResourceId, pszName, pClone.get(), dwFlags});
    pClone.release();
}

WORD CGXStylesMap::RegisterStyleByName(LPCTSTR pszName, const CGXStyle& style, DWORD dwFlags)
{
    WORD nId;
    if (!m_mapNames.Lookup(pszName, nId))
    {
        nId = m_nNextId++;
        m_mapNames.SetAt(pszName, nId);
    }
    SetStyleEntry(nId, style, pszName, 0, dwFlags);
    return nId;
}

WORD CGXStylesMap::RegisterStyleByResourceId(UINT nResourceId, const CGXStyle& style, DWORD dwFlags)
{
    CString strName;
    if (!strName.LoadString(nResourceId))
        strName.Format(L"UA%u", nResourceId);
    WORD nId;
    if (!m_mapResourceIds.Lookup(nResourceId, nId))
    {
        nId = m_nNextId++;
        m_mapResourceIds.SetAt(nResourceId, nId);
    }
    m_mapNames.SetAt(strName, nId);
    SetStyleEntry(nId, style, strName, nResourceId, dwFlags);
    return nId;
}

WORD CGXStylesMap::LookupStyleId(LPCTSTR pszName) const
{
    WORD nId;
    return m_mapNames.Lookup(pszName, nId) ? nId : 0;
}

WORD CGXStylesMap::LookupResourceId(UINT nResourceId) const
{
    WORD nId;
    return m_mapResourceIds.Lookup(nResourceId, nId) ? nId : 0;
}

LPCTSTR CGXStylesMap::GetStyleName(WORD nId, UINT& nResourceId) const
{
    BaseStyleEntry* pEntry;
    if (!m_mapStyles.Lookup(nId, pEntry))
    {
        nResourceId = 0;
        return nullptr;
    }
    nResourceId = pEntry->nResourceId;
    return pEntry->strName;
}

BOOL CGXStylesMap::LookupStyle(WORD nId, CGXStyle*& pStyle) const
{
    BaseStyleEntry* pEntry;
    if (!m_mapStyles.Lookup(nId, pEntry))
        return FALSE;
    pStyle = pEntry->pStyle;
    return TRUE;
}

POSITION CGXStylesMap::GetStartPosition() const
{
    return m_mapNames.GetStartPosition();
}

void CGXStylesMap::GetNextStyle(POSITION& pos, WORD& nId, CString& strName, CGXStyle*& pStyle, UINT& nResourceId) const
{
    m_mapNames.GetNextAssoc(pos, strName, nId);
    BaseStyleEntry* pEntry;
    const BOOL bFound = m_mapStyles.Lookup(nId, pEntry);
    pStyle = bFound ? pEntry->pStyle : nullptr;
    nResourceId = bFound ? pEntry->nResourceId : 0;
}

void CGXStylesMap::RegisterControl(WORD nControlId)
{
    CString* pName;
    if (!m_mapControlNames.Lookup(nControlId, pName))
        m_mapControlNames.SetAt(nControlId, new CString(GXLoadResourceString(nControlId)));
}

LPCTSTR CGXStylesMap::GetControlName(WORD nControlId) const
{
    CString* pName;
    return m_mapControlNames.Lookup(nControlId, pName) ? static_cast<LPCTSTR>(*pName) : nullptr;
}

void CGXStylesMap::AddUserAttribute(WORD nId, const CGXStyle* pStyle)
{
    UserAttributeEntry* pEntry;
    if (m_mapUserAttributes.Lookup(nId, pEntry))
        return;
    // The name first: a missing string leaves nothing behind.
    const CString strName = GXLoadResourceString(nId);
    std::unique_ptr<CGXStyle> pEntryStyle(CreateStyle());
    if (pStyle != nullptr)
        *pEntryStyle = *pStyle;
    m_mapUserAttributes.SetAt(nId, new UserAttributeEntry{nId, strName, pEntryStyle.get()});
    pEntryStyle.release();
}

const CGXStylesMap::UserAttributeEntry* CGXStylesMap::GetUserAttributeInfo(WORD nId) const
{
    UserAttributeEntry* pEntry;
    return m_mapUserAttributes.Lookup(nId, pEntry) ? pEntry : nullptr;
}

void CGXStylesMap::CreateStandardStyles()
{
    std::unique_ptr<CGXStyle> pStyle(CreateStyle());

    pStyle->SetDefault();
    pStyle->SetFont(CGXFont().SetDefaultCellFont().SetSize(dStandardPoints), CGXStyle::modeOverride);
    m_wStyleStandard = RegisterStyleByResourceId(idsStandard, *pStyle, dwStandardFlags);
    pStyle->Free();

    pStyle->SetFont(CGXFont().SetBold(TRUE), CGXStyle::modeOverride)
        .SetInteriorColor(GXSysColorRef(COLOR_BTNFACE))
        .SetHorizontalAlignment(DT_CENTER)
        .SetVerticalAlignment(DT_VCENTER)
        .SetControl(idHeaderControl);
    m_wStyleColHeader = RegisterStyleByResourceId(idsColumnHeader, *pStyle, dwStandardFlags);
    pStyle->Free();

    pStyle->SetControl(idHeaderControl).SetInteriorColor(GXSysColorRef(COLOR_BTNFACE));
    m_wStyleRowHeader = RegisterStyleByResourceId(idsRowHeader, *pStyle, dwStandardFlags);
}

void CGXStylesMap::RemoveAll()
{
    for (POSITION pos = m_mapStyles.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        BaseStyleEntry* pEntry;
        m_mapStyles.GetNextAssoc(pos, nId, pEntry);
        delete pEntry->pStyle;
        delete pEntry;
    }
    m_mapStyles.RemoveAll();
    m_mapNames.RemoveAll();
    m_nNextId = 0;
}

void CGXStylesMap::Empty()
{
    RemoveAll();
    RemoveControls();
}

void CGXStylesMap::RemoveControls()
{
    for (POSITION pos = m_mapControlNames.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        CString* pName;
        m_mapControlNames.GetNextAssoc(pos, nId, pName);
        delete pName;
    }
    m_mapControlNames.RemoveAll();
    for (POSITION pos = m_mapUserAttributes.GetStartPosition(); pos != nullptr;)
    {
        WORD nId;
        UserAttributeEntry* pEntry;
        m_mapUserAttributes.GetNextAssoc(pos, nId, pEntry);
        delete pEntry->pStyle;
        delete pEntry;
    }
    m_mapUserAttributes.RemoveAll();
}
