// A small icon holder: a handle with the size it is drawn at. The caller owns the handle.
#pragma once

#include <afxwin.h>

namespace tarnwick::frames
{
class SECIcon : public CObject
{
    DECLARE_DYNAMIC(SECIcon)
public:
    SECIcon() = default;

    // Takes the handle; its size is twice its hot spot, as an icon's hot spot is its centre.
    void Attach(HICON hIcon);
    HICON GetHandle() const
    {
        return m_hIcon;
    }
    // -1 by -1 until an icon is attached.
    int GetWidth() const
    {
        return m_nWidth;
    }
    int GetHeight() const
    {
        return m_nHeight;
    }

    // From the current resource module at the requested size; FALSE when it cannot be loaded.
    virtual BOOL LoadIcon(UINT nID, int cx, int cy);
    virtual BOOL LoadIcon(LPCTSTR lpszResourceName, int cx, int cy);
    // pBrush: drawn through an off-screen bitmap filled with it, so that it does not flicker.
    virtual BOOL DrawIcon(CDC* pDC, int x, int y, int cx, int cy, CBrush* pBrush = nullptr);
    virtual BOOL DrawIcon(CDC* pDC, int x, int y, CBrush* pBrush = nullptr);

private:
    HICON m_hIcon = nullptr;
    int m_nWidth = -1;
    int m_nHeight = -1;
};
} // namespace tarnwick::frames
