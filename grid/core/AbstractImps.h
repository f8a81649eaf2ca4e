// The interfaces of the grid's application-wide parts: the control factory and one feature
// object ("Imp") per kind. CGXAppData holds one of each; an operation whose feature is not
// installed does nothing. Each kind's operations are added by the feature that implements it.
#pragma once

#include <afx.h>
#include <afxwin.h>

#include <ctime>

#include <grid/core/Range.h>

class CGXControl;
class CGXData;
class CGXFont;
class CGXGridCore;
class CGXGridParam;
class CGXPrintDevice;
class CGXProperties;
class CGXStyle;
class CGXStylePtrArray;
class CGXStylePtrArrayPtrArray;
class CGXStylesMap;
struct GXBrushRecord;
struct GXPenRecord;
class CPrintDialog;
class CView;
struct CPrintInfo;

class CGXAbstractControlFactory
{
public:
    virtual ~CGXAbstractControlFactory() = default;
    virtual CGXControl* CreateControl(UINT nId, CGXGridCore* pGrid) = 0;
    virtual void RegisterAllControls(CGXStylesMap* pStylesMap) = 0;
    virtual void RegisterAllUserAttributes(CGXStylesMap* pStylesMap) = 0;
    virtual void InitializeGridComponents(CGXGridCore* pGrid) = 0;
    virtual void InitializeApplicationComponents() = 0;
    virtual void RegisterWndClasses(HINSTANCE hInstance) = 0;
    virtual void UnregisterWndClasses(HINSTANCE hInstance) = 0;
};

// Told of every grid's initialisation: the grid window, the parameter object's name and
// whether that name is set.
class CGXAbstractGridInitImp
{
public:
    virtual ~CGXAbstractGridInitImp() = default;
    virtual void OnGridInit(CWnd* pGridWnd, const CString& strName, BOOL bNamed) = 0;
};

class CGXAbstractStyleSerializeImp
{
public:
    virtual ~CGXAbstractStyleSerializeImp() = default;
    virtual void SerializeFont(CGXFont& font, CArchive& ar) = 0;
    virtual void SerializeBrush(GXBrushRecord& brush, CArchive& ar) = 0;
    virtual void SerializePen(GXPenRecord& pen, CArchive& ar) = 0;
    virtual void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap) = 0;
};

class CGXAbstractSerializeTW5CompatibleImp
{
public:
    virtual ~CGXAbstractSerializeTW5CompatibleImp() = default;
    virtual void ReadUserAttributes(CGXStyle& style, CArchive& ar) = 0;
};

class CGXAbstractStyleCompareSubsetImp
{
public:
    virtual ~CGXAbstractStyleCompareSubsetImp() = default;
    virtual BOOL IsSubset(const CGXStyle& style, const CGXStyle& other) = 0;
};

class CGXAbstractGridProfileImp
{
public:
    virtual ~CGXAbstractGridProfileImp() = default;
    virtual BOOL WriteStylesMapToProfile(const CGXStylesMap& stylesMap) = 0;
    virtual void WriteFontToProfile(const CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) = 0;
    virtual BOOL WriteStyleToProfile(const CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) = 0;
    virtual void WritePropertiesToProfile(const CGXProperties& properties) = 0;
    virtual BOOL ReadStylesMapFromProfile(CGXStylesMap& stylesMap) = 0;
    virtual BOOL ReadFontFromProfile(CGXFont& font, LPCTSTR pszSection, LPCTSTR pszEntry) = 0;
    virtual BOOL ReadStyleFromProfile(CGXStyle& style, LPCTSTR pszSection, const CGXStylesMap* pStylesMap) = 0;
    virtual BOOL ReadPropertiesFromProfile(CGXProperties& properties) = 0;
};

class CGXAbstractGridDocSerializeImp
{
public:
    virtual ~CGXAbstractGridDocSerializeImp() = default;
    virtual void SerializeStylesMap(CGXStylesMap& stylesMap, CArchive& ar) = 0;
    virtual void SerializeData(CGXData& data, CArchive& ar) = 0;
    virtual void SerializeStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar) = 0;
    virtual void SerializeStyleArray(CGXStylePtrArray& styles, CArchive& ar) = 0;
    virtual void SerializeProperties(CGXProperties& properties, CArchive& ar) = 0;
    virtual void SerializeParam(CGXGridParam& param, CArchive& ar) = 0;
};

class CGXAbstractGridParamCopyOperatorImp
{
public:
    virtual ~CGXAbstractGridParamCopyOperatorImp() = default;
    virtual void CopyParam(CGXGridParam& dest, const CGXGridParam& src) = 0;
    virtual void CopyStylesMap(CGXStylesMap& dest, const CGXStylesMap& src) = 0;
    virtual void CopyProperties(CGXProperties& dest, const CGXProperties& src) = 0;
};

class CGXCoveredCellPool;
class CGXRangeList;
class CGXSpanCellPool;
class CGXDelayedRangePool;

class CGXAbstractCoveredCellPoolImp
{
public:
    virtual ~CGXAbstractCoveredCellPoolImp() = default;
    virtual CGXCoveredCellPool* CreatePool() = 0;
    virtual void InitPool(CGXCoveredCellPool& pool, const CGXRangeList& list) = 0;
};

class CGXAbstractSpanCellPoolImp
{
public:
    virtual ~CGXAbstractSpanCellPoolImp() = default;
    virtual CGXSpanCellPool* CreatePoolCopy(const CGXSpanCellPool& source) = 0;
    virtual CGXSpanCellPool* CreatePool() = 0;
    virtual void AssignPool(CGXSpanCellPool& target, const CGXSpanCellPool& source) = 0;
    virtual void InsertRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount) = 0;
    virtual void RemoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast) = 0;
    virtual void MoveRows(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest) = 0;
    virtual void InsertCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nCount) = 0;
    virtual void RemoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast) = 0;
    virtual void MoveCols(CGXSpanCellPool* pPool, ROWCOL nFirst, ROWCOL nLast, ROWCOL nDest) = 0;
};

class CGXAbstractDelayedRangePoolImp
{
public:
    virtual ~CGXAbstractDelayedRangePoolImp() = default;
    virtual CGXDelayedRangePool* CreatePoolCopy(const CGXDelayedRangePool& source) = 0;
    virtual CGXDelayedRangePool* CreatePool() = 0;
    virtual void AssignPool(CGXDelayedRangePool& target, const CGXDelayedRangePool& source) = 0;
};

// A sheet's tab name in the tab window holding the sheet; nothing (or "") for a window that no
// tab window holds. Direction 0 reads the name into strName; any other renames the tab.
class CGXAbstractTabWndInterface
{
public:
    virtual ~CGXAbstractTabWndInterface() = default;
    virtual void ExchangeTabName(CWnd* pSheet, CString& strName, int nDirection) = 0;
    virtual CString GetTabNameAt(CWnd* pSheet, int nTab) = 0;
};

// Keeps a print device's DEVNAMES and DEVMODE blocks and its printer DC; each operation works on
// the given device.
class CGXAbstractPrintDeviceImp
{
public:
    virtual ~CGXAbstractPrintDeviceImp() = default;
    virtual void CopyToAppPrinter(CGXPrintDevice* pDevice) = 0;
    virtual void DoPrintSetup(CGXPrintDevice* pDevice, CPrintDialog* pDialog) = 0;
    virtual BOOL DoPreparePrinting(CGXPrintDevice* pDevice, CView* pView, CPrintInfo* pInfo) = 0;
    virtual void SetDeviceFromHandles(CGXPrintDevice* pDevice, HGLOBAL hDevNames, HGLOBAL hDevMode) = 0;
    virtual void SetDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode,
                           DWORD cbDevMode) = 0;
    virtual void FreeDevice(CGXPrintDevice* pDevice) = 0;
    virtual void GetDeviceBlocks(CGXPrintDevice* pDevice, HGLOBAL hDevNames, HGLOBAL hDevMode, BYTE*& pDevNames,
                                 DWORD& cbDevNames, BYTE*& pDevMode, DWORD& cbDevMode) = 0;
    virtual void CreateDefaultDevice(CGXPrintDevice* pDevice) = 0;
    virtual HDC GetPrinterDC(CGXPrintDevice* pDevice) = 0;
    virtual void ReleasePrinterDC(CGXPrintDevice* pDevice) = 0;
    virtual void CopyDeviceToHandles(CGXPrintDevice* pDevice, HGLOBAL& hDevNames, HGLOBAL& hDevMode) = 0;
    virtual BOOL IsSameDevice(CGXPrintDevice* pDevice, CGXPrintDevice* pOther) = 0;
    virtual BOOL CompareDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode,
                               DWORD cbDevMode) = 0;
};

class CGXAbstractGridSortMoveDataImp
{
public:
    virtual ~CGXAbstractGridSortMoveDataImp() = default;
    // Reorder the rows (columns) of the range: entry i of the order names the old position of
    // the row (column) that goes to position i.
    virtual BOOL MoveDataRows(CGXData* pData, const CGXRange& range, const CDWordArray& order) = 0;
    virtual BOOL MoveDataCols(CGXData* pData, const CGXRange& range, const CDWordArray& order) = 0;
};

class CGXAbstractDrawRotatedTextImp
{
public:
    virtual ~CGXAbstractDrawRotatedTextImp() = default;
    // Draws a text whose font (already selected) is rotated by nOrientation tenths of a degree,
    // placed in the rectangle by the DT_ alignment flags and clipped to pClipRect or the cell.
    virtual int DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, int nLeft, int nTop, int nRight, int nBottom,
                                UINT nFormat, int nOrientation, const CRect* pClipRect) = 0;
};

// A date and time as fields; the last two are cleared by parsing and read by nothing.
struct GXDateTimeParts
{
    short nYear;
    WORD nMonth;
    WORD nDay;
    WORD nHour;
    WORD nMinute;
    WORD nSecond;
    WORD wReserved1;
    WORD wReserved2;
};

// The locale's date and time conventions.
class CGXAbstractDateTimeImp
{
public:
    virtual ~CGXAbstractDateTimeImp() = default;
    virtual void InitSettings() = 0;
    // The short-date order (0 day-month-year, 1 month-day-year, 2 year-month-day, 3 none
    // fixed), whether years show four digits and the date separator.
    virtual int GetDateFormatOrder(BOOL bRefresh, BOOL& bFourDigitYear, TCHAR& chSeparator) = 0;
    virtual TCHAR GetTimeSeparator(BOOL bRefresh) = 0;
    // Each parse clears the record first and leaves it cleared when the text is no date.
    virtual BOOL ParseDateTime(GXDateTimeParts& parts, LPCTSTR pszText, int nDateOrder) = 0;
    virtual BOOL ParseDateTimeTm(struct tm& tmOut, LPCTSTR pszText, int nDateOrder) = 0;
    virtual void FormatDateTime(CString& strText, const GXDateTimeParts& parts) = 0;
    // A time in seconds since 1970, as local time.
    virtual void FormatTime(CString& strText, __time64_t time) = 0;
};

class CGXAbstractDataCopyMoveCellsImp
{
public:
    virtual ~CGXAbstractDataCopyMoveCellsImp() = default;
    virtual BOOL CopyCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol) = 0;
    // pUndoInfo receives (or, when moving back, supplies) the styles overwritten at the
    // destination.
    virtual BOOL MoveCells(CGXData* pData, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject*& pUndoInfo,
                           BOOL bCreateUndoInfo) = 0;
};

struct GXLongOperationRecord;

// Feedback, wait cursor and abort question of long operations; the state is the calling
// thread's GX_WAIT_STATE.
class CGXAbstractLongOperationImp
{
public:
    virtual ~CGXAbstractLongOperationImp() = default;
    virtual void Start(GXLongOperationRecord* pRecord) = 0;
    virtual void End(GXLongOperationRecord* pRecord) = 0;
    virtual void FreeStatusText(GXLongOperationRecord* pRecord) = 0;
    virtual void SetStatusText(GXLongOperationRecord* pRecord, LPCTSTR pszText, BOOL bCopy) = 0;
    virtual BOOL NeedMessagesAbort(GXLongOperationRecord* pRecord, BOOL& bAborted) = 0;
    virtual BOOL NeedMessages(GXLongOperationRecord* pRecord) = 0;
    virtual void DoMessages() = 0;
};

class CGXAbstractNumberFormattingImp
{
public:
    virtual ~CGXAbstractNumberFormattingImp() = default;
    // The text a cell shows for the value (the style's own value and type when pszValue is null).
    virtual CString FormatValue(const CGXStyle& style, LPCTSTR pszValue, UINT nValueType) = 0;
    // TRUE when the whole text is a number; the format id and places guessed from its form are
    // optional outputs. On failure nothing is written.
    virtual BOOL ParseNumber(LPCTSTR pszText, double& dValue, int* pnFormat, int* pnPlaces) = 0;
};

// A feature object is made only where its pointer is empty, so one placed earlier stays.
template <class CONCRETE, class KIND> void GXInstallImp(KIND*& pImp)
{
    if (pImp == nullptr)
        pImp = new CONCRETE;
}
