// The workspace manager's store settings and its place as the frame's plug-in.
#include <toolkit/workspace/WorkspaceManagerEx.h>

#include <memory>

#include <gtest/gtest.h>

#include <testing/MessagePump.h>

using tarnwick::workspace::SECWorkspaceManagerEx;

namespace
{
TEST(WorkspaceManagerTest, StartsWithTheDefaultStore)
{
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(SECWorkspaceManagerEx)->CreateObject());
    auto* pManager = dynamic_cast<SECWorkspaceManagerEx*>(pObject.get());
    ASSERT_NE(pManager, nullptr);
    EXPECT_EQ(pManager->GetBaseKey(), CString(_T("Software\\Tarnwick\\DefWorkspace\\")));
    EXPECT_EQ(pManager->GetRootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(pManager->IsRegistryMode());
    EXPECT_FALSE(pManager->IsWorkspaceOpen());
    EXPECT_EQ(pManager->GetFrame(), nullptr);
}

TEST(WorkspaceManagerTest, InitializeEndsTheBaseKeyWithABackslashOnce)
{
    struct Case
    {
        LPCTSTR lpszKey;
        LPCTSTR lpszStored;
    };
    const Case cases[] = {
        {_T("Software\\ZOL\\LumiterSAP\\v5.0"), _T("Software\\ZOL\\LumiterSAP\\v5.0\\")},
        {_T("Software\\Test\\"), _T("Software\\Test\\")},
        {_T(""), _T("\\")},
    };
    for (const Case& c : cases)
    {
        SECWorkspaceManagerEx manager;
        manager.Initialize(c.lpszKey, TRUE, HKEY_LOCAL_MACHINE, TRUE);
        EXPECT_EQ(manager.GetBaseKey(), CString(c.lpszStored));
        EXPECT_EQ(manager.GetRootKey(), HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(manager.IsRegistryMode());
        EXPECT_TRUE(manager.IsApplicationKey());
    }
}

TEST(WorkspaceManagerTest, PluggingInRemembersTheFrameAndPassesCommandsOn)
{
    HiddenWindow window;
    auto* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, _T("Frame"), WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    {
        SECWorkspaceManagerEx manager;
        EXPECT_FALSE(manager.PlugInTo(nullptr));
        EXPECT_EQ(manager.GetFrame(), nullptr);
        ASSERT_TRUE(manager.PlugInTo(pFrame));
        EXPECT_EQ(manager.GetFrame(), pFrame);
        // No command of its own yet: the frame handles them all.
        EXPECT_FALSE(manager.OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr));
        EXPECT_FALSE(manager.IsMsgProcessingStopped());
        // A plain window is no frame.
        SECWorkspaceManagerEx other;
        ASSERT_TRUE(other.PlugInTo(&window.Wnd()));
        EXPECT_EQ(other.GetFrame(), nullptr);
    }
    pFrame->DestroyWindow();
    PumpPendingMessages();
}
} // namespace
