// The registry of a grid's named base styles, with the names of the registered cell controls
// and the user attributes. Base-style ids are small numbers handed out in order from 0.
#pragma once

#include <afxcoll.h>

#include <grid/core/ResourceIds.h>

class CGXStyle;

class CGXStylesMap : public CObject
{
    DECLARE_SERIAL(CGXStylesMap)
public:
    // String-table ids of the standard styles and of the header control.
    static constexpr UINT idsStandard = GX_IDS_STYLE_STANDARD;
    static constexpr UINT idsRowHeader = GX_IDS_STYLE_ROW_HEADER;
    static constexpr UINT idsColumnHeader = GX_IDS_STYLE_COLUMN_HEADER;
    static constexpr WORD idHeaderControl = GX_IDS_CTRL_HEADER;

    struct BaseStyleEntry
    {
        WORD nId;
        UINT nResourceId; // 0 when registered by name
        CString strName;
        CGXStyle* pStyle; // owned
        DWORD dwFlags;
    };

    struct UserAttributeEntry
    {
        WORD nId;
        CString strName;
        CGXStyle* pStyle; // owned: the attribute's default settings
    };

    // NULL means CGXStyle.
    explicit CGXStylesMap(CRuntimeClass* pStyleClass = nullptr);
    // Copies go through the application's parameter-copy feature; without it they stay empty.
    CGXStylesMap(const CGXStylesMap& src);
    CGXStylesMap& operator=(const CGXStylesMap& src);
    ~CGXStylesMap() override;

    // Forwards to the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;
    // Forward to the application's profile feature; 0 without it.
    virtual BOOL WriteProfile() const;
    virtual BOOL ReadProfile();

    CRuntimeClass* GetStyleClass() const
    {
        return m_pStyleClass;
    }
    // A new, empty style of the style class.
    CGXStyle* CreateStyle() const;

    WORD RegisterStyleByName(LPCTSTR pszName, const CGXStyle& style, DWORD dwFlags);
    // Named by the string-table text, or "UA%u" when the table has none.
    WORD RegisterStyleByResourceId(UINT nResourceId, const CGXStyle& style, DWORD dwFlags);

    // 0 for an unknown name or string id.
    WORD LookupStyleId(LPCTSTR pszName) const;
    WORD LookupResourceId(UINT nResourceId) const;
    // NULL and 0 for an unknown id.
    LPCTSTR GetStyleName(WORD nId, UINT& nResourceId) const;
    BOOL LookupStyle(WORD nId, CGXStyle*& pStyle) const;
    INT_PTR GetStyleCount() const
    {
        return m_mapStyles.GetCount();
    }

    // Iterates the base styles by name.
    POSITION GetStartPosition() const;
    void GetNextStyle(POSITION& pos, WORD& nId, CString& strName, CGXStyle*& pStyle, UINT& nResourceId) const;

    // The control's name comes from the string table; CResourceException when it is missing.
    void RegisterControl(WORD nControlId);
    LPCTSTR GetControlName(WORD nControlId) const;
    // The name comes from the string table (CResourceException when missing); the entry's
    // style takes a copy of pStyle when one is given.
    void AddUserAttribute(WORD nId, const CGXStyle* pStyle = nullptr);
    const UserAttributeEntry* GetUserAttributeInfo(WORD nId) const;

    // "Standard" with the default attributes and font, "Column Header" and "Row Header".
    void CreateStandardStyles();
    WORD m_wStyleStandard = 0;
    WORD m_wStyleColHeader = 0;
    WORD m_wStyleRowHeader = 0;

    // Deletes every base style; ids by string id stay, so a style registered again by its
    // string id gets its old id.
    void RemoveAll();
    // Deletes the control names and the user attributes.
    void RemoveControls();
    // RemoveAll and RemoveControls.
    void Empty();

    CString m_strProfileSection = _T("Styles");

private:
    void SetStyleEntry(WORD nId, const CGXStyle& style, LPCTSTR pszName, UINT nResourceId, DWORD dwFlags);

    CRuntimeClass* m_pStyleClass;
    CTypedPtrMap<CMapWordToPtr, WORD, BaseStyleEntry*> m_mapStyles;
    CMap<UINT, UINT, WORD, WORD> m_mapResourceIds;
    CMap<CString, LPCTSTR, WORD, WORD> m_mapNames;
    WORD m_nNextId = 0;
    CTypedPtrMap<CMapWordToPtr, WORD, CString*> m_mapControlNames;
    CTypedPtrMap<CMapWordToPtr, WORD, UserAttributeEntry*> m_mapUserAttributes;

    friend class CGXGridParamCopyOperatorImp;
    friend class CGXGridDocSerializeImp;
};
