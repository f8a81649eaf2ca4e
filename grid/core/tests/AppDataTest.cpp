#include <grid/core/AppData.h>
#include <grid/core/SysColorBitmap.h>
#include <grid/core/SysData.h>
#include <grid/core/ThreadState.h>
#include <grid/core/WaitState.h>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

namespace
{
// The test script's bitmap in the loader's four colours, and an id without a bitmap.
constexpr UINT idbTestColors = 30028;
constexpr UINT idbMissing = 30029;

struct Probe
{
    static inline std::atomic<int> s_nLive{0};
    Probe()
    {
        ++s_nLive;
    }
    ~Probe()
    {
        --s_nLive;
    }
};

CGXGridCore* Grid(int n)
{
    return reinterpret_cast<CGXGridCore*>(static_cast<UINT_PTR>(0x1000 * n));
}
} // namespace

TEST(ThreadStateTest, EachThreadHasItsOwnStateUntilItEnds)
{
    Probe* pMain = GXGetThreadState<Probe>();
    EXPECT_EQ(GXGetThreadState<Probe>(), pMain);
    const int nLiveBefore = Probe::s_nLive;

    Probe* pOther = nullptr;
    std::thread([&] {
        pOther = GXGetThreadState<Probe>();
        EXPECT_EQ(Probe::s_nLive, nLiveBefore + 1);
    }).join();
    EXPECT_NE(pOther, pMain);
    EXPECT_EQ(Probe::s_nLive, nLiveBefore);
}

TEST(SysDataTest, CachedColoursStayUntilTheNextUpdate)
{
    // A thread of its own: nothing is cached there until it asks for it.
    std::thread([] {
        GX_SYS_DATA* pSysData = GXGetSysData();
        EXPECT_EQ(pSysData->m_nSysColors, 0);
        EXPECT_EQ(pSysData->m_cxBorder, 2);

        const COLORREF window = ::GetSysColor(COLOR_WINDOW);
        const COLORREF changed = window ^ 0x00FFFFFF;
        const INT nIndex = COLOR_WINDOW;
        EXPECT_EQ(pSysData->GetSysColor(COLOR_WINDOW), window);

        pSysData->UpdateSysColors();
        EXPECT_EQ(pSysData->m_nSysColors, 24);
        EXPECT_EQ(pSysData->clrWindow, window);
        if (!::SetSysColors(1, &nIndex, &changed))
            GTEST_SKIP() << "the system colours cannot be changed here";
        EXPECT_EQ(pSysData->GetSysColor(COLOR_WINDOW), window); // the cached one
        pSysData->UpdateSysColors();
        EXPECT_EQ(pSysData->GetSysColor(COLOR_WINDOW), changed);
        ::SetSysColors(1, &nIndex, &window);
        EXPECT_EQ(pSysData->GetSysColor(24), ::GetSysColor(24)); // never cached
    }).join();
}

TEST(SysDataTest, BitmapsTakeTheThreeDeeColours)
{
    HBITMAP hbm = GXLoadSysColorBitmap(::GetModuleHandleW(nullptr), idbTestColors);
    ASSERT_NE(hbm, nullptr);
    HDC hdc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    const COLORREF expected[] = {::GetSysColor(COLOR_BTNTEXT), ::GetSysColor(COLOR_BTNSHADOW),
                                 ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(255, 0, 0)};
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(::GetNearestColor(hdc, ::GetPixel(hdc, x, 0)), ::GetNearestColor(hdc, expected[x])) << x;
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    ::DeleteObject(hbm);

    EXPECT_EQ(GXLoadSysColorBitmap(::GetModuleHandleW(nullptr), idbMissing), nullptr);
    GX_SYS_DATA* pSysData = GXGetSysData();
    pSysData->UpdateSysColors();
    EXPECT_NE(pSysData->m_hbmDropArrow, nullptr);
    EXPECT_NE(pSysData->m_hbm20211, nullptr);
}

TEST(AppDataTest, LoadStringsFillsEachTextFromItsString)
{
    CGXAppData appData;
    appData.m_sCopy = _T("stale");
    appData.LoadStrings();
    EXPECT_STREQ(appData.m_sRedoing, L"Redoing %1 ...");
    EXPECT_STREQ(appData.m_sInsertColumns, L"Insert Columns");
    EXPECT_STREQ(appData.m_sClearCells, L"Clear Cells");
    EXPECT_STREQ(appData.m_sCopy, L"Copy");
    EXPECT_STREQ(appData.m_sFreezeRows, L"Freeze Rows");
    EXPECT_STREQ(appData.m_sFreezeColumns, L"Freeze Columns");

    const GX_WAIT_STATE* pWaitState = GXGetThreadState<GX_WAIT_STATE>();
    EXPECT_STREQ(pWaitState->m_sProcessing, L"Processing...");
    EXPECT_STREQ(pWaitState->m_sAbortQuestion, L"Do you want to abort the operation?");
    EXPECT_STREQ(pWaitState->m_sDone, L"Done.");
    EXPECT_STREQ(pWaitState->m_sPressEsc, L"Press ESC to cancel");
    EXPECT_EQ(pWaitState->m_dwFirstDelay, 750u);
    EXPECT_EQ(pWaitState->m_nCutOffLevel, -1);
}

TEST(AppDataTest, FixDecimalSeparatorOnlyWhenTrackingTheLocale)
{
    CGXAppData appData;
    wcscpy(appData.m_szDecimalSeparator, L",");
    const struct
    {
        BOOL bLocale;
        LPCWSTR pszText, pszFixed;
    } cases[] = {
        {FALSE, L"1,5", L"1,5"},
        {TRUE, L"1,5", L"1.5"},
        {TRUE, L"1,5,6", L"1.5,6"},
        {TRUE, L"15", L"15"},
    };
    for (const auto& c : cases)
    {
        appData.m_bLocaleNumbers = c.bLocale;
        CString strText(c.pszText);
        appData.FixDecimalSeparator(strText);
        EXPECT_STREQ(strText, c.pszFixed);
    }
}

TEST(AppDataTest, GridListsPerKey)
{
    CGXAppData appData;
    int key1 = 0, key2 = 0;
    EXPECT_EQ(appData.LookupGridList(&key1), nullptr);
    appData.RegisterGrid(&key1, Grid(1));
    appData.RegisterGrid(&key1, Grid(1));
    appData.RegisterGrid(&key1, Grid(2));
    appData.RegisterGrid(&key2, Grid(2));
    EXPECT_EQ(appData.LookupGridList(&key1), Grid(1));

    appData.UnregisterGrid(Grid(1)); // both entries go
    EXPECT_EQ(appData.LookupGridList(&key1), Grid(2));
    appData.UnregisterGrid(Grid(2));
    EXPECT_EQ(appData.LookupGridList(&key1), nullptr);
    EXPECT_EQ(appData.LookupGridList(&key2), nullptr);

    appData.AddParentWndClass(RUNTIME_CLASS(CObject));
    appData.AddParentWndClass(RUNTIME_CLASS(CObject));
    EXPECT_EQ(appData.GetParentWndClasses().GetCount(), 1);
}

namespace
{
class CCountingFactory : public CGXAbstractControlFactory
{
public:
    explicit CCountingFactory(int* pnDeleted) : m_pnDeleted(pnDeleted)
    {
    }
    ~CCountingFactory() override
    {
        ++*m_pnDeleted;
    }
    CGXControl* CreateControl(UINT, CGXGridCore*) override
    {
        return nullptr;
    }
    void RegisterAllControls(CGXStylesMap*) override
    {
    }
    void RegisterAllUserAttributes(CGXStylesMap*) override
    {
    }
    void InitializeGridComponents(CGXGridCore*) override
    {
    }
    void InitializeApplicationComponents() override
    {
        ++m_nInstalls;
    }
    void RegisterWndClasses(HINSTANCE) override
    {
    }
    void UnregisterWndClasses(HINSTANCE) override
    {
    }

    int m_nInstalls = 0;

private:
    int* m_pnDeleted;
};
} // namespace

TEST(AppDataTest, InitializeTakesOverTheFactory)
{
    int nDeleted = 0;
    {
        CGXAppData appData;
        auto* pFirst = new CCountingFactory(&nDeleted);
        appData.Initialize(pFirst);
        EXPECT_EQ(appData.m_pControlFactory, pFirst);
        EXPECT_EQ(pFirst->m_nInstalls, 1);

        WCHAR szName[64] = {};
        ::GetClipboardFormatNameW(appData.m_uiClipboardFormat, szName, 64);
        CString strExpected;
        strExpected.Format(L"Grid Styles %08x",
                           static_cast<UINT>(reinterpret_cast<UINT_PTR>(::GetModuleHandleW(nullptr))));
        EXPECT_STREQ(szName, strExpected);

        const DWORD dwVersion = ::GetVersion();
        EXPECT_EQ(appData.m_wWindowsVersion, LOBYTE(LOWORD(dwVersion)) * 256 + HIBYTE(LOWORD(dwVersion)));
        EXPECT_TRUE(appData.m_bWin4);
        EXPECT_FALSE(appData.m_bNotWin4 || appData.m_bNotNT || appData.m_bWin32s);

        appData.Initialize(new CCountingFactory(&nDeleted));
        EXPECT_EQ(nDeleted, 1);
    }
    EXPECT_EQ(nDeleted, 2);
}

TEST(AppDataTest, WcsToDouble)
{
    EXPECT_DOUBLE_EQ(GXWcsToDouble(L"2.5"), 2.5);
    EXPECT_DOUBLE_EQ(GXWcsToDouble(L"  -1e3xyz"), -1000);
    EXPECT_DOUBLE_EQ(GXWcsToDouble(L"abc"), 0);
    EXPECT_DOUBLE_EQ(GXWcsToDouble(nullptr), 0);

    // 63 characters fit the buffer; longer texts are parsed whole, not cut.
    const CString strFits = L"1" + CString(L'0', 62);
    EXPECT_DOUBLE_EQ(GXWcsToDouble(strFits), 1e62);
    const CString strLong = L"0." + CString(L'0', 100) + L"1";
    EXPECT_DOUBLE_EQ(GXWcsToDouble(strLong), 1e-101);
    const CString strLongInteger = L"1" + CString(L'0', 80);
    EXPECT_DOUBLE_EQ(GXWcsToDouble(strLongInteger), 1e80);
}

TEST(AppDataTest, LoadResourceStringThrowsForAMissingString)
{
    EXPECT_STREQ(GXLoadResourceString(52768), L"Standard");
    bool bThrown = false;
    try
    {
        GXLoadResourceString(52799);
    }
    catch (CResourceException* e)
    {
        e->Delete();
        bThrown = true;
    }
    EXPECT_TRUE(bThrown);
}
