// The settings of a grid that a user may change and the application may keep in its profile:
// named colours, display and print options, user properties (named settings whose value is a
// style) and the printed page's header and footer. Archiving, profile and copy go through
// the application's feature objects.
#pragma once

#include <afxcoll.h>

#include <grid/core/Data.h>
#include <grid/core/ResourceIds.h>
#include <grid/core/Style.h>

class CGXAppData;

class CGXProperties : public CObject
{
    DECLARE_SERIAL(CGXProperties)
public:
    // Colour numbers of the colours the constructor registers.
    enum : int
    {
        colorGridLines = 0,
        colorFixedLines = 1,
        colorTrackingLine = 2,
        colorDraggingLine = 3,
        colorBackground = 4
    };

    static constexpr WORD idCurrentCellProperty = GX_IDS_UP_CURRENT_CELL;

    struct UserPropertyInfo
    {
        WORD nId;
        CString strName;
        CGXStyle* pStyle; // owned value holder
    };

    CGXProperties();
    // The defaults, then the source through the application's parameter-copy feature.
    CGXProperties(const CGXProperties& source);
    ~CGXProperties() override;

    // Through the application's document-serialize feature; nothing without it.
    void Serialize(CArchive& ar) override;
    // The choice of current-cell frames, as user property 51005.
    virtual void AddDefaultUserProperties();
    // Through the application's profile feature under m_strSection; nothing (0) without it.
    virtual void WriteProfile() const;
    virtual BOOL ReadProfile();

    // The name is the string resource of the id, or "COLOR<id>" when there is none.
    int AddColorProperty(UINT nNameId, COLORREF color);
    // A name already registered keeps its colour and answers its index.
    int AddColorPropertyByName(LPCTSTR pszName, COLORREF color);
    // 0 for a colour number that is not registered.
    COLORREF GetColor(int nIndex) const;
    const CStringArray& GetColorNameArray() const
    {
        return m_asColorNames;
    }
    CDWordArray& GetColorArray()
    {
        return m_adwColors;
    }

    // Black on white: the black-and-white flag and the print option together.
    BOOL IsBlackWhiteOutput() const;

    // The property takes a copy of the style; a new id is named by its string resource, or
    // "USERPROP<id>" when there is none.
    void AddUserProperty(WORD nId, const CGXStyle& style);
    // The empty default style for an unknown id.
    const CGXStyle& GetUserProperty(WORD nId) const;
    const CMapWordToPtr& GetUserPropertyInfoMap() const
    {
        return m_mapUserProperties;
    }
    // Forgets the colours and the user properties.
    void ResetUserProperties();

    int AddHeaderFooterToken(LPCTSTR pszToken);
    CStringArray& GetTokenArray()
    {
        return m_asTokens;
    }
    CStringArray& GetTokenValueArray()
    {
        return m_asTokenValues;
    }

    CGXData& GetDataHeader()
    {
        return m_dataHeader;
    }
    CGXData& GetDataFooter()
    {
        return m_dataFooter;
    }

    // Choices of the current-cell frame.
    CString m_strFrameInvertThin;
    CString m_strFrameInvertThick;
    CString m_strFrameThinBorder;
    CString m_strFrameThickBorder;
    CString m_strFrameNoBorder;

    // Display options, kept in the profile as "3dHeader", "VerticalLines", "HorizontalLines",
    // "MarkRowHeader" and "MarkColumnHeader".
    BOOL m_b3dHeader = TRUE;
    BOOL m_bVerticalLines = TRUE;
    BOOL m_bHorizontalLines = TRUE;
    BOOL m_bMarkRowHeader = TRUE;
    BOOL m_bMarkColHeader = TRUE;
    BOOL m_bBlackWhite = FALSE;

    CString m_strSection = _T("Grid");
    // Taken by the grid as its zoom when it initialises.
    int m_nZoom = 100;

    // Print options.
    BOOL m_bCenterHorizontal = TRUE;
    BOOL m_bCenterVertical = FALSE;
    BOOL m_bPrintColHeaders = TRUE;
    BOOL m_bPrintHorzLines = TRUE;
    BOOL m_bPrintRowHeaders = TRUE;
    BOOL m_bPrintVertLines = TRUE;
    int m_nPageOrder = 0; // 0: across the page columns first
    BOOL m_bPrintBlackWhite = TRUE;
    BOOL m_bPrintFrame = TRUE;
    // Top, left, bottom, right, in thousandths of an inch.
    int m_anMargins[4] = {1500, 1000, 1500, 1000};
    // From the page's top to the header and from the footer to the page's bottom.
    int m_nHeaderDistance = 400;
    int m_nFooterDistance = 400;
    // -1: the printed page numbers are the framework's.
    int m_nFirstPage = -1;
    WORD m_awSettings[2] = {0, 0};
    // Columns and rows before which a printed page must break.
    CDWordArray m_awColBreaks;
    CDWordArray m_awRowBreaks;

protected:
    // Archive and copy the colour table and the user properties.
    friend class CGXGridDocSerializeImp;
    friend class CGXGridParamCopyOperatorImp;
    CGXAppData* m_pAppData;
    CGXStyle m_styleDefaultProperty;
    CStringArray m_asTokens;
    CStringArray m_asTokenValues;
    CMapWordToPtr m_mapUserProperties; // id -> UserPropertyInfo*
    CStringArray m_asColorNames;
    CDWordArray m_adwColors;
    CGXData m_dataFooter;
    CGXData m_dataHeader;
};
