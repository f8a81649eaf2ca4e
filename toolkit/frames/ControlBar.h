// The toolkit's sizeable docking bar: remembered sizes per docking state, a share of its dock
// row, and an extended style word for gripper, margins and child layout.
#pragma once

#include <afxext.h>

#include <vector>

namespace tarnwick::frames
{
// Extended bar styles (m_dwExStyle).
constexpr DWORD CBRS_EX_CONTEXTMENU = 0x1;
constexpr DWORD CBRS_EX_PROPORTIONAL = 0x2;
constexpr DWORD CBRS_EX_FIXEDSIZE = 0x4;
constexpr DWORD CBRS_EX_FIXEDROW = 0x8;
constexpr DWORD CBRS_EX_MARGINS = 0x10;
constexpr DWORD CBRS_EX_STRETCHCHILD = 0x40;
constexpr DWORD CBRS_EX_OWNROW = 0x80;
constexpr DWORD CBRS_EX_BORDERS = 0x100;
constexpr DWORD CBRS_EX_GRIPPER = 0x200;
constexpr DWORD CBRS_EX_CLOSE = 0x400;
constexpr DWORD CBRS_EX_EXPAND = 0x800;
constexpr DWORD CBRS_EX_CAPTION = 0x10000;
constexpr DWORD CBRS_EX_THEMEDGRIPPER = 0x20000;

class SECControlBar : public CControlBar
{
    DECLARE_DYNCREATE(SECControlBar)
public:
    SECControlBar();

    CSize m_szMRUHorzDock;
    CSize m_szMRUVertDock;
    CSize m_szMRUFloat;
    // The share of its dock row that the bar takes.
    float m_fPctWidth;
    DWORD m_dwExStyle;
    CRect m_rcMargins;

    // The gripper strip: five parts across it (spaces and grip lines) and the inset around it.
    static constexpr int GRIPPER_WIDTH = 4 + 3 + 1 + 3 + 6;
    static constexpr int GRIPPER_MARGIN = 3;

    BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID);

    // The share has been fitted into the dock row; a hidden bar loses it so that it is fitted
    // again as new when shown.
    BOOL IsShareSettled() const
    {
        return m_bShareSettled;
    }
    void SetShareSettled(BOOL bSettled)
    {
        m_bShareSettled = bSettled;
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // With LM_COMMIT stores nLength (with LM_STRETCH the share of it) as the remembered size
    // of the docking state the mode names.
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

    virtual void GetInsideRect(CRect& rect) const;
    virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    void ModifyBarStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    // With CBRS_EX_BORDERS: one pixel per border bit, the gripper strip or the borders.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz, BOOL bWithGripper) const;

    // The first control id from nStart upward that no bar of the frame uses; 0 after 1000.
    static UINT FindFreeBarID(CFrameWnd* pFrame, UINT nStart);
    // Above 0 (the default) children moved on resize are not redrawn by the move.
    static void SetControlBarGlobalFlag(int nFlag);

protected:
    // Lays the children out in the area inside gripper and margins: scaled from their
    // recorded places (CBRS_EX_PROPORTIONAL) or the topmost one filling it (CBRS_EX_STRETCHCHILD).
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    struct ChildRect
    {
        HWND hWnd;
        CRect rect;
    };

    BOOL m_bShareSettled;
    // The client rectangle first, then each child's rectangle, when the children were recorded.
    std::vector<ChildRect> m_childRects;

    BOOL HasDockedGripper() const;
    void CollectChildRects();
    void LayoutChildren(int cx, int cy);
};
} // namespace tarnwick::frames
