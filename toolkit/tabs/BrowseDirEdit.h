// A browse edit for a directory: the "..." button opens the directory chooser at the edit's
// directory, and a chosen directory, ending in a backslash, replaces the text.
#pragma once

#include "BrowseEditBase.h"

namespace tarnwick::tabs
{
class SECBrowseDirEdit : public SECBrowseEditBase
{
    DECLARE_DYNAMIC(SECBrowseDirEdit)
public:
    SECBrowseDirEdit();

    void OnBrowse() override;

    // The text as a directory to start at: a drive root or an existing directory; empty for
    // anything else.
    static CString InitialDirectory(CString strText);

private:
    WORD m_wMode; // SECDirSelectDlg's mode flags
};
} // namespace tarnwick::tabs
