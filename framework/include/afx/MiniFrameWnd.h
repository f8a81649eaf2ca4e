// Mini frames: floating tool windows with a small caption, as floating palettes use.
#pragma once

// Mini frame styles, given with the window styles: a sizing border.
#define MFS_THICKFRAME 0x00000400L
// A sizing border that sizes the frame in all four directions.
#define MFS_4THICKFRAME 0x00000200L
// The caption looks active while the owner frame is (WM_FLOATSTATUS).
#define MFS_SYNCACTIVE 0x00000100L
#define MFS_MOVEFRAME 0x00000800L

// WM_FLOATSTATUS: what the owner frame tells its floating frames.
#define FS_SHOW 0x01
#define FS_HIDE 0x02
#define FS_ACTIVATE 0x04
#define FS_DEACTIVATE 0x08
#define FS_ENABLE 0x10
#define FS_DISABLE 0x20
#define FS_SYNCACTIVE 0x40

class CMiniFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();

    // A tool window owned by pParentWnd; MFS_THICKFRAME gives it a sizing border.
    virtual BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                        CWnd* pParentWnd = nullptr, UINT nID = 0);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd = nullptr, UINT nID = 0);

    // Grows a client rectangle to the window of a mini frame with these styles.
    static void PASCAL CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION,
                                   DWORD dwExStyle = 0);
};
