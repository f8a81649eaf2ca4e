#include <toolkit/foundation/SysColorBitmap.h>

#include <afx/SysColors.h>

BOOL LoadSysColorBitmap(CBitmap& bitmap, LPCTSTR lpszResourceName)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hbm = AfxLoadSysColorBitmap(hInst, ::FindResource(hInst, lpszResourceName, RT_BITMAP));
    return hbm != nullptr && bitmap.Attach(hbm);
}
