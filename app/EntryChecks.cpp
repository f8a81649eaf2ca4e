#include <app/EntryChecks.h>

#include <app/Lumiter5Exception.h>

void SaveEntries(CDialog& dialog)
{
    if (!dialog.UpdateData(TRUE))
        ThrowLumiter5Exception(_T("UpdateData failed during dialog termination."));
}

void RefuseEntry(CDialog& dialog, int nIDC, LPCTSTR lpszMessage)
{
    dialog.GotoDlgCtrl(dialog.GetDlgItem(nIDC));
    ThrowLumiter5Exception(lpszMessage);
}

CString EntryFailureText(CException* e)
{
    if (const auto* pOwn = DYNAMIC_DOWNCAST(CLumiter5Exception, e))
        return pOwn->m_strMessage;
    return ErrorMessageOf(e);
}

void CheckShortHostName(CDialog& dialog, int nIDC, const CString& strName, LPCTSTR lpszMissing, LPCTSTR lpszQualified)
{
    const int nDot = strName.Find(_T('.'));
    if (strName.IsEmpty() || strName == kPlaceholder || nDot == 0)
        RefuseEntry(dialog, nIDC, lpszMissing);
    if (nDot > 0)
        RefuseEntry(dialog, nIDC, lpszQualified);
}
