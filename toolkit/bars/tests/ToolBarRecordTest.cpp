// The toolbar's record of its title and buttons in its three stored forms, and "Main" rebuilt
// from its record.
#include <toolkit/bars/CustomToolBar.h>
#include <toolkit/bars/CustomToolBarInfoEx.h>
#include <toolkit/bars/ToolBarManager.h>
#include <toolkit/workspace/PersistentTreeNode.h>

#include <afxpriv.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>
#include <testing/RegistrySandbox.h>

using namespace tarnwick::bars;
using tarnwick::frames::SECControlBarInfo;
using tarnwick::workspace::SECPersistentTreeNode;
using tarnwick::workspace::SECPTNFactory;

namespace
{
const UINT kMainButtons[] = {0x800B, 0x800D, 0, 0xE100, 0xE102, 0x8018, 0, 0xE143, 0xE140};

class RecordApp : public CWinApp
{
public:
    RecordApp() : CWinApp(_T("Toolbar Records"))
    {
    }
    using CWinApp::SetRegistryKey;
};

std::vector<UINT> Ids(const SECBtnInfoArray& records)
{
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < records.GetSize(); ++i)
        ids.push_back(records[i]->m_nID);
    return ids;
}

void Fill(SECCustomToolBarInfoEx& record, std::initializer_list<UINT> ids)
{
    for (UINT nID : ids)
        record.m_btnInfo.Add(new SECBtnInfo(nID, 0, nullptr));
}
} // namespace

TEST(ToolBarRecord, ButtonsBytesAndCutRecords)
{
    SECCustomToolBarInfoEx record;
    Fill(record, {0x800B, 0, 0xE100});
    const std::vector<BYTE> expected = {0x0B, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xE1, 0, 0, 0};
    EXPECT_EQ(record.m_btnInfo.Build(), expected);

    const BYTE withData[] = {0x01, 0, 0, 0, 2, 0xAA, 0xBB, 0x02, 0, 0, 0, 3, 0xCC};
    for (size_t nCut : {sizeof(withData), size_t(9), size_t(7), size_t(3)})
    {
        SECBtnInfoArray parsed;
        parsed.Parse(withData, nCut);
        const INT_PTR nWhole = nCut >= 7 ? 1 : 0;
        ASSERT_EQ(parsed.GetSize(), nWhole) << nCut;
        if (nWhole == 1)
        {
            EXPECT_EQ(parsed[0]->m_nID, 1u);
            ASSERT_EQ(parsed[0]->m_nDataLength, 2);
            EXPECT_EQ(parsed[0]->m_pData[1], 0xBB);
        }
    }
}

TEST(ToolBarRecord, ProfileTreeAndArchiveFormsRoundTrip)
{
    RegistrySandbox sandbox;
    RecordApp app;
    app.SetRegistryKey(sandbox.Name());
    SECCustomToolBarInfoEx record;
    record.m_strTitle = _T("Main");
    Fill(record, {0x800B, 0, 0xE100});
    const BYTE data[] = {7, 8, 9};
    record.m_btnInfo.Add(new SECBtnInfo(0xE140, 3, data));

    ASSERT_TRUE(record.SaveState(_T("L-Bar0")));
    SECCustomToolBarInfoEx fromProfile;
    ASSERT_TRUE(fromProfile.LoadState(_T("L-Bar0"), nullptr));
    EXPECT_EQ(Ids(fromProfile.m_btnInfo), (std::vector<UINT>{0x800B, 0, 0xE100, 0xE140}));
    EXPECT_EQ(fromProfile.m_strTitle, _T("Main"));
    EXPECT_TRUE(fromProfile.HasButtons());

    // No title is written for an empty one, and a load keeps the title it had.
    SECCustomToolBarInfoEx untitled;
    Fill(untitled, {0xE100});
    ASSERT_TRUE(untitled.SaveState(_T("L-Bar1")));
    EXPECT_EQ(app.GetProfileString(_T("L-Bar1"), _T("Title"), _T("none")), _T("none"));
    SECCustomToolBarInfoEx keeps;
    keeps.m_strTitle = _T("Kept");
    ASSERT_TRUE(keeps.LoadState(_T("L-Bar1"), nullptr));
    EXPECT_EQ(keeps.m_strTitle, _T("Kept"));
    // A section without "Buttons" found nothing: the record carries no buttons to apply.
    SECCustomToolBarInfoEx nothing;
    EXPECT_FALSE(nothing.LoadState(_T("L-Bar9"), nullptr));
    EXPECT_FALSE(nothing.HasButtons());

    SECPTNFactory factory;
    SECPersistentTreeNode* pBarNode = factory.AddChild(_T("Bar-0"), nullptr);
    ASSERT_TRUE(record.SaveStateToNode(factory, pBarNode));
    ASSERT_NE(pBarNode->FindChild(_T("ToolBarInfoEx")), nullptr);
    SECCustomToolBarInfoEx fromTree;
    ASSERT_TRUE(fromTree.LoadStateFromNode(pBarNode));
    EXPECT_EQ(Ids(fromTree.m_btnInfo), Ids(record.m_btnInfo));
    ASSERT_EQ(fromTree.m_btnInfo[3]->m_nDataLength, 3);
    EXPECT_EQ(fromTree.m_btnInfo[3]->m_pData[2], 9);
    SECPersistentTreeNode* pBare = factory.AddChild(_T("Bar-1"), nullptr);
    SECCustomToolBarInfoEx untouched;
    ASSERT_TRUE(untouched.LoadStateFromNode(pBare));
    EXPECT_FALSE(untouched.HasButtons());

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        record.Serialize(ar, nullptr);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    SECCustomToolBarInfoEx fromArchive;
    fromArchive.Serialize(ar, nullptr);
    EXPECT_EQ(fromArchive.m_strTitle, _T("Main"));
    EXPECT_EQ(Ids(fromArchive.m_btnInfo), Ids(record.m_btnInfo));
    EXPECT_EQ(fromArchive.m_btnInfo[3]->m_pData[0], 7);
}

TEST(ToolBarRecord, MainIsRebuiltFromItsRecord)
{
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Bars"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 800, 500)));
    pFrame->EnableDocking(CBRS_ALIGN_ANY);
    auto pManager = std::make_unique<SECToolBarManager>(pFrame);
    ASSERT_TRUE(pManager->LoadToolBarResource(128, 129));
    pManager->DefineDefaultToolBar(AFX_IDW_TOOLBAR, _T("Main"), 9, kMainButtons, CBRS_ALIGN_ANY, AFX_IDW_DOCKBAR_TOP,
                                   0, TRUE, TRUE);
    ASSERT_TRUE(pManager->CreateDefaultToolBars());
    SECCustomToolBar* pMain = pManager->FindToolBar(AFX_IDW_TOOLBAR);
    ASSERT_NE(pMain, nullptr);

    SECControlBarInfo info(pManager.get());
    pMain->GetBarInfoEx(&info);
    auto* pRecord = dynamic_cast<SECCustomToolBarInfoEx*>(info.m_pBarInfoEx);
    ASSERT_NE(pRecord, nullptr);
    EXPECT_EQ(pRecord->m_strTitle, _T("Main"));
    EXPECT_EQ(Ids(pRecord->m_btnInfo), std::vector<UINT>(std::begin(kMainButtons), std::end(kMainButtons)));

    pMain->SetButtons(nullptr, 0);
    pMain->SetWindowText(_T("Changed"));
    ASSERT_EQ(pMain->GetBtnCount(), 0);
    pMain->SetBarInfoEx(&info, pFrame);
    ASSERT_EQ(pMain->GetBtnCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(pMain->GetButton(i)->m_nID, kMainButtons[i]) << i;
    CString title;
    pMain->GetWindowText(title);
    EXPECT_EQ(title, _T("Main"));

    pFrame->DestroyWindow();
    pManager.reset();
    PumpPendingMessages();
}
