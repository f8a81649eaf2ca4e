#include <grid/core/SysColorBitmap.h>

#include <afx/SysColors.h>

HBITMAP GXLoadSysColorBitmap(HINSTANCE hInstance, UINT nResourceId)
{
    return AfxLoadSysColorBitmap(hInstance, ::FindResourceW(hInstance, MAKEINTRESOURCEW(nResourceId), RT_BITMAP));
}
