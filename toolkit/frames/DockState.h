// The toolkit's dock state: the platform's bar records with the toolkit's sizes, styles and
// auto-hide state, bars recreated from their class when the frame lacks them, floating frames
// that are MDI children, and three stored forms (profile, workspace tree, archive).
#pragma once

#include <afxpriv.h>

namespace tarnwick::bars
{
class SECControlBarManager;
}
namespace tarnwick::workspace
{
class SECPersistentTreeNode;
class SECPTNFactory;
} // namespace tarnwick::workspace

namespace tarnwick::frames
{
class SECDockState;
class SECControlBarInfo;

// More that a control-bar manager keeps about a bar, stored beside its record. The section is
// the bar's own profile section; the node its "Bar-%d" node.
class SECControlBarInfoEx : public CObject
{
    DECLARE_DYNCREATE(SECControlBarInfoEx)
public:
    using CObject::Serialize;
    virtual void Serialize(CArchive& ar, SECDockState* pDockState);
    // TRUE when given a node.
    virtual BOOL LoadStateFromNode(workspace::SECPersistentTreeNode* pNode);
    virtual BOOL LoadState(LPCTSTR lpszSection, SECDockState* pDockState);
    // TRUE when given a node.
    virtual BOOL SaveStateToNode(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pNode);
    virtual BOOL SaveState(LPCTSTR lpszSection);
};

class SECControlBarInfo : public CControlBarInfo
{
public:
    explicit SECControlBarInfo(bars::SECControlBarManager* pManager = nullptr);
    virtual ~SECControlBarInfo();
    SECControlBarInfo(const SECControlBarInfo&) = delete;
    SECControlBarInfo& operator=(const SECControlBarInfo&) = delete;

    CSize m_szMRUHorzDock;
    CSize m_szMRUVertDock;
    CSize m_szMRUFloat;
    // The bar's saved dock style, and the sides it may dock to.
    DWORD m_dwMRUDockingState;
    DWORD m_dwDockingStyle;
    float m_fPctWidth;
    DWORD m_dwStyle;
    DWORD m_dwExStyle;
    BOOL m_bPrevFloating;
    // The bar floats in an MDI child frame, placed so.
    BOOL m_bMDIChild;
    WINDOWPLACEMENT m_wpMDIChild;
    // To recreate the bar.
    CString m_strClassName;
    CString m_strWindowName;
    UINT m_nResourceID;
    BOOL m_bAutoHide;
    BOOL m_bAutoHidePinned;
    DWORD m_dwLastAlignedDocking;
    // Owned; made by the manager.
    SECControlBarInfoEx* m_pBarInfoEx;
    UINT m_nTypeID;
    bars::SECControlBarManager* m_pManager;

    // Tree form: the node "Bar-<index>" under pParent; FALSE, writing nothing, for an empty
    // dock bar.
    virtual BOOL LoadStateFromNode(workspace::SECPersistentTreeNode* pNode, SECDockState* pDockState);
    // Profile form: the stored x is kept as it is, y scaled.
    virtual BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, SECDockState* pDockState);
    virtual BOOL SaveStateToNode(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent,
                                 int nIndex);
    virtual BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // The platform's keys, and the toolkit's, in a bar's node.
    virtual BOOL LoadBaseState(workspace::SECPersistentTreeNode* pNode, SECDockState* pDockState);
    virtual BOOL LoadExtState(workspace::SECPersistentTreeNode* pNode);
    virtual BOOL SaveBaseState(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pNode);
    virtual BOOL SaveExtState(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pNode);
    // Archive form: the platform's fields, the toolkit's sizes and styles, the extra
    // information, then the contained ids.
    void Serialize(CArchive& ar, SECDockState* pDockState);

    // "PctWidth" as text: millionths, truncated, in single precision.
    static CString EncodePctWidth(float fPctWidth);
    static float DecodePctWidth(const CString& strText);

private:
    // The profile orders the auto-hide keys last, the tree after the placement.
    enum class KeyOrder
    {
        profile,
        tree
    };
    void SaveExtValues(CDockStateValues& values, KeyOrder order) const;
    void LoadExtValues(CDockStateValues& values);
    // The manager's extra information for this record, if it makes one.
    void CreateBarInfoEx();
};

class SECDockState : public CDockState
{
    DECLARE_SERIAL(SECDockState)
public:
    SECDockState();
    explicit SECDockState(bars::SECControlBarManager* pManager);
    ~SECDockState() override;

    bars::SECControlBarManager* GetControlBarManager() const
    {
        return m_pManager;
    }
    // Every bar object the state creates goes to this list; its owner deletes them.
    void SetCreatedBarList(CPtrList* pList)
    {
        m_pCreatedBars = pList;
    }
    // The records: m_arrBarInfo holds SECControlBarInfo pointers.
    SECControlBarInfo* GetBarInfo(INT_PTR nIndex) const
    {
        return static_cast<SECControlBarInfo*>(m_arrBarInfo[nIndex]);
    }
    INT_PTR GetBarInfoCount() const
    {
        return m_arrBarInfo.GetSize();
    }

    // Tree form: a "DockState" node under pParent; FALSE without a parent.
    virtual BOOL SaveStateToNode(workspace::SECPTNFactory& factory, workspace::SECPersistentTreeNode* pParent);
    void SaveState(LPCTSTR lpszProfileName) override;
    // FALSE, with the state unchanged, when pNode has no "DockState" child.
    virtual BOOL LoadStateFromNode(workspace::SECPersistentTreeNode* pNode);
    void LoadState(LPCTSTR lpszProfileName) override;
    // Records every toolkit bar of the frame; FALSE only without a frame.
    virtual BOOL GetState(CFrameWnd* pFrame);
    // Applies the records, finding, making or recreating their bars; FALSE only without a frame.
    virtual BOOL SetState(CFrameWnd* pFrame);
    virtual SECControlBarInfo* CreateBarInfo(bars::SECControlBarManager* pManager);
    // Ties each record to its bar; a record whose bar cannot be had is dropped.
    virtual void BindBars(CFrameWnd* pFrame, BOOL bMDIFrame);
    virtual void FinishBars(CFrameWnd* pFrame);
    virtual void RestoreMDIChildPlacements(CFrameWnd* pFrame);
    // A new bar of the named class, created in the frame as recorded; NULL when it cannot be.
    virtual CControlBar* CreateBarFromInfo(LPCTSTR lpszClassName, CFrameWnd* pFrame, SECControlBarInfo* pInfo);
    virtual CRuntimeClass* FindRuntimeClass(LPCTSTR lpszClassName);
    void Serialize(CArchive& ar) override;
    // Deletes the records.
    void Clear();

private:
    // The frame's manager when none was given.
    void TakeFrameManager(CFrameWnd* pFrame);
    void RemoveBarInfo(INT_PTR nIndex);
    // The record's bar in the frame, made by the manager, or recreated from its class.
    CControlBar* FindOrCreateBar(CFrameWnd* pFrame, SECControlBarInfo* pInfo);
    // A floating record's frame: an MDI child or a floating frame, whose dock bar it takes.
    CControlBar* CreateFloatingBar(CFrameWnd* pFrame, SECControlBarInfo* pInfo);
    void PlaceFloatingFrame(SECControlBarInfo* pInfo);

    bars::SECControlBarManager* m_pManager;
    CPtrList* m_pCreatedBars;
};
} // namespace tarnwick::frames
