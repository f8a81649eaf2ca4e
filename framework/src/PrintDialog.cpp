// CPrintDialog over the system's print dialog, and printer DCs from device blocks.
#include <afxdlgs.h>
#include <afxpriv.h>

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace
{
// The names a DEVNAMES block holds, as offsets in characters from its start.
CString DevNamesEntry(HGLOBAL hDevNames, WORD DEVNAMES::*pOffset)
{
    if (hDevNames == nullptr)
        return CString();
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames));
    if (pNames == nullptr)
        return CString();
    CString strEntry = reinterpret_cast<LPCTSTR>(pNames) + pNames->*pOffset;
    ::GlobalUnlock(hDevNames);
    return strEntry;
}
} // namespace

HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    const CString strDriver = DevNamesEntry(hDevNames, &DEVNAMES::wDriverOffset);
    const CString strDevice = DevNamesEntry(hDevNames, &DEVNAMES::wDeviceOffset);
    if (strDevice.IsEmpty())
        return nullptr;
    const auto* pDevMode = hDevMode != nullptr ? static_cast<const DEVMODE*>(::GlobalLock(hDevMode)) : nullptr;
    HDC hDC = ::CreateDC(strDriver.IsEmpty() ? nullptr : static_cast<LPCTSTR>(strDriver), strDevice, nullptr,
                         pDevMode);
    if (pDevMode != nullptr)
        ::GlobalUnlock(hDevMode);
    return hDC;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_pd = PRINTDLG{};
    m_pd.lStructSize = sizeof(m_pd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    CModalOwnerLock owner(m_pParentWnd);
    m_pd.hwndOwner = owner.Owner();
    const BOOL bResult = ::PrintDlg(&m_pd);
    owner.Release(nullptr);
    return bResult ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    m_pd.Flags |= PD_RETURNDEFAULT;
    const BOOL bResult = ::PrintDlg(&m_pd);
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    return bResult;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES)
        if (const LPDEVMODE pDevMode = GetDevMode(); pDevMode != nullptr)
        {
            const int nCopies = pDevMode->dmCopies;
            ::GlobalUnlock(m_pd.hDevMode);
            return nCopies;
        }
    return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const
{
    return (m_pd.Flags & PD_COLLATE) != 0;
}

BOOL CPrintDialog::PrintSelection() const
{
    return (m_pd.Flags & PD_SELECTION) != 0;
}

BOOL CPrintDialog::PrintAll() const
{
    return !PrintRange() && !PrintSelection();
}

BOOL CPrintDialog::PrintRange() const
{
    return (m_pd.Flags & PD_PAGENUMS) != 0;
}

BOOL CPrintDialog::PrintToFile() const
{
    return (m_pd.Flags & PD_PRINTTOFILE) != 0;
}

int CPrintDialog::GetFromPage() const
{
    return PrintRange() ? m_pd.nFromPage : -1;
}

int CPrintDialog::GetToPage() const
{
    return PrintRange() ? m_pd.nToPage : -1;
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != nullptr ? static_cast<LPDEVMODE>(::GlobalLock(m_pd.hDevMode)) : nullptr;
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesEntry(m_pd.hDevNames, &DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesEntry(m_pd.hDevNames, &DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesEntry(m_pd.hDevNames, &DEVNAMES::wOutputOffset);
}

HDC CPrintDialog::GetPrinterDC() const
{
    return m_pd.hDC;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC != nullptr)
        ::DeleteDC(m_pd.hDC);
    m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
    return m_pd.hDC;
}
