// The toolkit's dock state: the profile, tree and archive forms of its records, and applying
// a saved layout to an MDI frame shaped like the application's, with bars recreated.
#include <toolkit/bars/ControlBarManager.h>
#include <toolkit/bars/MDIMenuBar.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/frames/AutoHideBar.h>
#include <toolkit/frames/ControlBar.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/DockState.h>
#include <toolkit/frames/FrameWnd.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/workspace/PersistentTreeNode.h>

#include <afxpriv.h>

#include <cstdlib>
#include <ostream>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <testing/MessagePump.h>
#include <testing/RegistrySandbox.h>
#include <testing/TempDirectory.h>

using tarnwick::bars::SECControlBarManager;
using tarnwick::frames::SECControlBar;
using tarnwick::frames::SECControlBarInfo;
using tarnwick::frames::SECDockBar;
using tarnwick::frames::SECDockState;
using tarnwick::frames::SECMDIFrameWnd;
using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;

namespace
{
const TCHAR kAppName[] = _T("Dock State");

class TestApp : public CWinApp
{
public:
    TestApp() : CWinApp(kAppName)
    {
    }
    using CWinApp::SetRegistryKey;
};

// The profile in a file of its own, whose lines show the order of the keys.
class IniProfile
{
public:
    IniProfile()
    {
        std::free(const_cast<LPTSTR>(app.m_pszProfileName));
        app.m_pszProfileName = _tcsdup(dir.File(_T("layout.ini")));
    }
    // The key names of a section in file order.
    std::vector<std::wstring> Keys(LPCTSTR lpszSection)
    {
        std::vector<std::wstring> keys;
        std::vector<TCHAR> buffer(32768);
        const DWORD n = ::GetPrivateProfileString(lpszSection, nullptr, _T(""), buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), app.m_pszProfileName);
        for (LPCTSTR p = buffer.data(); p < buffer.data() + n && *p != 0; p += _tcslen(p) + 1)
            keys.push_back(p);
        return keys;
    }
    TempDirectory dir;
    TestApp app;
};

std::wstring Str(const CString& text)
{
    return std::wstring(static_cast<LPCTSTR>(text));
}

SECControlBarInfo* NewBarInfo(UINT nID)
{
    auto* pInfo = new SECControlBarInfo;
    pInfo->m_nBarID = nID;
    pInfo->m_bVisible = TRUE;
    return pInfo;
}

const std::vector<std::wstring> kExtKeysProfile = {
    L"Style",         L"ExStyle",         L"PrevFloating",  L"MDIChild",        L"PctWidth",   L"MRUFloatCX",
    L"MRUFloatCY",    L"MRUHorzDockCX",   L"MRUHorzDockCY", L"MRUVertDockCX",   L"MRUVertDockCY", L"MRUDockingState",
    L"DockingStyle",  L"TypeID",          L"ClassName",     L"WindowName",      L"ResourceID", L"AutoHide",
    L"AutoHidePinned", L"LastAlignedDocking"};
} // namespace

TEST(DockStateProfile, RecordsAreDenseAndKeysInOrder)
{
    IniProfile profile;
    SECDockState state;
    auto* pEmpty = NewBarInfo(AFX_IDW_DOCKBAR_LEFT);
    pEmpty->m_bDockBar = TRUE;
    pEmpty->AddBarID(0);
    state.m_arrBarInfo.Add(pEmpty);
    auto* pBar = NewBarInfo(0xE900);
    pBar->m_pointPos = CPoint(5, 7);
    state.m_arrBarInfo.Add(pBar);
    state.SaveState(_T("L"));

    EXPECT_EQ(profile.app.GetProfileInt(_T("L-Summary"), _T("Bars"), 0), 1u);
    EXPECT_EQ(profile.app.GetProfileInt(_T("L-Bar0"), _T("BarID"), 0), 0xE900u);
    std::vector<std::wstring> expected = {L"BarID", L"XPos", L"YPos"};
    expected.insert(expected.end(), kExtKeysProfile.begin(), kExtKeysProfile.end());
    EXPECT_EQ(profile.Keys(_T("L-Bar0")), expected);
    EXPECT_EQ(profile.Keys(_T("L-Summary")), (std::vector<std::wstring>{L"Bars", L"ScreenCX", L"ScreenCY"}));

    pBar->m_bMDIChild = TRUE;
    state.SaveState(_T("M"));
    const auto keys = profile.Keys(_T("M-Bar0"));
    ASSERT_GT(keys.size(), 7u);
    EXPECT_EQ(keys[7], L"MDIChildWindowPlacement");
}

TEST(DockStateProfile, ValuesReadAsTheRecordDefines)
{
    IniProfile profile;
    CWinApp& app = profile.app;
    SECDockState state;
    state.m_rectDevice.SetRect(0, 0, 1600, 1200);
    state.m_rectClip.SetRect(0, 0, 1500, 1100);
    app.WriteProfileInt(_T("P-Summary"), _T("Bars"), 1);
    app.WriteProfileInt(_T("P-Summary"), _T("ScreenCX"), 800);
    app.WriteProfileInt(_T("P-Summary"), _T("ScreenCY"), 600);
    app.WriteProfileInt(_T("P-Bar0"), _T("BarID"), 0xE900);
    app.WriteProfileInt(_T("P-Bar0"), _T("XPos"), 5000);
    app.WriteProfileInt(_T("P-Bar0"), _T("YPos"), 50);
    app.WriteProfileInt(_T("P-Bar0"), _T("MRUFloatCX"), -3);
    app.WriteProfileInt(_T("P-Bar0"), _T("MRUVertDockCY"), 70);
    app.WriteProfileInt(_T("P-Bar0"), _T("MDIChild"), 1);
    app.WriteProfileBinary(_T("P-Bar0"), _T("MDIChildWindowPlacement"), reinterpret_cast<LPBYTE>(&state), 12);

    struct Case
    {
        LPCTSTR text;
        float expected;
    };
    for (const Case& c : {Case{_T("-5"), 0.0f}, Case{_T("500"), 0.0005f}, Case{_T("1000000"), 1.0f},
                          Case{_T("abc"), 0.0f}})
    {
        app.WriteProfileString(_T("P-Bar0"), _T("PctWidth"), c.text);
        state.LoadState(_T("P"));
        ASSERT_EQ(state.GetBarInfoCount(), 1);
        SECControlBarInfo& info = *state.GetBarInfo(0);
        EXPECT_FLOAT_EQ(info.m_fPctWidth, c.expected) << c.expected;
        EXPECT_EQ(info.m_pointPos, CPoint(5000, 100));
        EXPECT_EQ(info.m_szMRUFloat, CSize(0, 0));
        EXPECT_EQ(info.m_szMRUVertDock, CSize(0, 70));
        EXPECT_TRUE(info.m_bAutoHidePinned);
        EXPECT_TRUE(info.m_bMDIChild);
        EXPECT_EQ(info.m_wpMDIChild.length, sizeof(WINDOWPLACEMENT)) << "a short placement is ignored";
    }
    EXPECT_EQ(Str(SECControlBarInfo::EncodePctWidth(0.0005f)), L"500");
    EXPECT_EQ(Str(SECControlBarInfo::EncodePctWidth(1.0f)), L"1000000");

    // A missing "MRUDockingState" keeps what the record had.
    SECControlBarInfo info;
    info.m_dwMRUDockingState = 0xF000;
    info.m_dwDockingStyle = 0x3000;
    info.m_nResourceID = 140;
    ASSERT_TRUE(info.LoadState(_T("P"), 0, &state));
    EXPECT_EQ(info.m_dwMRUDockingState, 0xF000u);
    EXPECT_EQ(info.m_dwDockingStyle, 0x3000u);
    EXPECT_EQ(info.m_nResourceID, 140u);
}

namespace
{
// A bar's node values in their order, as a store sees them.
std::vector<std::pair<std::wstring, std::wstring>> NodeValues(SECPersistentTreeNode* pNode)
{
    struct Recorder : tarnwick::workspace::SECPTNStrategy
    {
        std::vector<std::pair<std::wstring, std::wstring>> values;
        BOOL ClearNode(const CStringList&) override
        {
            return TRUE;
        }
        BOOL WriteValue(const CStringList& path, LPCTSTR lpszKey, LPCTSTR lpszValue) override
        {
            if (path.GetCount() == depth)
                values.emplace_back(lpszKey, lpszValue);
            return TRUE;
        }
        BOOL WriteChildNames(const CStringList&, const CStringList&) override
        {
            return TRUE;
        }
        BOOL ReadNode(const CStringList&, CStringList&, CStringList&, CStringList&) override
        {
            return FALSE;
        }
        INT_PTR depth = 0;
    } recorder;
    CStringList path;
    pNode->GetPath(path);
    recorder.depth = path.GetCount();
    pNode->SaveTree(&recorder);
    return recorder.values;
}

std::vector<std::wstring> KeysOf(const std::vector<std::pair<std::wstring, std::wstring>>& values)
{
    std::vector<std::wstring> keys;
    for (const auto& value : values)
        keys.push_back(value.first);
    return keys;
}

class DockStateWorkspaceTest : public ::testing::Test
{
protected:
    SECPTNFactory factory;
    SECPersistentTreeNode* root = factory.AddChild(_T("Workspace"), nullptr);
};
} // namespace

TEST_F(DockStateWorkspaceTest, KeysOmissionsAndOrder)
{
    SECDockState state;
    auto* pEmpty = NewBarInfo(AFX_IDW_DOCKBAR_LEFT);
    pEmpty->m_bDockBar = TRUE;
    state.m_arrBarInfo.Add(pEmpty);
    auto* pDocked = NewBarInfo(0xE900);
    pDocked->m_pointPos = CPoint(-1, 12);
    pDocked->AddBarID(0);
    state.m_arrBarInfo.Add(pDocked);
    auto* pFloating = NewBarInfo(0xE901);
    pFloating->m_bFloating = TRUE;
    pFloating->m_bHorz = FALSE;
    pFloating->m_bAutoHidePinned = TRUE;
    state.m_arrBarInfo.Add(pFloating);
    ASSERT_TRUE(state.SaveStateToNode(factory, root));
    EXPECT_FALSE(state.SaveStateToNode(factory, nullptr));

    SECPersistentTreeNode* pState = root->FindChild(_T("DockState"));
    ASSERT_NE(pState, nullptr);
    EXPECT_EQ(KeysOf(NodeValues(pState)), (std::vector<std::wstring>{L"Bars", L"ScreenCX", L"ScreenCY"}));
    int nBars = 0;
    pState->GetIntValue(_T("Bars"), &nBars, 0);
    EXPECT_EQ(nBars, 2);
    ASSERT_NE(pState->FindChild(_T("Bar-0")), nullptr);
    EXPECT_EQ(pState->FindChild(_T("Bar-2")), nullptr);

    const std::vector<std::wstring> ext = {
        L"Style",         L"ExStyle",       L"PrevFloating",  L"MDIChild",      L"AutoHide",
        L"AutoHidePinned", L"LastAlignedDocking", L"PctWidth", L"MRUFloatCX",   L"MRUFloatCY",
        L"MRUHorzDockCX", L"MRUHorzDockCY", L"MRUVertDockCX", L"MRUVertDockCY", L"MRUDockingState",
        L"DockingStyle",  L"TypeID",        L"ClassName",     L"WindowName",    L"ResourceID"};
    std::vector<std::wstring> docked = {L"BarID", L"YPos"};
    docked.insert(docked.end(), ext.begin(), ext.end());
    EXPECT_EQ(KeysOf(NodeValues(pState->FindChild(_T("Bar-0")))), docked);
    const auto floating = NodeValues(pState->FindChild(_T("Bar-1")));
    std::vector<std::wstring> floatingKeys = {L"BarID", L"Horz", L"Floating"};
    floatingKeys.insert(floatingKeys.end(), ext.begin(), ext.end());
    EXPECT_EQ(KeysOf(floating), floatingKeys);
    std::map<std::wstring, std::wstring> values(floating.begin(), floating.end());
    EXPECT_EQ(values[L"Horz"], L"False");
    EXPECT_EQ(values[L"Floating"], L"True");
    EXPECT_EQ(values[L"AutoHidePinned"], L"True");
    EXPECT_EQ(values[L"PrevFloating"], L"False");

    SECDockState loaded;
    ASSERT_TRUE(loaded.LoadStateFromNode(root));
    ASSERT_EQ(loaded.GetBarInfoCount(), 2);
    EXPECT_TRUE(loaded.GetBarInfo(0)->m_bHorz);
    EXPECT_FALSE(loaded.GetBarInfo(0)->m_bFloating);
    EXPECT_FALSE(loaded.GetBarInfo(1)->m_bHorz);
    EXPECT_TRUE(loaded.GetBarInfo(1)->m_bFloating);
}

TEST_F(DockStateWorkspaceTest, LoadingMissingAndDamagedNodes)
{
    SECDockState state;
    state.m_arrBarInfo.Add(NewBarInfo(0xE900));
    EXPECT_FALSE(state.LoadStateFromNode(root));
    EXPECT_FALSE(state.LoadStateFromNode(nullptr));
    EXPECT_EQ(state.GetBarInfoCount(), 1) << "the state stays as it was";

    SECPersistentTreeNode* pState = factory.AddChild(_T("DockState"), root);
    pState->SetIntValue(_T("Bars"), 3, TRUE);
    for (LPCTSTR lpszName : {_T("Bar-0"), _T("Bar-2")})
        factory.AddChild(lpszName, pState)->SetIntValue(_T("BarID"), 0xE900, TRUE);
    SECPersistentTreeNode* pBar2 = pState->FindChild(_T("Bar-2"));
    pBar2->SetStringValue(_T("PctWidth"), _T("-1"), TRUE);
    pBar2->SetIntValue(_T("MDIChild"), 1, TRUE);
    pBar2->SetBoolValue(_T("MDIChild"), TRUE, TRUE);
    const BYTE longPlacement[60] = {};
    pBar2->SetBinaryValue(_T("MDIChildWindowPlacement"), longPlacement, sizeof(longPlacement), TRUE);
    ASSERT_TRUE(state.LoadStateFromNode(root));
    ASSERT_EQ(state.GetBarInfoCount(), 2);
    SECControlBarInfo& info = *state.GetBarInfo(1);
    EXPECT_TRUE(info.m_bAutoHidePinned);
    EXPECT_EQ(info.m_fPctWidth, 0.0f);
    EXPECT_TRUE(info.m_bMDIChild);
    EXPECT_EQ(info.m_wpMDIChild.length, sizeof(WINDOWPLACEMENT)) << "a placement of another length is ignored";

    // A damaged count with a child of another name: the children are walked, not the count.
    factory.AddChild(_T("Other"), pState);
    factory.AddChild(_T("Bar-007"), pState);
    pState->SetIntValue(_T("Bars"), 2000000000, TRUE);
    ASSERT_TRUE(state.LoadStateFromNode(root));
    EXPECT_EQ(state.GetBarInfoCount(), 2);
    // Records come in the order of their numbers, and none at or past the count.
    factory.AddChild(_T("Bar-1"), pState)->SetIntValue(_T("BarID"), 0xE901, TRUE);
    pState->SetIntValue(_T("Bars"), 2, TRUE);
    ASSERT_TRUE(state.LoadStateFromNode(root));
    ASSERT_EQ(state.GetBarInfoCount(), 2);
    EXPECT_EQ(state.GetBarInfo(1)->m_nBarID, 0xE901u);
}

namespace
{
std::vector<BYTE> ArchiveBytes(SECDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
    }
    const auto nLength = static_cast<size_t>(file.GetLength());
    BYTE* pData = file.Detach();
    std::vector<BYTE> bytes(pData, pData + nLength);
    free(pData);
    return bytes;
}

// The documented layout written out by hand.
class Golden
{
public:
    Golden& Dword(DWORD value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
        return *this;
    }
    Golden& Word(WORD value)
    {
        bytes.push_back(static_cast<BYTE>(value));
        bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    Golden& Text(const wchar_t* text)
    {
        const size_t n = wcslen(text);
        bytes.push_back(0xFF);
        Word(0xFFFE);
        bytes.push_back(static_cast<BYTE>(n));
        for (size_t i = 0; i < n; ++i)
            Word(static_cast<WORD>(text[i]));
        return *this;
    }
    std::vector<BYTE> bytes;
};

SECDockState* NewArchiveState()
{
    auto* pState = new SECDockState;
    pState->m_rectDevice.SetRect(0, 0, 1024, 768);
    pState->m_rectClip.SetRect(0, 0, 1000, 700);
    auto* pBar = NewBarInfo(0xE900);
    pBar->m_pointPos = CPoint(10, 20);
    pBar->m_bDocking = TRUE;
    pBar->m_uMRUDockID = AFX_IDW_DOCKBAR_LEFT;
    pBar->m_rectMRUDockPos.SetRect(1, 2, 251, 402);
    pBar->m_dwMRUFloatStyle = 0x2000;
    pBar->m_ptMRUFloatPos = CPoint(100, 110);
    pBar->m_dwStyle = 0x1404;
    pBar->m_dwExStyle = 0x10F31;
    pBar->m_fPctWidth = 0.75f;
    pBar->m_szMRUFloat = CSize(-3, 180);
    pBar->m_szMRUHorzDock = CSize(300, 200);
    pBar->m_szMRUVertDock = CSize(250, 180);
    pBar->m_dwMRUDockingState = 0xF000;
    pBar->m_dwDockingStyle = 0xF000;
    pBar->m_nTypeID = 0;
    pState->m_arrBarInfo.Add(pBar);
    auto* pDockBar = NewBarInfo(AFX_IDW_DOCKBAR_LEFT);
    pDockBar->m_bDockBar = TRUE;
    for (DWORD id : {0u, 0xE900u, 0x1E901u, 0u})
        pDockBar->AddBarID(id);
    pState->m_arrBarInfo.Add(pDockBar);
    return pState;
}
} // namespace

TEST(DockStateArchive, GoldenBytesAndRoundTrip)
{
    std::unique_ptr<SECDockState> pState(NewArchiveState());
    Golden golden;
    golden.Dword(2).Dword(1024).Dword(768).Word(2);
    // The docked bar.
    golden.Dword(0xE900).Dword(1).Dword(0).Dword(0).Dword(10).Dword(20);
    golden.Dword(32767).Dword(1).Dword(AFX_IDW_DOCKBAR_LEFT).Dword(1).Dword(2).Dword(251).Dword(402);
    golden.Dword(0x2000).Dword(100).Dword(110);
    golden.Dword(0x1404).Dword(0x10F31).Dword(0).Dword(0).Text(L"750000");
    golden.Dword(static_cast<DWORD>(-3)).Dword(180).Dword(300).Dword(200).Dword(250).Dword(180);
    golden.Dword(0xF000).Dword(0xF000).Dword(0).Dword(0);
    // The dock bar and its ids.
    golden.Dword(AFX_IDW_DOCKBAR_LEFT).Dword(1).Dword(0).Dword(0).Dword(static_cast<DWORD>(-1)).Dword(static_cast<DWORD>(-1));
    golden.Dword(32767).Dword(0);
    golden.Dword(0).Dword(0).Dword(0).Dword(0).Text(L"0");
    for (int i = 0; i < 6; ++i)
        golden.Dword(0);
    golden.Dword(0).Dword(0).Dword(0);
    golden.Dword(4).Dword(0).Dword(0xE900).Dword(0x1E901).Dword(0);
    const std::vector<BYTE> bytes = ArchiveBytes(*pState);
    EXPECT_EQ(bytes, golden.bytes);

    CMemFile file(const_cast<BYTE*>(bytes.data()), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    SECDockState loaded;
    loaded.m_rectDevice.SetRect(0, 0, 1024, 768);
    loaded.m_rectClip.SetRect(0, 0, 1000, 700);
    loaded.Serialize(ar);
    ASSERT_EQ(loaded.GetBarInfoCount(), 2);
    EXPECT_EQ(loaded.GetBarInfo(0)->m_szMRUFloat, CSize(-3, 180)) << "the archive keeps sizes as stored";
    EXPECT_FLOAT_EQ(loaded.GetBarInfo(0)->m_fPctWidth, 0.75f);
    EXPECT_EQ(ArchiveBytes(loaded), bytes);
}

TEST(DockStateArchive, VersionOneBecomesTwoAndDamageThrows)
{
    Golden v1;
    v1.Dword(1).Word(1);
    v1.Dword(0xE900).Dword(0).Dword(0).Dword(1).Dword(4).Dword(5);
    v1.Dword(0x1404).Dword(0).Dword(0).Dword(0).Text(L"500000");
    for (int i = 0; i < 6; ++i)
        v1.Dword(7);
    v1.Dword(0).Dword(0).Dword(0).Dword(0);
    {
        CMemFile file(v1.bytes.data(), static_cast<UINT>(v1.bytes.size()));
        CArchive ar(&file, CArchive::load);
        SECDockState state;
        state.Serialize(ar);
        EXPECT_EQ(state.GetVersion(), 2u);
        ASSERT_EQ(state.GetBarInfoCount(), 1);
        EXPECT_FALSE(state.GetBarInfo(0)->m_bVisible);
        EXPECT_EQ(state.GetBarInfo(0)->m_pointPos, CPoint(4, 5));
        EXPECT_EQ(state.GetBarInfo(0)->m_nMRUWidth, 32767u);
    }

    std::unique_ptr<SECDockState> pState(NewArchiveState());
    std::vector<BYTE> bytes = ArchiveBytes(*pState);
    const auto load = [](std::vector<BYTE> data) {
        CMemFile file(data.data(), static_cast<UINT>(data.size()));
        CArchive ar(&file, CArchive::load);
        SECDockState state;
        state.Serialize(ar);
    };
    std::vector<BYTE> shortBytes(bytes.begin(), bytes.end() - 3);
    EXPECT_THROW(
        try { load(shortBytes); } catch (CArchiveException* e) {
            e->Delete();
            throw 1;
        },
        int);
    // The dock bar's id count, 20 bytes from the end, made huge and then negative.
    std::vector<BYTE> huge = bytes;
    huge[huge.size() - 20 + 3] = 0x7F;
    EXPECT_THROW(
        try { load(huge); } catch (CArchiveException* e) {
            e->Delete();
            throw 1;
        },
        int);
    std::vector<BYTE> negative = bytes;
    negative[negative.size() - 20 + 3] = 0x80;
    EXPECT_THROW(
        try { load(negative); } catch (CInvalidArgException* e) {
            e->Delete();
            throw 1;
        },
        int);
}

namespace
{
const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};
constexpr DWORD APP_BAR_EX_STYLE = 0x10F31;
constexpr UINT ID_LANDSCAPE = 0xE900;
constexpr UINT ID_OUTPUT = 0xE901;
constexpr UINT ID_THIRD = 0xE902;
constexpr UINT ID_RECREATED = 0xE910;

// A bar class the frame may lack: the state recreates it from its name.
class TestRecreatedBar : public SECControlBar
{
    DECLARE_DYNCREATE(TestRecreatedBar)
};
IMPLEMENT_DYNCREATE(TestRecreatedBar, SECControlBar)

// One whose window cannot be made.
class TestFailingBar : public SECControlBar
{
    DECLARE_DYNCREATE(TestFailingBar)
public:
    BOOL Create(CWnd*, LPCTSTR, DWORD, DWORD, UINT, CCreateContext*) override
    {
        return FALSE;
    }
};
IMPLEMENT_DYNCREATE(TestFailingBar, SECControlBar)

// The application's frame in small: a menu bar, "Main", and three sizeable auto-hide bars.
class LayoutFrame : public SECMDIFrameWnd
{
public:
    LayoutFrame() : m_manager(this, nullptr)
    {
        SetControlBarManager(&m_manager);
        SetMenuBar(&m_menuBar);
        SetMenuOptions(TRUE, 1);
    }
    tarnwick::bars::SECToolBarManager m_manager;
    tarnwick::bars::SECMDIMenuBar m_menuBar;
    SECControlBar m_landscape, m_output, m_third;

    SECControlBar* Bar(UINT nID)
    {
        return DYNAMIC_DOWNCAST(SECControlBar, GetControlBar(nID));
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        if (SECMDIFrameWnd::OnCreate(lpCreateStruct) == -1)
            return -1;
        if (!m_manager.LoadToolBarResource(128, 129))
            return -1;
        m_manager.DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons, CBRS_ALIGN_ANY,
                                       AFX_IDW_DOCKBAR_TOP, 0, TRUE, TRUE);
        for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
            EnableDocking(dwSide, 0);
        if (!AddBar(m_landscape, _T("SAP Landscape"), CBRS_LEFT, ID_LANDSCAPE, AFX_IDW_DOCKBAR_LEFT, 0, 1.0f, 250) ||
            !AddBar(m_output, _T("Output"), CBRS_BOTTOM, ID_OUTPUT, AFX_IDW_DOCKBAR_BOTTOM, 0, 0.75f, 200) ||
            !AddBar(m_third, _T("Third"), CBRS_BOTTOM, ID_THIRD, AFX_IDW_DOCKBAR_BOTTOM, 1, 0.5f, 200))
            return -1;
        if (!m_manager.SetMenuInfo(2, 128, 130))
            return -1;
        m_manager.CreateDefaultToolBars();
        return 0;
    }
    BOOL AddBar(SECControlBar& bar, LPCTSTR lpszTitle, DWORD dwAlign, UINT nID, UINT nDockBarID, int nColumn,
                float fPercent, int nLength)
    {
        if (!bar.Create(this, lpszTitle, WS_VISIBLE | dwAlign | CBRS_SIZE_DYNAMIC, APP_BAR_EX_STYLE, nID))
            return FALSE;
        bar.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBarSized(&bar, nDockBarID, nColumn, 0, fPercent, nLength);
        bar.SetAutoHide(TRUE);
        bar.AttachToAutoHideBar();
        bar.SetSlideTime(0);
        return TRUE;
    }
    void PostNcDestroy() override
    {
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LayoutFrame, SECMDIFrameWnd)
ON_WM_CREATE()
END_MESSAGE_MAP()

// What a user sees of a bar: where it is in the frame's client, whether shown, pinned, floating.
struct BarView
{
    CRect rect;
    bool visible;
    bool pinned;
    bool floating;
    bool operator==(const BarView& other) const
    {
        const auto within1 = [](LONG a, LONG b) { return std::abs(a - b) <= 1; };
        return within1(rect.left, other.rect.left) && within1(rect.top, other.rect.top) &&
               within1(rect.right, other.rect.right) && within1(rect.bottom, other.rect.bottom) &&
               visible == other.visible && pinned == other.pinned && floating == other.floating;
    }
};
void PrintTo(const BarView& view, std::ostream* os)
{
    *os << "(" << view.rect.left << "," << view.rect.top << "," << view.rect.right << "," << view.rect.bottom
        << (view.visible ? " shown" : " hidden") << (view.pinned ? " pinned" : " unpinned")
        << (view.floating ? " floating)" : ")");
}

class DockStateApplyTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.SetRegistryKey(m_sandbox.Name());
        m_pFrame = std::make_unique<LayoutFrame>();
        ASSERT_TRUE(m_pFrame->LoadFrame(128, WS_OVERLAPPEDWINDOW));
        m_pFrame->SetWindowPos(nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->ShowWindow(SW_SHOWNOACTIVATE);
        m_pFrame->RecalcLayout();
    }
    void TearDown() override
    {
        m_pFrame->DestroyWindow();
        PumpPendingMessages();
        m_app.m_pMainWnd = nullptr;
    }
    std::map<UINT, BarView> Views()
    {
        m_pFrame->RecalcLayout();
        std::map<UINT, BarView> views;
        for (UINT nID : {ID_LANDSCAPE, ID_OUTPUT, ID_THIRD, UINT(AFX_IDW_TOOLBAR), UINT(0xE8FF)})
        {
            SECControlBar* pBar = m_pFrame->Bar(nID);
            if (pBar == nullptr)
                continue;
            CRect rect;
            pBar->GetWindowRect(&rect);
            m_pFrame->ScreenToClient(&rect);
            views[nID] = {rect, pBar->IsVisible() != FALSE, pBar->IsPinned() != FALSE, pBar->IsFloating() != FALSE};
        }
        return views;
    }
    // Float "Output", hide the third bar, unpin "SAP Landscape", move the bottom row's splitter.
    void Disturb()
    {
        m_pFrame->m_third.m_fPctWidth = 0.1f;
        m_pFrame->m_third.m_szMRUHorzDock.cy = 320;
        m_pFrame->FloatControlBar(&m_pFrame->m_output, CPoint(300, 300));
        m_pFrame->ShowControlBar(&m_pFrame->m_third, FALSE, FALSE);
        m_pFrame->m_landscape.TogglePinned();
        m_pFrame->RecalcLayout();
    }
    RegistrySandbox m_sandbox;
    TestApp m_app;
    std::unique_ptr<LayoutFrame> m_pFrame;
};
} // namespace

TEST_F(DockStateApplyTest, TheProfileFormBringsTheLayoutBack)
{
    const auto before = Views();
    ASSERT_EQ(before.size(), 5u);
    m_pFrame->SaveDockState(_T("Layout"));
    Disturb();
    ASSERT_NE(Views(), before);
    m_pFrame->LoadDockState(_T("Layout"));
    EXPECT_EQ(Views(), before);
    EXPECT_EQ(m_app.m_pMainWnd, m_pFrame.get()) << "the loader makes the frame the main window";
    EXPECT_FLOAT_EQ(m_pFrame->m_output.m_fPctWidth + m_pFrame->m_third.m_fPctWidth, 1.0f);
}

TEST_F(DockStateApplyTest, TheTreeFormBringsTheLayoutBack)
{
    const auto before = Views();
    SECPTNFactory factory;
    SECPersistentTreeNode* pRoot = factory.AddChild(_T("WorkState_v1_2"), nullptr);
    {
        SECDockState state(m_pFrame->GetControlBarManager());
        m_pFrame->GetDockState(state);
        ASSERT_TRUE(state.SaveStateToNode(factory, pRoot));
    }
    Disturb();
    SECDockState state(m_pFrame->GetControlBarManager());
    state.SetCreatedBarList(&m_pFrame->GetDocking().GetOwnedObjects());
    ASSERT_TRUE(state.LoadStateFromNode(pRoot));
    m_pFrame->SetDockState(state);
    EXPECT_EQ(Views(), before);
}

TEST_F(DockStateApplyTest, AnUnpinnedBarComesBackAsATab)
{
    SECControlBar& landscape = m_pFrame->m_landscape;
    landscape.TogglePinned();
    m_pFrame->SaveDockState(_T("Layout"));
    landscape.TogglePinned();
    ASSERT_TRUE(landscape.IsPinned());
    m_pFrame->LoadDockState(_T("Layout"));
    EXPECT_FALSE(landscape.IsPinned());
    EXPECT_EQ(m_pFrame->GetAutoHideBar(CBRS_ALIGN_LEFT)->GetButtonCount(), 1);
    EXPECT_FALSE(landscape.IsVisible());
    ASSERT_TRUE(landscape.IsFloating());
    CFrameWnd* pMiniFrame = landscape.GetParentFrame();
    CRect rect;
    pMiniFrame->GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(400, 400));
    EXPECT_EQ(pMiniFrame->GetStyle() & WS_CAPTION, 0u);
}

TEST_F(DockStateApplyTest, MissingBarsAreRecreatedOrDropped)
{
    auto* pBar = new TestRecreatedBar;
    ASSERT_TRUE(pBar->Create(m_pFrame.get(), _T("Recreated"), WS_VISIBLE | CBRS_RIGHT | CBRS_SIZE_DYNAMIC,
                             APP_BAR_EX_STYLE, ID_RECREATED));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBarSized(pBar, AFX_IDW_DOCKBAR_RIGHT, 0, 0, 1.0f, 180);
    const auto before = Views();
    CRect rectBefore;
    pBar->GetWindowRect(&rectBefore);
    m_pFrame->SaveDockState(_T("Layout"));
    pBar->DestroyWindow();
    delete pBar;
    ASSERT_EQ(m_pFrame->GetControlBar(ID_RECREATED), nullptr);

    m_pFrame->LoadDockState(_T("Layout"));
    auto* pNew = DYNAMIC_DOWNCAST(TestRecreatedBar, m_pFrame->GetControlBar(ID_RECREATED));
    ASSERT_NE(pNew, nullptr);
    CString title;
    pNew->GetWindowText(title);
    EXPECT_EQ(Str(title), L"Recreated");
    EXPECT_EQ(pNew->m_dwDockStyle & CBRS_ALIGN_ANY, DWORD(CBRS_ALIGN_ANY));
    EXPECT_NE(m_pFrame->GetDocking().GetOwnedObjects().Find(pNew), nullptr);
    EXPECT_EQ(pNew->m_pDockBar, m_pFrame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT));
    m_pFrame->RecalcLayout();
    CRect rectAfter;
    pNew->GetWindowRect(&rectAfter);
    EXPECT_EQ(rectAfter.Size(), rectBefore.Size());

    // An unknown class and a failing one are dropped; the other bars are still applied.
    SECDockState state(m_pFrame->GetControlBarManager());
    state.SetCreatedBarList(&m_pFrame->GetDocking().GetOwnedObjects());
    state.LoadState(_T("Layout"));
    const INT_PTR nCount = state.GetBarInfoCount();
    int nChanged = 0;
    for (INT_PTR i = 0; i < nCount; ++i)
        if (state.GetBarInfo(i)->m_nBarID == ID_RECREATED)
        {
            state.GetBarInfo(i)->m_nBarID = ID_RECREATED + 1 + nChanged;
            state.GetBarInfo(i)->m_strClassName = nChanged++ == 0 ? _T("NoSuchBar") : _T("TestFailingBar");
        }
    ASSERT_EQ(nChanged, 1);
    m_pFrame->ShowControlBar(&m_pFrame->m_third, FALSE, FALSE);
    m_pFrame->SetDockState(state);
    EXPECT_EQ(state.GetBarInfoCount(), nCount - 1);
    EXPECT_TRUE(m_pFrame->m_third.IsVisible());
    EXPECT_EQ(m_pFrame->GetControlBar(ID_RECREATED + 1), nullptr);

    for (INT_PTR i = 0; i < nCount - 1; ++i)
        if (state.GetBarInfo(i)->m_nBarID == ID_LANDSCAPE)
        {
            state.GetBarInfo(i)->m_nBarID = ID_RECREATED + 2;
            state.GetBarInfo(i)->m_strClassName = _T("TestFailingBar");
        }
    const INT_PTR nOwned = m_pFrame->GetDocking().GetOwnedObjects().GetCount();
    m_pFrame->SetDockState(state);
    EXPECT_EQ(state.GetBarInfoCount(), nCount - 2);
    EXPECT_EQ(m_pFrame->GetDocking().GetOwnedObjects().GetCount(), nOwned + 1) << "the list deletes the object";
}

TEST_F(DockStateApplyTest, AFrameFloatingInAnMDIChildComesBackPlaced)
{
    SECControlBar& output = m_pFrame->m_output;
    m_pFrame->FloatControlBarInMDIChild(&output, CPoint(40, 30));
    CFrameWnd* pChild = output.GetParentFrame();
    ASSERT_NE(DYNAMIC_DOWNCAST(CMDIChildWnd, pChild), nullptr);
    pChild->SetWindowPos(nullptr, 50, 60, 320, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    pChild->GetWindowPlacement(&placement);
    m_pFrame->SaveDockState(_T("Layout"));
    m_pFrame->DockControlBarSized(&output, AFX_IDW_DOCKBAR_BOTTOM, 0, 0, 0.75f, 200);
    PumpPendingMessages();

    m_pFrame->LoadDockState(_T("Layout"));
    CFrameWnd* pNewChild = output.GetParentFrame();
    ASSERT_NE(DYNAMIC_DOWNCAST(CMDIChildWnd, pNewChild), nullptr);
    WINDOWPLACEMENT restored{};
    restored.length = sizeof(restored);
    pNewChild->GetWindowPlacement(&restored);
    EXPECT_EQ(CRect(restored.rcNormalPosition), CRect(placement.rcNormalPosition));
}

// A record saying "MDIChild" applies its placement only to the MDI child frame a floating bar
// was given: never to the main window, and never so that the child is hidden or out of reach.
TEST_F(DockStateApplyTest, AnMDIChildPlacementNeverHidesTheMainWindow)
{
    SECControlBar& output = m_pFrame->m_output;
    const auto markOutput = [&](SECDockState& state, BOOL bFloating) {
        m_pFrame->GetDockState(state);
        for (INT_PTR i = 0; i < state.GetBarInfoCount(); ++i)
            // The docked bar's own record, or the record of the floating dock bar holding it.
            if (SECControlBarInfo* pInfo = state.GetBarInfo(i);
                bFloating ? pInfo->m_bFloating && pInfo->m_bMDIChild : pInfo->m_nBarID == ID_OUTPUT)
            {
                pInfo->m_bMDIChild = TRUE;
                pInfo->m_wpMDIChild = {}; // SW_HIDE at 0,0,0,0
                pInfo->m_wpMDIChild.rcNormalPosition = {-30000, -30000, -29700, -29800};
                return;
            }
        ADD_FAILURE() << "no record of the output bar";
    };
    CRect rectMain;
    m_pFrame->GetWindowRect(&rectMain);
    SECDockState docked(m_pFrame->GetControlBarManager());
    markOutput(docked, FALSE);
    m_pFrame->SetDockState(docked);
    PumpPendingMessages();
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
    CRect rectAfter;
    m_pFrame->GetWindowRect(&rectAfter);
    EXPECT_EQ(rectAfter, rectMain);

    m_pFrame->FloatControlBarInMDIChild(&output, CPoint(40, 30));
    SECDockState floating(m_pFrame->GetControlBarManager());
    markOutput(floating, TRUE);
    m_pFrame->SetDockState(floating);
    PumpPendingMessages();
    CFrameWnd* pChild = output.GetParentFrame();
    ASSERT_NE(DYNAMIC_DOWNCAST(CMDIChildWnd, pChild), nullptr);
    EXPECT_TRUE(pChild->IsWindowVisible());
    CRect rectChild, rectClient, common;
    pChild->GetWindowRect(&rectChild);
    pChild->GetParent()->GetClientRect(&rectClient);
    pChild->GetParent()->ClientToScreen(&rectClient);
    EXPECT_TRUE(common.IntersectRect(rectChild, rectClient)) << "the child is inside the MDI client";
    EXPECT_TRUE(m_pFrame->IsWindowVisible());
}

TEST_F(DockStateApplyTest, AFrameStoredOffTheScreenKeepsTenPixelsOnIt)
{
    m_pFrame->FloatControlBar(&m_pFrame->m_output, CPoint(300, 300));
    SECDockState state(m_pFrame->GetControlBarManager());
    m_pFrame->GetDockState(state);
    BOOL bFound = FALSE;
    for (INT_PTR i = 0; i < state.GetBarInfoCount(); ++i)
        if (SECControlBarInfo* pInfo = state.GetBarInfo(i); pInfo->m_bFloating && !pInfo->m_bMDIChild)
        {
            pInfo->m_pointPos = CPoint(5000, 100);
            bFound = TRUE;
        }
    ASSERT_TRUE(bFound);
    m_pFrame->SetDockState(state);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfo(::MonitorFromPoint(CPoint(5000, 100), MONITOR_DEFAULTTONEAREST), &monitor);
    CRect rect;
    m_pFrame->m_output.GetParentFrame()->GetWindowRect(&rect);
    EXPECT_EQ(rect.left, monitor.rcWork.right - 10);
}

TEST(DockStateFrames, TheToolkitFrameSavesAndLoadsAndTheMainWindowRuleHolds)
{
    RegistrySandbox sandbox;
    TestApp app;
    app.SetRegistryKey(sandbox.Name());
    CWnd other;
    app.m_pMainWnd = &other;
    auto* pFrame = new tarnwick::frames::SECFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480)));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    SECControlBar bar;
    ASSERT_TRUE(bar.Create(pFrame, _T("Bar"), WS_VISIBLE | CBRS_LEFT | CBRS_SIZE_DYNAMIC, APP_BAR_EX_STYLE, ID_OUTPUT));
    bar.EnableDocking(CBRS_ALIGN_ANY);
    pFrame->DockControlBarById(&bar, AFX_IDW_DOCKBAR_LEFT);
    pFrame->RecalcLayout();
    pFrame->SaveDockState(_T("Frame"));
    pFrame->FloatControlBar(&bar, CPoint(200, 200));
    pFrame->ShowControlBar(&bar, FALSE, FALSE);
    pFrame->LoadDockState(_T("Frame"));
    EXPECT_TRUE(bar.IsVisible());
    EXPECT_EQ(bar.m_pDockBar, pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT));
    EXPECT_EQ(app.m_pMainWnd, &other) << "a thread that has a main window keeps it";
    app.m_pMainWnd = nullptr;
    pFrame->LoadDockState(_T("Frame"));
    EXPECT_EQ(app.m_pMainWnd, pFrame);
    app.m_pMainWnd = nullptr;
    pFrame->DestroyWindow();
    PumpPendingMessages();
}
