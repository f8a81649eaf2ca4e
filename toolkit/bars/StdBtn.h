// Toolbar buttons: the plain image button and the separator. A button knows its place, style
// and state bits, hit-tests points, reacts to presses and releases, takes part in command
// update, and draws itself through a fixed pipeline of overridable steps.
#pragma once

#include <afxwin.h>
#include <toolkit/foundation/ThemeHandle.h>
#include <uxtheme.h>

namespace tarnwick::bars
{
class SECBtnDrawData;
class SECCustomToolBar;
class SECStdBtn;

// Button style bits; the low 16 bits are the common controls' button style byte and the
// next 8 its state byte.
constexpr UINT TBBS_SEPARATOR = 0x1;
constexpr UINT TBBS_CHECKBOX = 0x2;
constexpr UINT TBBS_CHECKED = 0x10000;
constexpr UINT TBBS_PRESSED = 0x20000;
constexpr UINT TBBS_DISABLED = 0x40000;
constexpr UINT TBBS_HIDDEN = 0x80000;
constexpr UINT TBBS_INDETERMINATE = 0x100000;
constexpr UINT TBBS_WRAPPED = 0x200000;
constexpr UINT TBBS_CUSTOMISE = 0x1000000;
constexpr UINT TBBS_HOT = 0x2000000;
constexpr UINT TBBS_NOUPDATE = 0x10000000;
constexpr UINT TBBS_VCENTER = 0x20000000;

// The five words a button map hands a new button.
using SECBtnParams = UINT_PTR[5];

// The factory entry of a button class: the function that makes a new button object.
struct SECButtonClass
{
    SECStdBtn* (*pfnCreateButton)();
};

// One entry of a button map: the class to make for a command, its style and parameters; a
// table ends with an entry whose class is null.
struct SECBtnMapEntry
{
    const SECButtonClass* pClass;
    UINT nID;
    UINT nStyle;
    SECBtnParams params;
};

class SECStdBtn
{
public:
    enum Kind
    {
        KindPlain = 0,
        KindMenu = 3,
        KindCapMenu = 4,
        KindFrameControl = 5
    };
    static const SECButtonClass classStdBtn;

    SECStdBtn();
    virtual ~SECStdBtn();
    SECStdBtn(const SECStdBtn&) = delete;
    SECStdBtn& operator=(const SECStdBtn&) = delete;

    virtual void SetVertical(BOOL bVertical);
    virtual void SetStyle(UINT nStyle);
    virtual UINT GetStyle() const;
    // All the given bits set.
    virtual BOOL HasStyle(UINT nStyle) const;
    virtual void SetPos(int x, int y);
    virtual void Invalidate(BOOL bErase = FALSE) const;
    virtual void Init(SECCustomToolBar* pToolBar, const UINT_PTR* pParams);
    virtual BOOL CanDrag() const;
    virtual void Draw(CDC& dc, SECBtnDrawData& data);
    // FALSE when the button refuses the press (disabled).
    virtual BOOL OnLButtonDown(int x, int y);
    virtual void OnMouseMove(int x, int y);
    virtual void CancelPress();
    // The command to send, or 0 for a release outside the button.
    virtual UINT OnLButtonUp(int x, int y);
    virtual void OnReserved1();
    virtual void OnReserved2();
    virtual INT_PTR OnToolHitTest(int x, int y, TOOLINFO* pTI) const;
    // Code 1: the style becomes (style & ~nClear) | nSet.
    virtual void OnUpdate(UINT nCode, UINT nSet, UINT nClear);
    virtual void AdjustSize();
    virtual void GetExtraData(BYTE& nLength, BYTE*& pData) const;
    virtual void SetExtraData(BYTE nLength, const BYTE* pData);
    virtual void OnKeyboardEvent(UINT nCode, int x, int y);
    // The theme changed: the theme data the button keeps is closed.
    virtual void OnThemeChanged();

    CRect GetRect() const
    {
        return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy);
    }
    // Inside, edges included.
    BOOL PtInButton(int x, int y) const
    {
        return x >= m_x && x <= m_x + m_cx && y >= m_y && y <= m_y + m_cy;
    }

    UINT m_nID;
    int m_nImage;
    UINT m_nStyle;
    int m_x;
    int m_y;
    int m_cx;
    int m_cy;
    int m_nType;
    SECCustomToolBar* m_pToolBar;
    foundation::SECThemeHandle m_theme{L"Toolbar"};
    BOOL m_bVertical;

protected:
    virtual void DrawFace(SECBtnDrawData& data, BOOL bCustomise, CRect& rect);
    virtual void DrawDisabled(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage);
    virtual void DrawChecked(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage);
    virtual void DrawIndeterminate(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage);
    virtual void DrawSelectionFrame(SECBtnDrawData& data);
    // The command's bitmap into the image DC; FALSE when there is none.
    virtual BOOL SelectImage(SECBtnDrawData& data, int& nImage);
    virtual BOOL DrawSeparator(CDC& dc);
    virtual void DrawState(SECBtnDrawData& data);
    // A mask of the image's cell that is 1 where the image shows its background colour.
    virtual void MakeMask(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage);
    virtual void BlendMask(SECBtnDrawData& data, const CPoint& ptImage, const CSize& sizeImage);
    virtual void DrawCustomiseMark(SECBtnDrawData& data);
    virtual void CopyToScreen(CDC& dc, SECBtnDrawData& data);

public:
    virtual const SECButtonClass* GetFactory() const;

protected:
    // The image's background: the draw data's colour, else the image's top-left pixel in
    // deep bitmaps, else light grey.
    COLORREF ImageBkColor(SECBtnDrawData& data) const;
    int m_nImageSource;
};

// A gap between groups of buttons: it sends no command.
inline bool IsSeparator(const SECStdBtn* pBtn)
{
    return (pBtn->m_nStyle & TBBS_SEPARATOR) != 0;
}
} // namespace tarnwick::bars
