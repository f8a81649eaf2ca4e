// CGXClipboardText: each call opens the clipboard through a scope of its own.
#include <grid/controls/ClipboardText.h>

#include <afxadv.h>

namespace
{
// The text and its terminator in a shared block, handed to the open clipboard.
BOOL SetText(const CString& strText, UINT nFormat)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT, 4096);
    file.Write(static_cast<LPCTSTR>(strText), static_cast<UINT>((strText.GetLength() + 1) * sizeof(TCHAR)));
    return CGXClipboardScope::SetData(nFormat, file.Detach());
}
} // namespace

BOOL CGXClipboardText::Read(CWnd* pOwner, CString& strText, UINT nFormat)
{
    strText.Empty();
    const CGXClipboardScope clipboard(pOwner);
    if (!clipboard)
        return FALSE;
    HANDLE hText = ::GetClipboardData(nFormat);
    if (hText == nullptr)
        return FALSE;
    const auto* pszText = static_cast<LPCWSTR>(::GlobalLock(hText));
    if (pszText == nullptr)
        return FALSE;
    // The block may lack its terminator: read no further than it reaches.
    strText = CString(pszText, static_cast<int>(wcsnlen(pszText, ::GlobalSize(hText) / sizeof(WCHAR))));
    ::GlobalUnlock(hText);
    return TRUE;
}

BOOL CGXClipboardText::Write(CWnd* pOwner, const CString& strText)
{
    const CGXClipboardScope clipboard(pOwner);
    if (!clipboard)
        return FALSE;
    ::EmptyClipboard();
    return SetText(strText, CF_UNICODETEXT);
}

BOOL CGXClipboardText::Add(CWnd* pOwner, const CString& strText, UINT nFormat)
{
    const CGXClipboardScope clipboard(pOwner);
    return clipboard && SetText(strText, nFormat);
}

BOOL CGXClipboardText::Clear(CWnd* pOwner)
{
    const CGXClipboardScope clipboard(pOwner);
    return clipboard && ::EmptyClipboard();
}

BOOL CGXClipboardText::HasText(CWnd* pOwner)
{
    const CGXClipboardScope clipboard(pOwner);
    return clipboard && (::IsClipboardFormatAvailable(CF_UNICODETEXT) || ::IsClipboardFormatAvailable(CF_TEXT));
}
