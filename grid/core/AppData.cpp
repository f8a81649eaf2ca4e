#include <grid/core/AppData.h>

#include <grid/core/ResourceIds.h>
#include <grid/core/ThreadState.h>
#include <grid/core/WaitState.h>

#include <clocale>
#include <cstdlib>
#include <iterator>

namespace
{
struct TextEntry
{
    UINT nId;
    CString CGXAppData::*pText;
};

// In the order the texts are loaded.
const TextEntry appTexts[] = {
    {GX_IDS_REDOING, &CGXAppData::m_sRedoing},
    {GX_IDS_UNDOING, &CGXAppData::m_sUndoing},
    {GX_IDS_GENERATING_UNDO, &CGXAppData::m_sGenUndo},
    {GX_IDS_STORING_CELLS, &CGXAppData::m_sStoringCells},
    {GX_IDS_RESTORING_CELLS, &CGXAppData::m_sRestoringCells},
    {GX_IDS_CELLS, &CGXAppData::m_sCells},
    {GX_IDS_REMOVING_ROWS, &CGXAppData::m_sRemovingRows},
    {GX_IDS_REMOVING_COLS, &CGXAppData::m_sRemovingColumns},
    {GX_IDS_COPYING_TEXT, &CGXAppData::m_sCopyingText},
    {GX_IDS_COPYING_INTERNAL, &CGXAppData::m_sCopyingInternal},
    {GX_IDS_CUT_DATA, &CGXAppData::m_sCutData},
    {GX_IDS_CUTTING_DATA, &CGXAppData::m_sCuttingData},
    {GX_IDS_PASTING_DATA, &CGXAppData::m_sPastingData},
    {GX_IDS_PASTE, &CGXAppData::m_sPaste},
    {GX_IDS_REPLACING_VALUES, &CGXAppData::m_sReplacingValues},
    {GX_IDS_REPLACE_ALL, &CGXAppData::m_sReplaceAll},
    {GX_IDS_SEARCHING_VALUES, &CGXAppData::m_sSearchingValues},
    {GX_IDS_RESIZING_ROWS, &CGXAppData::m_sResizingRows},
    {GX_IDS_RESIZING_COLS, &CGXAppData::m_sResizingColumns},
    {GX_IDS_FREEZE_ROWS, &CGXAppData::m_sFreezeRows},
    {GX_IDS_FREEZE_COLS, &CGXAppData::m_sFreezeColumns},
    {GX_IDS_CURRENT_CELL, &CGXAppData::m_sCurrentCell},
    {GX_IDS_CLIPBOARD_SIZE_DIFFERS, &CGXAppData::m_sClipboardSizeDiffers},
    {GX_IDS_COPY, &CGXAppData::m_sCopy},
    {GX_IDS_MOVE, &CGXAppData::m_sMove},
    {GX_IDS_CLEAR_CELLS, &CGXAppData::m_sClearCells},
    {GX_IDS_MOVE_ROWS, &CGXAppData::m_sMoveRows},
    {GX_IDS_MOVE_COLS, &CGXAppData::m_sMoveColumns},
    {GX_IDS_INSERT_ROWS, &CGXAppData::m_sInsertRows},
    {GX_IDS_INSERT_COLS, &CGXAppData::m_sInsertColumns},
};

struct WaitTextEntry
{
    UINT nId;
    CString GX_WAIT_STATE::*pText;
};

const WaitTextEntry waitTexts[] = {
    {GX_IDS_ABORT_QUESTION, &GX_WAIT_STATE::m_sAbortQuestion},
    {GX_IDS_PROCESSING, &GX_WAIT_STATE::m_sProcessing},
    {GX_IDS_DONE, &GX_WAIT_STATE::m_sDone},
    {GX_IDS_PRESS_ESC, &GX_WAIT_STATE::m_sPressEsc},
};

// The first character of a locale setting; the setting stays when the locale has none.
void ReadSeparator(LCTYPE type, TCHAR (&szSeparator)[2])
{
    WCHAR szValue[8];
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, szValue, static_cast<int>(std::size(szValue))) > 1)
    {
        szSeparator[0] = szValue[0];
        szSeparator[1] = 0;
    }
}
} // namespace

CGXAppData::CGXAppData() : m_listParentWndClasses(10), m_mapGridLists(10)
{
}

CGXAppData::~CGXAppData()
{
    delete m_pControlFactory;
    delete m_pGridInitImp;
    delete m_pCoveredCellPoolImp;
    delete m_pSpanCellPoolImp;
    delete m_pDelayedRangePoolImp;
    delete m_pPrintDeviceImp;
    delete m_pStyleCompareSubsetImp;
    delete m_pStyleSerializeImp;
    delete m_pDocSerializeImp;
    delete m_pGridProfileImp;
    delete m_pParamCopyOperatorImp;
    delete m_pSortMoveDataImp;
    delete m_pDrawRotatedTextImp;
    delete m_pDateTimeImp;
    delete m_pDataCopyMoveCellsImp;
    delete m_pLongOperationImp;
    delete m_pSerializeTW5CompatibleImp;
    delete m_pNumberFormattingImp;
    for (POSITION pos = m_mapGridLists.GetStartPosition(); pos != nullptr;)
    {
        void* pKey;
        void* pList;
        m_mapGridLists.GetNextAssoc(pos, pKey, pList);
        delete static_cast<CPtrList*>(pList);
    }
}

void CGXAppData::Initialize(CGXAbstractControlFactory* pFactory)
{
    HINSTANCE hInstance = ::GetModuleHandleW(nullptr);
    CString strFormat;
    strFormat.Format(L"Grid Styles %08x", static_cast<UINT>(reinterpret_cast<UINT_PTR>(hInstance)));
    m_uiClipboardFormat = ::RegisterClipboardFormatW(strFormat);

    if (m_pControlFactory != pFactory)
        delete m_pControlFactory;
    m_pControlFactory = pFactory;
    delete m_pGridInitImp;
    m_pGridInitImp = nullptr;

    ReadPlatformVersion();

    if (m_pControlFactory != nullptr)
        m_pControlFactory->InitializeApplicationComponents();
}

void CGXAppData::ReadPlatformVersion()
{
    const DWORD dwVersion = ::GetVersion();
    const BYTE nMajor = LOBYTE(LOWORD(dwVersion));
    const BYTE nMinor = HIBYTE(LOWORD(dwVersion));
    m_wWindowsVersion = static_cast<WORD>(nMajor * 256 + nMinor);
    m_bNotNT = (dwVersion & 0x80000000) != 0;
    m_bWin4 = nMajor >= 4;
    m_bNotWin4 = !m_bWin4;
    m_bWin32s = m_bNotNT && nMajor < 4;
}

void CGXAppData::LoadStrings()
{
    for (const TextEntry& e : appTexts)
        if (!(this->*e.pText).LoadString(e.nId))
            (this->*e.pText).Empty();
    GX_WAIT_STATE* pWaitState = GXGetThreadState<GX_WAIT_STATE>();
    for (const WaitTextEntry& e : waitTexts)
        if (!(pWaitState->*e.pText).LoadString(e.nId))
            (pWaitState->*e.pText).Empty();
}

void CGXAppData::UpdateLocale()
{
    if (!m_bLocaleNumbers)
        return;
    _wsetlocale(LC_NUMERIC, L"");
    ReadSeparator(LOCALE_SDECIMAL, m_szDecimalSeparator);
    ReadSeparator(LOCALE_STHOUSAND, m_szThousandSeparator);
}

void CGXAppData::FixDecimalSeparator(CString& strText) const
{
    if (!m_bLocaleNumbers || m_szDecimalSeparator[0] == '.')
        return;
    const int nPos = strText.Find(m_szDecimalSeparator[0]);
    if (nPos >= 0)
        strText.SetAt(nPos, '.');
}

void CGXAppData::RegisterGrid(void* pKey, CGXGridCore* pGrid)
{
    void* pList;
    if (!m_mapGridLists.Lookup(pKey, pList))
    {
        pList = new CPtrList(10);
        m_mapGridLists.SetAt(pKey, pList);
    }
    static_cast<CPtrList*>(pList)->AddTail(pGrid);
}

CGXGridCore* CGXAppData::LookupGridList(void* pKey) const
{
    void* pList;
    if (!m_mapGridLists.Lookup(pKey, pList))
        return nullptr;
    return static_cast<CGXGridCore*>(static_cast<CPtrList*>(pList)->GetHead());
}

void CGXAppData::UnregisterGrid(CGXGridCore* pGrid)
{
    for (POSITION pos = m_mapGridLists.GetStartPosition(); pos != nullptr;)
    {
        void* pKey;
        void* pValue;
        m_mapGridLists.GetNextAssoc(pos, pKey, pValue);
        auto* pList = static_cast<CPtrList*>(pValue);
        for (POSITION posGrid; (posGrid = pList->Find(pGrid)) != nullptr;)
            pList->RemoveAt(posGrid);
        if (pList->IsEmpty())
        {
            m_mapGridLists.RemoveKey(pKey);
            delete pList;
        }
    }
}

void CGXAppData::AddParentWndClass(CRuntimeClass* pClass)
{
    if (m_listParentWndClasses.Find(pClass) == nullptr)
        m_listParentWndClasses.AddTail(pClass);
}

CGXAppData* GXGetAppDataPtr()
{
    static CGXAppData appData;
    return &appData;
}

double GXWcsToDouble(LPCTSTR pszText)
{
    if (pszText == nullptr)
        return 0;
    char szNumber[64];
    if (::WideCharToMultiByte(CP_ACP, 0, pszText, -1, szNumber, sizeof(szNumber), nullptr, nullptr) != 0)
        return std::atof(szNumber);
    // Too long for the buffer: parse the wide text itself rather than a cut one.
    if (::GetLastError() == ERROR_INSUFFICIENT_BUFFER)
        return std::wcstod(pszText, nullptr);
    return 0;
}

CString GXLoadResourceString(UINT nId)
{
    CString str;
    if (!str.LoadString(nId))
        AfxThrowResourceException();
    return str;
}
