// The landscape commands against the simulated landscape: System Add through the add-system
// dialog, the remove commands on the trees' selections, Host Add and a host's remote instance,
// and the failures that must leave the maps as they were.
#include "DialogTest.h"
#include "StartedApp.h"

#include <app/resource.h>

#include <collector/ForEachValue.h>
#include <collector/SapDatabase.h>
#include <collector/SapHost.h>
#include <collector/SapSystem.h>

#include <sapsim/LandscapeFile.h>
#include <testing/PrintString.h>

namespace
{
using Lines = std::vector<CString>;
using Actions = std::vector<ModalScript::Action>;

// The README's landscape, but PRD's database runs on a host of its own.
const TCHAR kOwnDatabaseHost[] =
    _T("host saplx01 os=Linux ip=10.20.1.11\n")
    _T("host dbhost01 os=Linux ip=10.20.1.21\n")
    _T("database PRD system=ORACLE host=dbhost01\n")
    _T("system PRD release=700 database=PRD clients=000\n")
    _T("user PRD LUMITER password=Lumiter5! auth=*\n")
    _T("instance PRD host=saplx01 sysnr=00 services=dialog,update,enqueue,background,spool\n");

// The entries of a map and the instances of each, as "key: instance, instance".
template <class TEntry> Lines MapLines(CTypedPtrMap<CMapStringToPtr, CString, TEntry*>& map, CMutex& mutex)
{
    Lines lines;
    CSingleLock lock(&mutex, TRUE);
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        CString strKey;
        TEntry* pEntry = nullptr;
        map.GetNextAssoc(pos, strKey, pEntry);
        CString strLine = strKey + _T(":");
        CSingleLock instances(&pEntry->m_instanceMutex, TRUE);
        ForEachValue(pEntry->m_instances,
                     [&](CSapInstance* pInstance) { strLine += _T(" ") + pInstance->m_strInstanceName; });
        lines.push_back(strLine);
    }
    return lines;
}

// What the remote dialog proposed.
struct CRemoteProposal
{
    CString strTitle;
    CString strDestination;
    CString strGateway;
};

class LandscapeCommandsTest : public ShownApp
{
protected:
    void SetUp() override
    {
        Landscape().Load(sapsim::CTopology::Default());
        ShownApp::SetUp();
    }

    static sapsim::CLandscape& Landscape()
    {
        return sapsim::CLandscape::Active();
    }
    CLandscapeWnd& Trees()
    {
        return Frame().GetLandscapeWnd();
    }

    void AddReadmeSystem()
    {
        RunScripted(ID_SYSTEM_ADD, {Fills(kReadmeEntries)});
    }

    // The three maps, as MapLines gives them.
    Lines Maps()
    {
        CMainFrame& frame = Frame();
        Lines lines = {_T("systems")};
        for (const CString& s : MapLines(frame.GetSystems(), frame.GetSystemsMutex()))
            lines.push_back(s);
        lines.push_back(_T("hosts"));
        for (const CString& s : MapLines(frame.GetHosts(), frame.GetHostsMutex()))
            lines.push_back(s);
        lines.push_back(_T("databases"));
        for (const CString& s : MapLines(frame.GetDatabases(), frame.GetDatabasesMutex()))
            lines.push_back(s);
        return lines;
    }
    // The three trees' lines as they show now.
    Lines Shown()
    {
        Lines lines;
        for (CLandscapeTree* pTree : {static_cast<CLandscapeTree*>(&Trees().GetSystemTree()),
                                      static_cast<CLandscapeTree*>(&Trees().GetHostTree()),
                                      static_cast<CLandscapeTree*>(&Trees().GetDatabaseTree())})
        {
            lines.push_back(_T("--"));
            for (const CString& s : TreeLines(*pTree))
                lines.push_back(s);
        }
        return lines;
    }

    // The item by its entry's text and, for an instance, its own.
    HTREEITEM Item(CLandscapeTree& tree, LPCTSTR lpszEntry, LPCTSTR lpszInstance = nullptr)
    {
        for (HTREEITEM hEntry = tree.GetChildItem(TVI_ROOT); hEntry != nullptr;
             hEntry = tree.GetNextSiblingItem(hEntry))
        {
            if (tree.GetItemText(hEntry) != lpszEntry)
                continue;
            if (lpszInstance == nullptr)
                return hEntry;
            for (HTREEITEM h = tree.GetChildItem(hEntry); h != nullptr; h = tree.GetNextSiblingItem(h))
                if (tree.GetItemText(h) == lpszInstance)
                    return h;
        }
        ADD_FAILURE() << "no item " << CW2A(lpszEntry);
        return nullptr;
    }
    // Selects the items as a user does: a click on the first, Ctrl-clicks on the others.
    void Select(CLandscapeTree& tree, const std::vector<HTREEITEM>& items)
    {
        UINT nKeys = 0;
        for (HTREEITEM hItem : items)
        {
            const CPoint point = LabelPoint(tree, hItem);
            const LPARAM lParam = MAKELPARAM(point.x, point.y);
            tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON | nKeys, lParam);
            tree.SendMessage(WM_LBUTTONUP, nKeys, lParam);
            nKeys = MK_CONTROL;
        }
    }
};

const Lines kPrdMaps = {_T("systems"),
                        _T("PRD: saplx01_PRD_00 sapwin01_PRD_01"),
                        _T("hosts"),
                        _T("saplx01: saplx01_PRD_00"),
                        _T("sapwin01: sapwin01_PRD_01"),
                        _T("databases"),
                        _T("PRD: saplx01_PRD_00 sapwin01_PRD_01")};
const Lines kEmptyMaps = {_T("systems"), _T("hosts"), _T("databases")};

TEST_F(LandscapeCommandsTest, SystemAddRegistersPrdWithItsInstancesHostsAndDatabase)
{
    AddReadmeSystem();
    EXPECT_EQ(Maps(), kPrdMaps);
    const Lines shown = {_T("--"),
                         _T("PRD"),
                         _T("  saplx01_PRD_00 #1 image 1"),
                         _T("  sapwin01_PRD_01 #2 image 1"),
                         _T("--"),
                         _T("saplx01"),
                         _T("  saplx01_PRD_00 #1 image 1"),
                         _T("sapwin01"),
                         _T("  sapwin01_PRD_01 #1 image 1"),
                         _T("--"),
                         _T("PRD"),
                         _T("  saplx01_PRD_00 #1 image 1"),
                         _T("  sapwin01_PRD_01 #2 image 1")};
    EXPECT_EQ(Shown(), shown);
    const Lines logged = {_T("opening connection to PRD system."), _T("gathering PRD system information."),
                          _T("testing authorizations for user LUMITER."),
                          _T("creating application objects for system PRD.")};
    EXPECT_EQ(Logged(_T("System Add")), logged);
    EXPECT_EQ(App().GetProfileString(_T("Logon"), _T("HostName")), _T("saplx01"));

    // The hosts are described by the instances that run on them, the database by its system.
    CSapHost* pHost = nullptr;
    ASSERT_TRUE(Frame().GetHosts().Lookup(_T("sapwin01"), pHost));
    EXPECT_EQ(pHost->m_strHostName, _T("sapwin01"));
    EXPECT_EQ(pHost->m_strIpAddress, _T("10.20.1.12"));
    EXPECT_FALSE(pHost->m_strOs.IsEmpty());
    CSapDatabase* pDatabase = nullptr;
    ASSERT_TRUE(Frame().GetDatabases().Lookup(_T("PRD"), pDatabase));
    EXPECT_EQ(pDatabase->m_strSystemId, _T("PRD"));
    EXPECT_EQ(pDatabase->m_strDatabaseSystem, _T("ORACLE"));
}

TEST_F(LandscapeCommandsTest, ASecondPrdIsRefusedAndChangesNothing)
{
    AddReadmeSystem();
    const Lines shown = Shown();
    CString strText;
    RunScripted(ID_SYSTEM_ADD, {Fills(kReadmeEntries), Reads(strText)});
    EXPECT_EQ(strText, _T("SAP system PRD exists."));
    EXPECT_EQ(Maps(), kPrdMaps);
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(Logged(_T("System Add")).back(), _T("SAP system PRD exists."));
}

TEST_F(LandscapeCommandsTest, RefusedEntriesAndFailedLogonsRegisterNothing)
{
    // The dialog refuses a wrong password and is cancelled: no command step runs.
    CString strText;
    RunScripted(ID_SYSTEM_ADD, {Fills(With(kReadmeEntries, {{IDC_PASSWORD, _T("wrong")}})), Reads(strText),
                                [](ModalWindow& window) { window.Press(IDCANCEL); }});
    EXPECT_FALSE(strText.IsEmpty());
    EXPECT_EQ(Maps(), kEmptyMaps);
    EXPECT_EQ(App().GetProfileString(_T("Logon"), _T("HostName"), _T("(none)")), _T("(none)"));
    EXPECT_TRUE(Logged(_T("System Add")).empty());

    // AUDITOR logs on but lacks the authorizations: the failure is logged and shown.
    RunScripted(
        ID_SYSTEM_ADD,
        {Fills(With(kReadmeEntries, {{IDC_USER, _T("AUDITOR")}, {IDC_PASSWORD, _T("Audit-2024")}})), Reads(strText)});
    EXPECT_EQ(Maps(), kEmptyMaps);
    EXPECT_EQ(Shown(), (Lines{_T("--"), _T("--"), _T("--")}));
    const Lines logged = Logged(_T("System Add"));
    ASSERT_EQ(logged.size(), 4u);
    EXPECT_EQ(logged[2], _T("testing authorizations for user AUDITOR."));
    EXPECT_EQ(logged[3], strText);
    EXPECT_EQ(strText, strText.Trim());
    EXPECT_FALSE(strText.IsEmpty());
}

TEST_F(LandscapeCommandsTest, AMessageBoxOpensCentredOverTheWindowItAnswers)
{
    // Over the dialog whose entries it refuses, then over the main window.
    CRect rectBox, rectOwner;
    HWND hOwner = nullptr;
    const auto measures = [&](ModalWindow& box) {
        ::GetWindowRect(box.Handle(), rectBox);
        hOwner = ::GetWindow(box.Handle(), GW_OWNER);
        ::GetWindowRect(hOwner, rectOwner);
        box.Press(IDOK);
    };
    const auto expectCentred = [&](HWND hExpectedOwner) {
        EXPECT_EQ(hOwner, hExpectedOwner);
        EXPECT_GT(rectBox.Width(), 0);
        EXPECT_NEAR(rectBox.CenterPoint().x, rectOwner.CenterPoint().x, 1);
        EXPECT_NEAR(rectBox.CenterPoint().y, rectOwner.CenterPoint().y, 1);
    };
    HWND hDialog = nullptr;
    RunScripted(ID_SYSTEM_ADD, {[&](ModalWindow& dialog) {
                                    hDialog = dialog.Handle();
                                    Fills(With(kReadmeEntries, {{IDC_PASSWORD, _T("wrong")}}))(dialog);
                                },
                                measures, [](ModalWindow& dialog) { dialog.Press(IDCANCEL); }});
    expectCentred(hDialog);

    RunScripted(ID_FILE_NEW, {measures});
    expectCentred(Frame().m_hWnd);
}

TEST_F(LandscapeCommandsTest, AFailedFilingTakesOutWhatWasFiledAndTheSystemsKey)
{
    // A host entered before, without instances, stays as it was.
    RunScripted(ID_HOST_ADD, {Fills({{IDC_NEW_HOST_NAME, _T("saplx01")}})});
    const Lines before = Maps();

    auto* pSystem = new CSapSystem;
    pSystem->SetLogonData(_T(""), _T("saplx01"), _T(""), _T("00"), _T("000"), _T("LUMITER"), _T("Lumiter5!"), _T("EN"));
    pSystem->Connect();
    pSystem->GetSystemInfo();
    pSystem->DiscoverInstances();
    pSystem->Disconnect();
    ASSERT_EQ(pSystem->m_instances.GetCount(), 2);
    // saplx01_PRD_00 is filed; sapwin01_PRD_01's own connection then fails.
    sapsim::CFault fault;
    fault.kind = sapsim::FaultKind::HostDown;
    fault.host = _T("sapwin01");
    Landscape().AddFault(fault);

    CMainFrame& frame = Frame();
    BOOL bThrown = FALSE;
    {
        CSingleLock lock(&frame.GetSystemsMutex(), TRUE);
        try
        {
            frame.AddSystemObjects(pSystem);
        }
        catch (CException* e)
        {
            bThrown = TRUE;
            e->Delete();
        }
    }
    EXPECT_TRUE(bThrown);
    EXPECT_EQ(Maps(), before);
    delete pSystem;
}

TEST_F(LandscapeCommandsTest, RemoveFollowsTheSelections)
{
    using Clicks = std::vector<std::pair<LPCTSTR, LPCTSTR>>;
    const LPCTSTR PRD_00 = _T("saplx01_PRD_00");
    const LPCTSTR PRD_01 = _T("sapwin01_PRD_01");
    const struct
    {
        const char* what;
        int nTab;
        UINT nCommand;
        Clicks clicks;
        Lines maps;
        LPCTSTR lpszSource;
        LPCTSTR lpszLastLine;
    } cases[] = {
        {"a system, then one of its instances",
         0,
         ID_SYSTEM_REMOVE,
         {{_T("PRD"), nullptr}, {_T("PRD"), PRD_01}},
         kEmptyMaps,
         _T("System Remove"),
         _T("removing SAP instance sapwin01_PRD_01.")},
        {"an instance, then its system",
         0,
         ID_SYSTEM_REMOVE,
         {{_T("PRD"), PRD_01}, {_T("PRD"), nullptr}},
         kEmptyMaps,
         _T("System Remove"),
         _T("removing SAP instance sapwin01_PRD_01.")},
        {"an instance of the system tree",
         0,
         ID_SYSTEM_REMOVE,
         {{_T("PRD"), PRD_01}},
         {_T("systems"), _T("PRD: saplx01_PRD_00"), _T("hosts"), _T("saplx01: saplx01_PRD_00"), _T("databases"),
          _T("PRD: saplx01_PRD_00")},
         _T("System Remove"),
         _T("removing SAP instance sapwin01_PRD_01.")},
        {"a host",
         1,
         ID_HOST_REMOVE,
         {{_T("sapwin01"), nullptr}},
         {_T("systems"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01"), _T("hosts"), _T("saplx01: saplx01_PRD_00"),
          _T("databases"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01")},
         _T("Host Remove"),
         _T("removing host sapwin01.")},
        {"a host's only instance",
         1,
         ID_HOST_REMOVE,
         {{_T("saplx01"), PRD_00}},
         {_T("systems"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01"), _T("hosts"), _T("sapwin01: sapwin01_PRD_01"),
          _T("databases"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01")},
         _T("Host Remove"),
         _T("removing instance saplx01_PRD_00 from host saplx01.")},
        {"a database",
         2,
         ID_DATABASE_REMOVE,
         {{_T("PRD"), nullptr}},
         {_T("systems"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01"), _T("hosts"), _T("saplx01: saplx01_PRD_00"),
          _T("sapwin01: sapwin01_PRD_01"), _T("databases")},
         _T("Database Remove"),
         _T("removing database PRD.")},
        {"an instance of a database",
         2,
         ID_DATABASE_REMOVE,
         {{_T("PRD"), PRD_00}},
         {_T("systems"), _T("PRD: saplx01_PRD_00 sapwin01_PRD_01"), _T("hosts"), _T("saplx01: saplx01_PRD_00"),
          _T("sapwin01: sapwin01_PRD_01"), _T("databases"), _T("PRD: sapwin01_PRD_01")},
         _T("Database Remove"),
         _T("removing instance saplx01_PRD_00 from database PRD.")},
    };
    CLandscapeTree* trees[] = {&Trees().GetSystemTree(), &Trees().GetHostTree(), &Trees().GetDatabaseTree()};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.what);
        Frame().DeleteAllSystems();
        Frame().DeleteAllHosts();
        Frame().DeleteAllDatabases();
        AddReadmeSystem();
        ASSERT_EQ(Maps(), kPrdMaps);
        CLandscapeTree& tree = *trees[c.nTab];
        ShowTab(c.nTab);
        std::vector<HTREEITEM> items;
        for (const auto& [lpszEntry, lpszInstance] : c.clicks)
            items.push_back(Item(tree, lpszEntry, lpszInstance));
        Select(tree, items);
        ASSERT_EQ(tree.GetSelections().size(), c.clicks.size());

        RunCommand(c.nCommand);
        EXPECT_EQ(Maps(), c.maps);
        EXPECT_EQ(Logged(c.lpszSource).back(), c.lpszLastLine);
        // The tree already shows what a refill shows.
        const Lines shown = TreeLines(tree);
        Trees().GetSystemTree().Refresh();
        Trees().GetHostTree().AddItems();
        Trees().GetDatabaseTree().AddItems();
        EXPECT_EQ(TreeLines(tree), shown);
    }
}

TEST_F(LandscapeCommandsTest, HostAddEntersANewNameAndRefusesAKnownOne)
{
    const Lines maps = {_T("systems"), _T("hosts"), _T("hpux01:"), _T("databases")};
    RunScripted(ID_HOST_ADD, {Fills({{IDC_NEW_HOST_NAME, _T("hpux01")}})});
    EXPECT_EQ(Maps(), maps);
    EXPECT_EQ(TreeLines(Trees().GetHostTree()), (Lines{_T("hpux01")}));

    CString strText;
    RunScripted(ID_HOST_ADD, {Fills({{IDC_NEW_HOST_NAME, _T("hpux01")}}), Reads(strText)});
    EXPECT_EQ(strText, _T("Host hpux01 already exists."));
    EXPECT_EQ(Maps(), maps);
    EXPECT_EQ(Logged(_T("Host Add")), (Lines{_T("adding host hpux01."), _T("Host hpux01 already exists.")}));
}

// PRD registered in a landscape whose database runs on a host of its own.
class OwnDatabaseHostTest : public LandscapeCommandsTest
{
protected:
    void SetUp() override
    {
        LandscapeCommandsTest::SetUp();
        Landscape().Load(sapsim::CLandscapeFile::Parse(kOwnDatabaseHost, _T("own-database-host.txt")));
        AddReadmeSystem();
    }

    // Runs Add Instance on the host, reading what the remote dialog proposes and pressing OK;
    // further actions follow.
    CRemoteProposal AddInstance(LPCTSTR lpszHost, Actions after = {})
    {
        CHostTree& tree = Trees().GetHostTree();
        ShowTab(1);
        Select(tree, {Item(tree, lpszHost)});
        CRemoteProposal proposal;
        Actions actions = {[&](ModalWindow& window) {
            proposal.strTitle = window.Caption();
            proposal.strDestination = window.ItemText(IDC_RFC_DESTINATION);
            proposal.strGateway = window.ItemText(IDC_GATEWAY_INSTANCE);
            window.Press(IDOK);
        }};
        actions.insert(actions.end(), after.begin(), after.end());
        RunScripted(ID_HOST_ADD_INSTANCE, std::move(actions));
        return proposal;
    }
};

TEST_F(OwnDatabaseHostTest, TheDatabaseHostShowsWithoutInstancesUntilAddInstanceGivesItOne)
{
    EXPECT_EQ(Maps(), (Lines{_T("systems"), _T("PRD: saplx01_PRD_00"), _T("hosts"), _T("saplx01: saplx01_PRD_00"),
                             _T("dbhost01:"), _T("databases"), _T("PRD: saplx01_PRD_00")}));
    EXPECT_EQ(TreeLines(Trees().GetHostTree()),
              (Lines{_T("saplx01"), _T("  saplx01_PRD_00 #1 image 1"), _T("dbhost01")}));

    const CRemoteProposal proposal = AddInstance(_T("dbhost01"));
    EXPECT_EQ(proposal.strTitle, _T("dbhost01"));
    EXPECT_EQ(proposal.strDestination, _T("SAPCCMSR.DBHOST01.99"));
    EXPECT_EQ(proposal.strGateway, _T("saplx01_PRD_00"));
    EXPECT_EQ(TreeLines(Trees().GetHostTree()), (Lines{_T("saplx01"), _T("  saplx01_PRD_00 #1 image 1"), _T("dbhost01"),
                                                       _T("  saplx01_PRD_00 #1 image 1")}));
    EXPECT_EQ(Logged(_T("Host Add")),
              (Lines{_T("adding instance saplx01_PRD_00 for remote access of host dbhost01.")}));

    CSapHost* pHost = nullptr;
    ASSERT_TRUE(Frame().GetHosts().Lookup(_T("dbhost01"), pHost));
    EXPECT_EQ(pHost->m_strDestination, _T("SAPCCMSR.DBHOST01.99"));
    EXPECT_FALSE(pHost->m_strOs.IsEmpty());
    CSapInstance* pConnection = nullptr;
    ASSERT_TRUE(pHost->m_instances.Lookup(_T("saplx01_PRD_00"), pConnection));
    EXPECT_EQ(pConnection->LOCAL_REMOTE, _T("INTERN"));
    EXPECT_EQ(pConnection->LOGICAL_DESTINATION, _T("SAPCCMSR.DBHOST01.99"));
    EXPECT_EQ(pConnection->m_strDatabaseHost, _T("dbhost01"));

    // A host that has an instance gets no second one: no dialog opens.
    const Lines maps = Maps();
    ShowTab(1);
    CHostTree& tree = Trees().GetHostTree();
    Select(tree, {Item(tree, _T("saplx01"))});
    RunScripted(ID_HOST_ADD_INSTANCE, {});
    EXPECT_EQ(Maps(), maps);
}

TEST_F(OwnDatabaseHostTest, AFailedAddInstanceTakesTheConnectionOffTheHost)
{
    sapsim::CFault fault;
    fault.kind = sapsim::FaultKind::AbapException;
    fault.module = _T("GET_PARAMETER");
    fault.key = _T("NOT_FOUND");
    Landscape().AddFault(fault);
    const Lines maps = Maps();

    CString strText;
    AddInstance(_T("dbhost01"), {Reads(strText)});
    EXPECT_EQ(strText, _T("adding instance saplx01_PRD_00 for remote access of host dbhost01 failed."));
    EXPECT_EQ(Maps(), maps);
    EXPECT_EQ(TreeLines(Trees().GetHostTree()),
              (Lines{_T("saplx01"), _T("  saplx01_PRD_00 #1 image 1"), _T("dbhost01")}));
    const Lines logged = Logged(_T("Host Add"));
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_EQ(logged[0], _T("adding instance saplx01_PRD_00 for remote access of host dbhost01."));
    EXPECT_EQ(logged[1], strText);
    EXPECT_NE(logged[2].Find(_T("NOT_FOUND")), -1) << CW2A(logged[2]);
}
} // namespace
