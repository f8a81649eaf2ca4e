// The record of one menu item that a bitmap menu draws itself, and the records of one menu.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

namespace tarnwick::bars
{
class SECBmpMenuItemInfo : public CObject
{
public:
    // Separators have id -1.
    UINT m_nID = static_cast<UINT>(-1);
    // The item's text as it was: with '&' and an accelerator after a tab.
    CString m_strText;
    TCHAR m_chMnemonic = 0;
    BOOL m_bDefault = FALSE;
};

struct SECBmpMenuInfo
{
    HMENU hMenu = nullptr;
    std::vector<std::unique_ptr<SECBmpMenuItemInfo>> items;

    BOOL Holds(const SECBmpMenuItemInfo* pInfo) const
    {
        for (const auto& item : items)
            if (item.get() == pInfo)
                return TRUE;
        return FALSE;
    }
};
} // namespace tarnwick::bars
