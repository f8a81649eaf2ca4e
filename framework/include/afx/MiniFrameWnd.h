// Mini frames: floating tool windows with a small caption, as floating palettes use.
#pragma once

// Mini frame styles, given with the window styles: a sizing border.
#define MFS_THICKFRAME 0x00000400L
// A sizing border that sizes the frame in all four directions.
#define MFS_4THICKFRAME 0x00000200L

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
};
