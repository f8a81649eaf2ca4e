// The filter tree: offering messages to children, finding and making filters, descriptors
// switching them, cloning, and the document frames' filter table.
#include <toolkit/frames/CaptionMsgFilter.h>
#include <toolkit/frames/SysCommandEx.h>

#include <vector>

#include <gtest/gtest.h>

using tarnwick::frames::SECCaptionControlListMsgFilter;
using tarnwick::frames::SECCaptionControlMsgFilter;
using tarnwick::frames::SECMsgFilter;
using namespace tarnwick::frames::nsSysCommandEx;

namespace
{
// Answers its set flags to every message and counts what it saw.
class AnsweringFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(AnsweringFilter)
public:
    DWORD m_dwAnswer = 0;
    int m_nSeen = 0;
    DWORD FilterMessage(UINT, WPARAM, LPARAM, LRESULT*) override
    {
        ++m_nSeen;
        return m_dwAnswer;
    }
};
IMPLEMENT_DYNCREATE(AnsweringFilter, SECMsgFilter)

AnsweringFilter* AddAnswering(SECMsgFilter& parent, UINT nID, DWORD dwAnswer)
{
    auto* pFilter = static_cast<AnsweringFilter*>(parent.FindFilter(nID, RUNTIME_CLASS(AnsweringFilter), 0));
    pFilter->m_dwAnswer = dwAnswer;
    return pFilter;
}

std::vector<UINT> ChildIDs(const SECMsgFilter& filter)
{
    std::vector<UINT> ids;
    for (INT_PTR i = 0; i < filter.GetChildCount(); ++i)
        ids.push_back(filter.GetChild(i) != nullptr ? filter.GetChild(i)->GetID() : 0u);
    return ids;
}

TEST(MsgFilterTest, ChildrenAnswerInOrderSkippingDisabledAndStoppingAtTheStopBit)
{
    SECMsgFilter root;
    AnsweringFilter* pOff = AddAnswering(root, 1, 0x2);
    AnsweringFilter* pFirst = AddAnswering(root, 2, 0x1);
    AnsweringFilter* pStop = AddAnswering(root, 3, 0x8 | 0x4);
    AnsweringFilter* pAfter = AddAnswering(root, 4, 0x10);
    root.AddChild(nullptr);
    pOff->Enable(FALSE);

    EXPECT_EQ(root.Filter(WM_MOUSEMOVE, 0, 0, nullptr), 0x1u | 0x8u | 0x4u);
    EXPECT_EQ(pOff->m_nSeen, 0);
    EXPECT_EQ(pFirst->m_nSeen, 1);
    EXPECT_EQ(pStop->m_nSeen, 1);
    EXPECT_EQ(pAfter->m_nSeen, 0);

    root.Enable(FALSE);
    EXPECT_EQ(root.Filter(WM_MOUSEMOVE, 0, 0, nullptr), 0u);
    EXPECT_EQ(pFirst->m_nSeen, 1);
}

TEST(MsgFilterTest, FindFilterLooksDownToTheDepthAndMakesMissingFiltersOfAClass)
{
    CWnd owner;
    SECMsgFilter root(&owner);
    SECMsgFilter* pChild = root.FindFilter(10, RUNTIME_CLASS(SECMsgFilter), 0);
    ASSERT_NE(pChild, nullptr);
    EXPECT_EQ(pChild->GetID(), 10u);
    EXPECT_EQ(pChild->GetWnd(), &owner);
    SECMsgFilter* pGrandChild = pChild->FindFilter(20, RUNTIME_CLASS(AnsweringFilter), 0);

    EXPECT_EQ(root.FindFilter(10, nullptr, 0), pChild);
    EXPECT_EQ(root.FindFilter(20, nullptr, 0), nullptr);
    EXPECT_EQ(root.FindFilter(20, nullptr, 1), pGrandChild);
    EXPECT_EQ(root.FindFilter(20, nullptr, -1), pGrandChild);
    EXPECT_EQ(root.FindFilter(30, nullptr, -1), nullptr);
    // A class that is no filter is not made.
    EXPECT_EQ(root.FindFilter(30, RUNTIME_CLASS(CObject), -1), nullptr);
    EXPECT_EQ(ChildIDs(root), std::vector<UINT>{10});
}

TEST(MsgFilterTest, DescriptorsSwitchFiltersOnAndOff)
{
    SECMsgFilter root;
    SECMsgFilter::DescriptorTable table;
    table.Add(1, static_cast<UINT>(-1), RUNTIME_CLASS(AnsweringFilter));
    table.Add(2, static_cast<UINT>(-1), RUNTIME_CLASS(AnsweringFilter), SECMsgFilter::DESCRIPTOR_KEEP_ON);
    table.Add(3, 1, RUNTIME_CLASS(AnsweringFilter));
    table.Add(4, 99, RUNTIME_CLASS(AnsweringFilter));

    // Switching off makes nothing.
    root.ApplyDescriptorsAll(table, FALSE);
    EXPECT_EQ(root.GetChildCount(), 0);

    const BOOL on[] = {TRUE, TRUE, TRUE, TRUE};
    root.ApplyDescriptors(table, on);
    EXPECT_EQ(ChildIDs(root), (std::vector<UINT>{1, 2}));
    SECMsgFilter* pNested = root.FindFilter(3, nullptr, -1);
    ASSERT_NE(pNested, nullptr);
    EXPECT_EQ(root.GetChild(0)->FindFilter(3, nullptr, 0), pNested);
    // No parent 99: nothing.
    EXPECT_EQ(root.ApplyDescriptor(*table[3], TRUE), nullptr);

    root.ApplyDescriptorsAll(table, FALSE);
    EXPECT_FALSE(root.GetChild(0)->IsEnabled());
    EXPECT_TRUE(root.GetChild(1)->IsEnabled());
    EXPECT_FALSE(pNested->IsEnabled());
}

TEST(MsgFilterTest, CloneCopiesTheTreeForTheSameOwner)
{
    CWnd owner;
    SECMsgFilter root(&owner, 7);
    AddAnswering(root, 1, 0)->Enable(FALSE);
    root.AddChild(nullptr);
    auto* pList = static_cast<SECCaptionControlListMsgFilter*>(
        root.FindFilter(256, RUNTIME_CLASS(SECCaptionControlListMsgFilter), 0));

    SECMsgFilter* pClone = root.Clone();
    ASSERT_NE(pClone, nullptr);
    EXPECT_EQ(pClone->GetID(), 7u);
    EXPECT_EQ(pClone->GetWnd(), &owner);
    EXPECT_EQ(ChildIDs(*pClone), (std::vector<UINT>{1, 0, 256}));
    EXPECT_EQ(pClone->GetChild(1), nullptr);
    EXPECT_TRUE(pClone->GetChild(0)->IsKindOf(RUNTIME_CLASS(AnsweringFilter)));
    EXPECT_FALSE(pClone->GetChild(0)->IsEnabled());
    EXPECT_NE(pClone->GetChild(0), root.GetChild(0));

    // The button row keeps its five buttons and its descriptors, not ten buttons.
    auto* pListClone = static_cast<SECCaptionControlListMsgFilter*>(pClone->GetChild(2));
    EXPECT_EQ(ChildIDs(*pListClone), ChildIDs(*pList));
    EXPECT_EQ(pListClone->GetButtonDescriptors().GetSize(), 5);
    EXPECT_EQ(pListClone->GetChild(0)->GetWnd(), &owner);
    delete pClone;
}

TEST(MsgFilterTest, ButtonsCarryTheirCaptionPartAndCloneWithTheirState)
{
    // Close, maximize, restore, minimize, help.
    SECCaptionControlListMsgFilter row;
    EXPECT_EQ(ChildIDs(row), (std::vector<UINT>{0, 2, 3, 1, 4}));

    SECCaptionControlMsgFilter button(nullptr, DFCS_CAPTIONMAX, DFCS_INACTIVE);
    EXPECT_EQ(button.GetState(), static_cast<UINT>(DFCS_CAPTIONMAX | DFCS_INACTIVE));
    EXPECT_EQ(button.GetType(), static_cast<UINT>(DFC_CAPTION));
    EXPECT_EQ(button.GetHoldDelay(), -1);
    std::unique_ptr<SECMsgFilter> pClone(button.Clone());
    auto* pButton = dynamic_cast<SECCaptionControlMsgFilter*>(pClone.get());
    ASSERT_NE(pButton, nullptr);
    EXPECT_EQ(pButton->GetState(), button.GetState());
    EXPECT_EQ(pButton->GetID(), static_cast<UINT>(DFCS_CAPTIONMAX));

    // The extended button: no caption part in its state, held for 400 ms.
    ScxButtonMsgFilter extra;
    EXPECT_EQ(extra.GetID(), 5120u);
    EXPECT_EQ(extra.GetType(), static_cast<UINT>(DFC_SCROLL));
    EXPECT_EQ(extra.GetState(), 2u);
    EXPECT_EQ(extra.GetHoldDelay(), 400);
}

TEST(MsgFilterTest, DocumentFrameSwitchesFollowTheMask)
{
    struct Case
    {
        UINT nMask;
        std::vector<BOOL> switches;
    };
    const Case cases[] = {
        {0x1, {TRUE, TRUE, TRUE, TRUE, TRUE}},   {0x0, {FALSE, FALSE, FALSE, FALSE, FALSE}},
        {0x3, {TRUE, FALSE, FALSE, TRUE, TRUE}}, {0x5, {TRUE, TRUE, TRUE, FALSE, TRUE}},
        {0x9, {TRUE, TRUE, TRUE, TRUE, FALSE}},  {0xE, {FALSE, FALSE, FALSE, FALSE, FALSE}},
    };
    SECMsgFilter::DescriptorTable table;
    AddDocumentFrameFilters(table, RUNTIME_CLASS(ScxButtonMDIChildMsgFilter));
    for (const Case& c : cases)
    {
        SECMsgFilter manager;
        InstallDocumentFrameFilters(manager, table, c.nMask);
        std::vector<BOOL> switches;
        for (INT_PTR i = 0; i < table.GetSize(); ++i)
        {
            const SECMsgFilter* pFilter = manager.FindFilter(table[i]->nID, nullptr, -1);
            switches.push_back(pFilter != nullptr && pFilter->IsEnabled());
        }
        EXPECT_EQ(switches, c.switches) << "mask " << c.nMask;
    }

    // All on: the row with its extra button, the double-click and the context menu.
    SECMsgFilter root;
    root.ApplyDescriptorsAll(table, TRUE);
    EXPECT_EQ(ChildIDs(root), (std::vector<UINT>{257, 256, 259, 262}));
    SECMsgFilter* pButton = root.FindFilter(258, nullptr, -1);
    ASSERT_NE(pButton, nullptr);
    EXPECT_TRUE(pButton->IsKindOf(RUNTIME_CLASS(ScxButtonMDIChildMsgFilter)));
    // The row stays on when asked to go off.
    root.ApplyDescriptorsAll(table, FALSE);
    EXPECT_TRUE(root.FindFilter(256, nullptr, 0)->IsEnabled());
    EXPECT_FALSE(root.FindFilter(257, nullptr, 0)->IsEnabled());
}
} // namespace
