#include "GridTestSupport.h"

#include <grid/core/AppData.h>
#include <grid/core/Data.h>
#include <grid/core/GridInit.h>
#include <grid/core/GridParam.h>
#include <grid/core/Properties.h>
#include <grid/core/Style.h>
#include <grid/core/StylesMap.h>
#include <grid/services/ControlFactory.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// Makes a counted control for the ids it knows.
class ControlMakingFactory : public CGXControlFactory
{
public:
    CGXControl* CreateControl(UINT nId, CGXGridCore* pGrid) override
    {
        ++m_nAsked;
        return nId == idMade ? new CountedControl(pGrid) : nullptr;
    }
    static constexpr WORD idMade = 30001;
    int m_nAsked = 0;
};

bool IsRegisteredUnder(void* pKey, CGXGridCore* pGrid)
{
    return GXGetAppDataPtr()->LookupGridList(pKey) == pGrid;
}

class GridCoreInitTest : public GridWindowTest
{
};
} // namespace

TEST_F(GridCoreInitTest, InitialisationMakesWhatTheParameterObjectLacks)
{
    struct Case
    {
        const char* pszName;
        bool bShared;
        int nInitialisations;
    };
    const Case cases[] = {{"fresh", false, 1}, {"shared", true, 1}, {"twice", false, 2}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszName);
        CGXGridParam shared;
        auto* pData = new CGXData;
        auto* pStylesMap = new CGXStylesMap;
        pStylesMap->CreateStandardStyles();
        auto* pProperties = new CGXProperties;
        shared.m_pData = pData;
        shared.m_pStylesMap = pStylesMap;
        shared.m_pProperties = pProperties;
        shared.m_bOwnData = shared.m_bOwnStylesMap = shared.m_bOwnProperties = TRUE;

        auto grid = std::make_unique<TestGrid>();
        if (c.bShared)
            grid->SetParam(&shared, FALSE);
        grid->CreateHidden(&Parent(), CRect(0, 0, 200, 100));
        CGXGridParam* pParam = grid->GetParam();
        if (c.nInitialisations == 2)
            grid->OnGridInitialUpdate();
        EXPECT_TRUE(grid->IsInitialized());
        EXPECT_EQ(grid->GetParam(), pParam);
        EXPECT_TRUE(pParam->m_bInitDone);
        EXPECT_EQ(pParam == &shared, c.bShared);
        EXPECT_EQ(grid->GetData() == pData, c.bShared);
        EXPECT_EQ(grid->GetStylesMap() == pStylesMap, c.bShared);
        EXPECT_EQ(grid->GetProperties() == pProperties, c.bShared);
        ASSERT_NE(grid->GetData(), nullptr);
        for (void* pKey : {static_cast<void*>(pParam), static_cast<void*>(grid->GetData()),
                           static_cast<void*>(grid->GetStylesMap()), static_cast<void*>(grid->GetProperties())})
            EXPECT_TRUE(IsRegisteredUnder(pKey, grid.get()));
        EXPECT_NE(grid->GetStandardStyle(), nullptr);

        grid->DestroyWindow();
        grid.reset();
        EXPECT_EQ(GXGetAppDataPtr()->LookupGridList(&shared), nullptr);
        EXPECT_EQ(GXGetAppDataPtr()->LookupGridList(pData), nullptr);
    }
}

TEST_F(GridCoreInitTest, InitialisationBeforeTheLibraryIsRefused)
{
    ASSERT_TRUE(::UnregisterClassW(L"GXWND", ::GetModuleHandleW(nullptr)));
    TestGrid grid;
    ASSERT_TRUE(grid.Create(_T("GXNDBLCLKSWND"), nullptr, WS_CHILD, CRect(0, 0, 100, 100), &Parent(), 1));
    bool bThrown = false;
    try
    {
        grid.Initialize();
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
        bThrown = true;
    }
    GXRegisterWndClasses(::GetModuleHandleW(nullptr));
    EXPECT_TRUE(bThrown);
    EXPECT_FALSE(grid.IsInitialized());
    EXPECT_EQ(grid.GetParam(), nullptr);
}

TEST_F(GridCoreInitTest, RegisteredControlsComeFromMapCacheFactoryOrDefault)
{
    auto* pFactory = new ControlMakingFactory;
    GXInit(pFactory);
    {
        TestGrid grid;
        grid.CreateHidden(&Parent(), CRect(0, 0, 200, 100));
        auto* pDefault = new CountedControl(&grid);
        auto* pFirst = new CountedControl(&grid);
        grid.RegisterControl(7, pDefault, TRUE, FALSE);
        grid.RegisterControl(8, pFirst, FALSE, FALSE);
        EXPECT_EQ(CountedControl::s_nLive, 2);

        EXPECT_EQ(grid.GetRegisteredControl(0), pDefault);
        EXPECT_EQ(grid.GetRegisteredControl(8), pFirst);
        EXPECT_EQ(grid.GetRegisteredControl(8), pFirst); // from the cache

        const int nAsked = pFactory->m_nAsked;
        CGXControl* pMade = grid.GetRegisteredControl(ControlMakingFactory::idMade);
        EXPECT_NE(pMade, nullptr);
        EXPECT_NE(pMade, pDefault);
        EXPECT_EQ(grid.GetRegisteredControl(ControlMakingFactory::idMade), pMade); // now in the map
        EXPECT_EQ(pFactory->m_nAsked, nAsked + 1);

        EXPECT_EQ(grid.GetRegisteredControl(9), pDefault); // nobody knows 9
        EXPECT_EQ(grid.GetRegisteredControl(8), pFirst);   // and 9 was not cached

        auto* pSecond = new CountedControl(&grid);
        grid.RegisterControl(8, pSecond, FALSE, FALSE);
        EXPECT_EQ(CountedControl::s_nLive, 3); // the first one is gone
        EXPECT_EQ(grid.GetRegisteredControl(8), pSecond);
        grid.DestroyWindow();
    }
    EXPECT_EQ(CountedControl::s_nLive, 0);
    GXInitLibraryDefault();
}

namespace
{
// Records what every grid initialisation tells it.
class RecordingInitImp : public CGXAbstractGridInitImp
{
public:
    struct Call
    {
        CWnd* pWnd;
        CString strName;
        BOOL bNamed;
    };
    explicit RecordingInitImp(std::vector<Call>& calls) : m_calls(calls)
    {
    }
    void OnGridInit(CWnd* pGridWnd, const CString& strName, BOOL bNamed) override
    {
        m_calls.push_back({pGridWnd, strName, bNamed});
    }

private:
    std::vector<Call>& m_calls;
};
} // namespace

TEST_F(GridCoreInitTest, TheInitPlugInHearsOfEveryGridUntilTheLibraryStartsAgain)
{
    CGXAppData* pAppData = GXGetAppDataPtr();
    std::vector<RecordingInitImp::Call> calls;
    pAppData->m_pGridInitImp = new RecordingInitImp(calls);

    CGXGridParam named;
    named.m_strName = L"Sheet1";
    TestGrid first;
    first.SetParam(&named, FALSE);
    first.CreateHidden(&Parent(), CRect(0, 0, 200, 100));
    TestGrid second;
    second.CreateHidden(&Parent(), CRect(0, 0, 200, 100));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].pWnd, static_cast<CWnd*>(&first));
    EXPECT_EQ(calls[0].strName, L"Sheet1");
    EXPECT_TRUE(calls[0].bNamed);
    EXPECT_EQ(calls[1].pWnd, static_cast<CWnd*>(&second));
    EXPECT_TRUE(calls[1].strName.IsEmpty());
    EXPECT_FALSE(calls[1].bNamed);

    // Starting the library again deletes the plug-in: later grids are not reported.
    GXInit(new CGXControlFactory);
    EXPECT_EQ(pAppData->m_pGridInitImp, nullptr);
    TestGrid third;
    third.CreateHidden(&Parent(), CRect(0, 0, 200, 100));
    EXPECT_EQ(calls.size(), 2u);
    for (TestGrid* pGrid : {&first, &second, &third})
        pGrid->DestroyWindow();
}
