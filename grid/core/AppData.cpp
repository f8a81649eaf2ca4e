#include <grid/core/AppData.h>

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
    {20139, &CGXAppData::m_sRedoing},
    {20140, &CGXAppData::m_sUndoing},
    {20141, &CGXAppData::m_sGenUndo},
    {20142, &CGXAppData::m_sStoringCells},
    {20143, &CGXAppData::m_sRestoringCells},
    {20144, &CGXAppData::m_sCells},
    {20145, &CGXAppData::m_sRemovingRows},
    {20146, &CGXAppData::m_sRemovingColumns},
    {20147, &CGXAppData::m_sCopyingText},
    {20148, &CGXAppData::m_sCopyingInternal},
    {20150, &CGXAppData::m_sCutData},
    {20151, &CGXAppData::m_sCuttingData},
    {20152, &CGXAppData::m_sPastingData},
    {20154, &CGXAppData::m_sPaste},
    {20155, &CGXAppData::m_sReplacingValues},
    {20156, &CGXAppData::m_sReplaceAll},
    {20157, &CGXAppData::m_sSearchingValues},
    {20172, &CGXAppData::m_sResizingRows},
    {20173, &CGXAppData::m_sResizingColumns},
    {20169, &CGXAppData::m_sFreezeRows},
    {20168, &CGXAppData::m_sFreezeColumns},
    {20174, &CGXAppData::m_sCurrentCell},
    {20175, &CGXAppData::m_sClipboardSizeDiffers},
    {20178, &CGXAppData::m_sCopy},
    {20179, &CGXAppData::m_sMove},
    {20180, &CGXAppData::m_sClearCells},
    {20162, &CGXAppData::m_sMoveRows},
    {20163, &CGXAppData::m_sMoveColumns},
    {20164, &CGXAppData::m_sInsertRows},
    {20165, &CGXAppData::m_sInsertColumns},
};

struct WaitTextEntry
{
    UINT nId;
    CString GX_WAIT_STATE::*pText;
};

const WaitTextEntry waitTexts[] = {
    {20081, &GX_WAIT_STATE::m_sAbortQuestion},
    {20075, &GX_WAIT_STATE::m_sProcessing},
    {20076, &GX_WAIT_STATE::m_sDone},
    {20077, &GX_WAIT_STATE::m_sPressEsc},
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
    delete m_pTabWndInterface;
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
