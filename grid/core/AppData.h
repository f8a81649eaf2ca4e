// The process-wide grid data: the control factory, the application-wide feature objects,
// the library's texts, the platform version and the number separators.
#pragma once

#include <afxcoll.h>

#include <grid/core/AbstractImps.h>

class CGXGridCore;

class CGXAppData
{
public:
    CGXAppData();
    // Deletes the control factory and every installed feature object.
    ~CGXAppData();
    CGXAppData(const CGXAppData&) = delete;
    CGXAppData& operator=(const CGXAppData&) = delete;

    // Registers the clipboard format, takes over the factory (deleting the previous one),
    // reads the platform version and lets the factory install the application-wide features.
    void Initialize(CGXAbstractControlFactory* pFactory);
    // The library's texts; a missing string stays empty.
    void LoadStrings();
    // With m_bLocaleNumbers, takes the C library's numeric locale and both separators from the
    // user's locale.
    void UpdateLocale();
    // With m_bLocaleNumbers and a decimal separator other than ".", replaces its first
    // occurrence by ".".
    void FixDecimalSeparator(CString& strText) const;

    // Grids that share one object (the key), in the order they registered.
    void RegisterGrid(void* pKey, CGXGridCore* pGrid);
    CGXGridCore* LookupGridList(void* pKey) const;
    // Removes the grid from every list; an emptied list goes with its key.
    void UnregisterGrid(CGXGridCore* pGrid);

    // Parent-window classes under which grids look for their registered parent.
    void AddParentWndClass(CRuntimeClass* pClass);
    const CPtrList& GetParentWndClasses() const
    {
        return m_listParentWndClasses;
    }

    BOOL m_bInitDone = FALSE;
    UINT m_uiClipboardFormat = 0;

    CString m_sRedoing;
    CString m_sUndoing;
    CString m_sGenUndo;
    CString m_sStoringCells;
    CString m_sRestoringCells;
    CString m_sCells;
    CString m_sRemovingRows;
    CString m_sRemovingColumns;
    CString m_sMoveRows;
    CString m_sMoveColumns;
    CString m_sInsertRows;
    CString m_sInsertColumns;
    CString m_sCopyingText;
    CString m_sCopyingInternal;
    CString m_sCutData;
    CString m_sClearCells;
    CString m_sCuttingData;
    CString m_sPastingData;
    CString m_sPaste;
    CString m_sReplacingValues;
    CString m_sReplaceAll;
    CString m_sSearchingValues;
    CString m_sResizingRows;
    CString m_sResizingColumns;
    CString m_sFreezeRows;
    CString m_sFreezeColumns;
    CString m_sCurrentCell;
    CString m_sClipboardSizeDiffers;
    CString m_sCopy;
    CString m_sMove;

    CString m_sSaveBitsClassName;

    WORD m_wWindowsVersion = 0; // major * 256 + minor
    BOOL m_bNotNT = FALSE;
    BOOL m_bWin4 = FALSE;
    BOOL m_bNotWin4 = FALSE;
    BOOL m_bWin32s = FALSE;

    int m_nDefaultType = 1;

    CGXAbstractControlFactory* m_pControlFactory = nullptr;
    // Owned; cleared by every Initialize.
    CGXAbstractGridInitImp* m_pGridInitImp = nullptr;

    CGXAbstractCoveredCellPoolImp* m_pCoveredCellPoolImp = nullptr;
    CGXAbstractSpanCellPoolImp* m_pSpanCellPoolImp = nullptr;
    CGXAbstractDelayedRangePoolImp* m_pDelayedRangePoolImp = nullptr;
    CGXAbstractPrintDeviceImp* m_pPrintDeviceImp = nullptr;
    CGXAbstractStyleCompareSubsetImp* m_pStyleCompareSubsetImp = nullptr;
    CGXAbstractStyleSerializeImp* m_pStyleSerializeImp = nullptr;
    CGXAbstractGridDocSerializeImp* m_pDocSerializeImp = nullptr;
    CGXAbstractGridProfileImp* m_pGridProfileImp = nullptr;
    CGXAbstractGridParamCopyOperatorImp* m_pParamCopyOperatorImp = nullptr;
    CGXAbstractGridSortMoveDataImp* m_pSortMoveDataImp = nullptr;
    CGXAbstractDrawRotatedTextImp* m_pDrawRotatedTextImp = nullptr;
    CGXAbstractDateTimeImp* m_pDateTimeImp = nullptr;
    CGXAbstractDataCopyMoveCellsImp* m_pDataCopyMoveCellsImp = nullptr;
    CGXAbstractLongOperationImp* m_pLongOperationImp = nullptr;
    CGXAbstractSerializeTW5CompatibleImp* m_pSerializeTW5CompatibleImp = nullptr;
    CGXAbstractNumberFormattingImp* m_pNumberFormattingImp = nullptr;
    CGXAbstractTabWndInterface* m_pTabWndInterface = nullptr;

    // A system setting change reloads the current cell's control unless it is editing.
    BOOL m_bReloadOnSettingChange = FALSE;
    // Printed captions of progress cells are drawn unclipped, for printers that clip poorly.
    BOOL m_bNoClipWhilePrinting = FALSE;

    TCHAR m_szDecimalSeparator[2] = _T(".");
    TCHAR m_szThousandSeparator[2] = _T(",");
    BOOL m_bLocaleNumbers = FALSE;

private:
    void ReadPlatformVersion();

    CPtrList m_listParentWndClasses;
    CMapPtrToPtr m_mapGridLists; // key -> CPtrList* of grids
};

// The one CGXAppData of the process.
CGXAppData* GXGetAppDataPtr();

// The double of a text, parsed by the C library in the current numeric locale; 0 when the
// text is no number.
double GXWcsToDouble(LPCTSTR pszText);

// A string-table entry of the program; CResourceException when it is missing.
CString GXLoadResourceString(UINT nId);
