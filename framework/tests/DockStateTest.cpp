// The platform dock state: scaling to the screen, the profile keys of a bar's record, and the
// dock bars' rows through their records.
#include <afxpriv.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

namespace
{
const TCHAR kAppName[] = _T("Dock State Test");

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp(kAppName)
    {
    }
    using CWinApp::SetRegistryKey;
};

// The value names of a registry section.
std::set<std::wstring> ValueNames(const CString& keyPath)
{
    std::set<std::wstring> names;
    HKEY hKey = nullptr;
    if (::RegOpenKeyEx(HKEY_CURRENT_USER, keyPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return names;
    TCHAR name[256];
    for (DWORD i = 0;; ++i)
    {
        DWORD length = 256;
        if (::RegEnumValue(hKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.insert(name);
    }
    ::RegCloseKey(hKey);
    return names;
}

using Names = std::set<std::wstring>;

struct ScaleCase
{
    const char* name;
    CSize stored;
    CPoint point;
    CPoint expected;
};
} // namespace

TEST(DockStateScaling, PointsAndRectanglesScaleToTheScreenAndStayInsideTheClip)
{
    const ScaleCase cases[] = {
        {"800x600 on 1600x1200", CSize(800, 600), CPoint(100, 50), CPoint(200, 100)},
        {"nothing stored", CSize(0, 0), CPoint(100, 50), CPoint(100, 50)},
        {"same screen", CSize(1600, 1200), CPoint(100, 50), CPoint(100, 50)},
        {"past the clip", CSize(1600, 1200), CPoint(1700, 1300), CPoint(1500, 1100)},
        {"scaled past the clip", CSize(800, 600), CPoint(790, 590), CPoint(1500, 1100)},
    };
    for (const ScaleCase& c : cases)
    {
        CDockState state;
        state.m_rectDevice.SetRect(0, 0, 1600, 1200);
        state.m_rectClip.SetRect(0, 0, 1500, 1100);
        state.SetScreenSize(c.stored);
        EXPECT_EQ(state.m_bScaling, c.stored == CSize(800, 600)) << c.name;
        CPoint point = c.point;
        state.ScalePoint(point);
        EXPECT_EQ(point, c.expected) << c.name;
        CRect rect(c.point, CSize(30, 20));
        state.ScaleRectPos(rect);
        EXPECT_EQ(rect, CRect(c.expected, CSize(30, 20))) << c.name;
    }
    CDockState state;
    EXPECT_EQ(state.GetVersion(), 2u);
    EXPECT_EQ(state.GetScreenSize(), state.m_rectDevice.Size());
}

namespace
{
// A bar of fixed size.
class CPlainBar : public CControlBar
{
public:
    BOOL Create(CWnd* pParent, UINT nID)
    {
        return CreateBar(WS_CHILD | WS_VISIBLE | CBRS_TOP, pParent, nID);
    }
    CSize CalcFixedLayout(BOOL, BOOL) override
    {
        return CSize(60, 24);
    }
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override
    {
    }
};

class DockStateFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, _T("Dock state"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
        m_pFrame->EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
    }
    CPlainBar* NewBar(UINT nID, BOOL bDockable = TRUE)
    {
        auto* pBar = new CPlainBar;
        pBar->m_bAutoDelete = TRUE;
        EXPECT_TRUE(pBar->Create(m_pFrame, nID));
        if (bDockable)
        {
            pBar->EnableDocking(CBRS_ALIGN_ANY);
            m_pFrame->DockControlBar(pBar, AFX_IDW_DOCKBAR_TOP);
        }
        return pBar;
    }
    CDockBar* DockBar(UINT nID)
    {
        return DYNAMIC_DOWNCAST(CDockBar, m_pFrame->GetControlBar(nID));
    }
    std::vector<DWORD> Ids(const CControlBarInfo& info)
    {
        std::vector<DWORD> ids;
        for (INT_PTR i = 0; i < info.m_arrBarID.GetSize(); ++i)
            ids.push_back(info.GetBarID(i));
        return ids;
    }
    CFrameWnd* m_pFrame = nullptr;
};

class RegistryDockStateTest : public DockStateFrameTest
{
protected:
    RegistryDockStateTest()
    {
        app.SetRegistryKey(sandbox.Name());
    }
    Names Keys(LPCTSTR lpszSection)
    {
        return ValueNames(sandbox.Path() + _T('\\') + kAppName + _T('\\') + lpszSection);
    }
    RegistrySandbox sandbox;
    TestApp app;
};
} // namespace

TEST_F(RegistryDockStateTest, ProfileKeysLeaveOutTheDefaults)
{
    CControlBarInfo docked;
    docked.m_nBarID = 0xE800;
    docked.m_bVisible = TRUE;
    docked.m_pointPos = CPoint(-1, 40);
    ASSERT_TRUE(docked.SaveState(_T("Layout"), 0));
    EXPECT_EQ(Keys(_T("Layout-Bar0")), (Names{L"BarID", L"YPos"}));

    CControlBarInfo floating;
    floating.m_nBarID = 0xE801;
    floating.m_bVisible = TRUE;
    floating.m_bFloating = TRUE;
    floating.m_pointPos = CPoint(10, 20);
    floating.m_bDocking = TRUE;
    ASSERT_TRUE(floating.SaveState(_T("Layout"), 1));
    EXPECT_EQ(Keys(_T("Layout-Bar1")),
              (Names{L"BarID", L"Horz", L"Floating", L"XPos", L"YPos", L"Docking", L"MRUDockID", L"MRUDockLeftPos",
                     L"MRUDockTopPos", L"MRUDockRightPos", L"MRUDockBottomPos", L"MRUFloatStyle", L"MRUFloatXPos",
                     L"MRUFloatYPos"}));

    CControlBarInfo dockBar;
    dockBar.m_nBarID = AFX_IDW_DOCKBAR_TOP;
    dockBar.m_bVisible = TRUE;
    dockBar.m_bDockBar = TRUE;
    for (DWORD id : {0u, 0xE800u, 0u})
        dockBar.AddBarID(id);
    ASSERT_TRUE(dockBar.SaveState(_T("Layout"), 2));
    EXPECT_EQ(Keys(_T("Layout-Bar2")), (Names{L"BarID", L"Bars", L"Bar#0", L"Bar#1", L"Bar#2"}));

    // An empty docked dock bar declines, and leaves nothing of an earlier save behind.
    CControlBarInfo empty;
    empty.m_nBarID = AFX_IDW_DOCKBAR_LEFT;
    empty.m_bVisible = TRUE;
    empty.m_bDockBar = TRUE;
    empty.AddBarID(0);
    EXPECT_FALSE(empty.SaveState(_T("Layout"), 2));
    EXPECT_TRUE(Keys(_T("Layout-Bar2")).empty());
}

TEST_F(RegistryDockStateTest, ASecondSaveLeavesNoKeysOfTheFirst)
{
    CControlBarInfo info;
    info.m_nBarID = 0xE800;
    info.m_bVisible = FALSE;
    info.m_bFloating = TRUE;
    info.m_pointPos = CPoint(300, 200);
    ASSERT_TRUE(info.SaveState(_T("Layout"), 0));
    info.m_bVisible = TRUE;
    info.m_bFloating = FALSE;
    info.m_pointPos = CPoint(-1, -1);
    ASSERT_TRUE(info.SaveState(_T("Layout"), 0));

    CDockState state;
    CControlBarInfo loaded;
    ASSERT_TRUE(loaded.LoadState(_T("Layout"), 0, &state));
    EXPECT_TRUE(loaded.m_bVisible);
    EXPECT_FALSE(loaded.m_bFloating);
    EXPECT_TRUE(loaded.m_bHorz);
    EXPECT_EQ(loaded.m_pointPos, CPoint(-1, -1));
    EXPECT_EQ(loaded.m_nMRUWidth, 32767u);
}

TEST_F(RegistryDockStateTest, StateRoundTripsAndADamagedCountEndsAtTheLastSave)
{
    NewBar(0xE800);
    NewBar(0xE801);
    m_pFrame->RecalcLayout();
    CDockState saved;
    for (UINT nID : {UINT(AFX_IDW_DOCKBAR_TOP), 0xE800u, 0xE801u})
    {
        auto* pInfo = new CControlBarInfo;
        m_pFrame->GetControlBar(nID)->GetBarInfo(pInfo);
        saved.m_arrBarInfo.Add(pInfo);
    }
    saved.SaveState(_T("Layout"));
    EXPECT_EQ(app.GetProfileInt(_T("Layout-Summary"), _T("Bars"), 0), 3u);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt(_T("Layout-Summary"), _T("ScreenCX"), 0)), saved.GetScreenSize().cx);

    app.WriteProfileInt(_T("Layout-Summary"), _T("Bars"), 0x7FFFFFFF);
    CDockState loaded;
    loaded.LoadState(_T("Layout"));
    ASSERT_EQ(loaded.m_arrBarInfo.GetSize(), 3);
    auto* pTop = static_cast<CControlBarInfo*>(loaded.m_arrBarInfo[0]);
    EXPECT_EQ(Ids(*pTop), Ids(*static_cast<CControlBarInfo*>(saved.m_arrBarInfo[0])));

    // A damaged id count ends at the last stored id.
    app.WriteProfileInt(_T("Layout-Bar0"), _T("Bars"), 0x7FFFFFFF);
    CControlBarInfo top;
    ASSERT_TRUE(top.LoadState(_T("Layout"), 0, &loaded));
    EXPECT_EQ(Ids(top), Ids(*pTop));
}

TEST_F(DockStateFrameTest, RowsWithAHiddenBarAndAFloatedBarsPlaceSurviveTheRecords)
{
    CPlainBar* pBars[4] = {NewBar(0xE800), NewBar(0xE801), NewBar(0xE802), NewBar(0xE803)};
    m_pFrame->RecalcLayout();
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    // Three rows: 0 | 1 2 | 3, then bar 2 floats (its place kept) and bar 1 hides.
    pTop->m_arrBars.RemoveAll();
    for (void* pEntry : {static_cast<void*>(nullptr), static_cast<void*>(pBars[0]), static_cast<void*>(nullptr),
                         static_cast<void*>(pBars[1]), static_cast<void*>(pBars[2]), static_cast<void*>(nullptr),
                         static_cast<void*>(pBars[3]), static_cast<void*>(nullptr)})
        pTop->m_arrBars.Add(pEntry);
    m_pFrame->FloatControlBar(pBars[2], CPoint(300, 300));
    m_pFrame->ShowControlBar(pBars[1], FALSE, FALSE);
    m_pFrame->RecalcLayout();

    CControlBarInfo info;
    pTop->GetBarInfo(&info);
    const std::vector<DWORD> expected = {0, 0xE800, 0, 0xE801, 0x1E802, 0, 0xE803, 0};
    EXPECT_EQ(Ids(info), expected);
    EXPECT_TRUE(info.m_bDockBar);
    EXPECT_FALSE(info.m_bFloating);

    // Disturbed: bar 3 moves to the left side and bar 0 moves to a new row.
    m_pFrame->DockControlBar(pBars[3], AFX_IDW_DOCKBAR_LEFT);
    pTop->SetBarInfo(&info, m_pFrame);
    CControlBarInfo again;
    pTop->GetBarInfo(&again);
    EXPECT_EQ(Ids(again), expected);
    EXPECT_EQ(pBars[3]->m_pDockBar, pTop);
    EXPECT_EQ(pBars[3]->GetParent(), pTop);
    EXPECT_TRUE(pBars[2]->IsFloating());
    EXPECT_FALSE(pBars[1]->IsVisible());
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount(), 0);
}

TEST_F(DockStateFrameTest, ABarNotNamedKeepsARowAndAMissingBarKeepsItsPlace)
{
    CPlainBar* pA = NewBar(0xE800);
    CPlainBar* pB = NewBar(0xE801);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    CControlBarInfo info;
    for (DWORD id : {0u, 0xE800u, 0xE8F0u, 0u})
        info.AddBarID(id);
    pTop->SetBarInfo(&info, m_pFrame);
    CControlBarInfo result;
    pTop->GetBarInfo(&result);
    EXPECT_EQ(Ids(result), (std::vector<DWORD>{0, 0xE800, 0x1E8F0, 0, 0xE801, 0}));
    EXPECT_EQ(pA->m_pDockBar, pTop);
    EXPECT_EQ(pB->m_pDockBar, pTop);
}

TEST_F(DockStateFrameTest, BarRecordsTakeVisibilityAndDockingMemory)
{
    CPlainBar* pBar = NewBar(0xE800);
    m_pFrame->RecalcLayout();
    CControlBarInfo info;
    pBar->GetBarInfo(&info);
    EXPECT_EQ(info.m_nBarID, 0xE800u);
    EXPECT_TRUE(info.m_bVisible);
    EXPECT_TRUE(info.m_bDocking);
    EXPECT_NE(info.m_pointPos, CPoint(-1, -1));
    EXPECT_EQ(info.m_pBar, pBar);

    info.m_bVisible = FALSE;
    info.m_uMRUDockID = AFX_IDW_DOCKBAR_BOTTOM;
    info.m_ptMRUFloatPos = CPoint(77, 88);
    pBar->SetBarInfo(&info, m_pFrame);
    EXPECT_FALSE(pBar->IsVisible());
    EXPECT_EQ(pBar->m_pDockContext->m_uMRUDockID, static_cast<UINT>(AFX_IDW_DOCKBAR_BOTTOM));
    EXPECT_EQ(pBar->m_pDockContext->m_ptMRUFloatPos, CPoint(77, 88));
}

TEST(DockStateIniTest, TheProfileFileFormRoundTrips)
{
    TempDirectory dir;
    TestApp app;
    const CString path = dir.File(_T("dock.ini"));
    std::free(const_cast<LPTSTR>(app.m_pszProfileName));
    app.m_pszProfileName = _tcsdup(path);

    CControlBarInfo info;
    info.m_nBarID = 0xE805;
    info.m_bVisible = FALSE;
    info.m_bFloating = TRUE;
    info.m_bHorz = FALSE;
    info.m_pointPos = CPoint(120, 80);
    for (DWORD id : {0u, 0x1E806u, 0u})
        info.AddBarID(id);
    ASSERT_TRUE(info.SaveState(_T("Ini"), 0));
    CDockState state;
    CControlBarInfo loaded;
    ASSERT_TRUE(loaded.LoadState(_T("Ini"), 0, &state));
    EXPECT_FALSE(loaded.m_bVisible);
    EXPECT_TRUE(loaded.m_bFloating);
    EXPECT_FALSE(loaded.m_bHorz);
    EXPECT_EQ(loaded.m_pointPos, CPoint(120, 80));
    ASSERT_EQ(loaded.m_arrBarID.GetSize(), 3);
    EXPECT_EQ(loaded.GetBarID(1), 0x1E806u);

    info.m_bVisible = TRUE;
    info.m_bFloating = FALSE;
    ASSERT_TRUE(info.SaveState(_T("Ini"), 0));
    CControlBarInfo shown;
    ASSERT_TRUE(shown.LoadState(_T("Ini"), 0, &state));
    EXPECT_TRUE(shown.m_bVisible);
    EXPECT_FALSE(shown.m_bFloating);
    EXPECT_TRUE(shown.m_bHorz);
}
