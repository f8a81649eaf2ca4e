#include <grid/services/print/PrintDeviceImp.h>

#include <afxdlgs.h>
#include <afxext.h>

#include <grid/core/AppData.h>
#include <grid/core/PrintDevice.h>
#include <grid/services/ControlFactory.h>

#include <commdlg.h>

#include <cstddef>
#include <cstring>
#include <cwchar>

namespace
{
const UINT nBlockFlags = GMEM_MOVEABLE | GMEM_DISCARDABLE;
const DWORD dwDefaultPrinterFlags = PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_HIDEPRINTTOFILE;

// A global block locked for the lifetime of the object; a null handle gives no bytes.
class CLockedBlock
{
public:
    explicit CLockedBlock(HGLOBAL hBlock)
        : m_hBlock(hBlock), m_pBytes(hBlock != nullptr ? static_cast<BYTE*>(GlobalLock(hBlock)) : nullptr),
          m_cbBytes(m_pBytes != nullptr ? static_cast<DWORD>(GlobalSize(hBlock)) : 0)
    {
    }
    ~CLockedBlock()
    {
        if (m_pBytes != nullptr)
            GlobalUnlock(m_hBlock);
    }
    CLockedBlock(const CLockedBlock&) = delete;
    CLockedBlock& operator=(const CLockedBlock&) = delete;

    BYTE* GetBytes() const
    {
        return m_pBytes;
    }
    DWORD GetSize() const
    {
        return m_cbBytes;
    }
    BOOL Equals(const BYTE* pBytes, DWORD cbBytes) const
    {
        return cbBytes == m_cbBytes && (cbBytes == 0 || memcmp(pBytes, m_pBytes, cbBytes) == 0);
    }
    BYTE* Copy() const
    {
        if (m_cbBytes == 0)
            return nullptr;
        BYTE* pCopy = new BYTE[m_cbBytes];
        memcpy(pCopy, m_pBytes, m_cbBytes);
        return pCopy;
    }

private:
    HGLOBAL m_hBlock;
    BYTE* m_pBytes;
    DWORD m_cbBytes;
};

// A new block with a copy of the bytes; null for no bytes or when memory fails.
HGLOBAL NewBlock(const BYTE* pBytes, DWORD cbBytes)
{
    if (cbBytes == 0)
        return nullptr;
    HGLOBAL hBlock = GlobalAlloc(nBlockFlags, cbBytes);
    if (hBlock == nullptr)
        return nullptr;
    if (void* pTarget = GlobalLock(hBlock))
    {
        memcpy(pTarget, pBytes, cbBytes);
        GlobalUnlock(hBlock);
        return hBlock;
    }
    GlobalFree(hBlock);
    return nullptr;
}

void FreeBlock(HGLOBAL& hBlock)
{
    if (hBlock != nullptr)
        GlobalFree(hBlock);
    hBlock = nullptr;
}

// Both copies or, when memory fails for one of them, none and CMemoryException.
void NewBlocks(const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode, DWORD cbDevMode, HGLOBAL& hDevNames,
               HGLOBAL& hDevMode)
{
    HGLOBAL hNewNames = NewBlock(pDevNames, cbDevNames);
    HGLOBAL hNewMode = NewBlock(pDevMode, cbDevMode);
    if ((cbDevNames != 0 && hNewNames == nullptr) || (cbDevMode != 0 && hNewMode == nullptr))
    {
        FreeBlock(hNewNames);
        FreeBlock(hNewMode);
        AfxThrowMemoryException();
    }
    hDevNames = hNewNames;
    hDevMode = hNewMode;
}

// The text at a DEVNAMES offset, or null when it does not end inside the block.
LPCWSTR DevNamesText(const CLockedBlock& names, WORD wOffsetInChars)
{
    const size_t nChars = names.GetSize() / sizeof(WCHAR);
    if (wOffsetInChars >= nChars)
        return nullptr;
    LPCWSTR pszText = reinterpret_cast<LPCWSTR>(names.GetBytes()) + wOffsetInChars;
    return wmemchr(pszText, L'\0', nChars - wOffsetInChars) != nullptr ? pszText : nullptr;
}

// A DEVMODE whose stated sizes fit in the block, or null.
const DEVMODEW* CheckedDevMode(const CLockedBlock& mode)
{
    const DWORD cbMinimum = offsetof(DEVMODEW, dmFields) + sizeof(DWORD);
    if (mode.GetSize() < cbMinimum)
        return nullptr;
    const DEVMODEW* pDevMode = reinterpret_cast<const DEVMODEW*>(mode.GetBytes());
    const DWORD cbStated = static_cast<DWORD>(pDevMode->dmSize) + pDevMode->dmDriverExtra;
    return pDevMode->dmSize >= cbMinimum && cbStated <= mode.GetSize() ? pDevMode : nullptr;
}
// The device's printer lent to the application for the life of the object: a copy becomes the
// application's printer, and afterwards the application's own blocks come back and whatever it
// holds then (the copy, or the blocks a dialog put in its place) is freed.
class CAppPrinterLoan
{
public:
    CAppPrinterLoan(CGXPrintDeviceImp& imp, CGXPrintDevice* pDevice)
        : m_pApp(AfxGetApp()), m_hOwnNames(m_pApp->m_hDevNames), m_hOwnMode(m_pApp->m_hDevMode)
    {
        HGLOBAL hNames = nullptr;
        HGLOBAL hMode = nullptr;
        imp.CopyDeviceToHandles(pDevice, hNames, hMode);
        m_pApp->SelectPrinter(hNames, hMode, FALSE);
    }
    ~CAppPrinterLoan()
    {
        FreeBlock(m_pApp->m_hDevNames);
        FreeBlock(m_pApp->m_hDevMode);
        m_pApp->SelectPrinter(m_hOwnNames, m_hOwnMode, FALSE);
    }
    CAppPrinterLoan(const CAppPrinterLoan&) = delete;
    CAppPrinterLoan& operator=(const CAppPrinterLoan&) = delete;

    CWinApp* App() const
    {
        return m_pApp;
    }

private:
    CWinApp* m_pApp;
    HGLOBAL m_hOwnNames;
    HGLOBAL m_hOwnMode;
};
} // namespace

void CGXPrintDeviceImp::CopyToAppPrinter(CGXPrintDevice* pDevice)
{
    HGLOBAL hNames = nullptr;
    HGLOBAL hMode = nullptr;
    CopyDeviceToHandles(pDevice, hNames, hMode);
    AfxGetApp()->SelectPrinter(hNames, hMode, TRUE);
}

void CGXPrintDeviceImp::DoPrintSetup(CGXPrintDevice* pDevice, CPrintDialog* pDialog)
{
    pDevice->EnsureDevice();
    CAppPrinterLoan loan(*this, pDevice);
    if (loan.App()->DoPrintDialog(pDialog) == IDOK)
        SetDeviceFromHandles(pDevice, pDialog->m_pd.hDevNames, pDialog->m_pd.hDevMode);
    // The dialog's blocks are the loan's, freed with it.
    pDialog->m_pd.hDevNames = nullptr;
    pDialog->m_pd.hDevMode = nullptr;
}

BOOL CGXPrintDeviceImp::DoPreparePrinting(CGXPrintDevice* pDevice, CView* pView, CPrintInfo* pInfo)
{
    if (pView == nullptr)
        return FALSE;
    if (pDevice == nullptr)
        return pView->DoPreparePrinting(pInfo);
    pDevice->EnsureDevice();
    CAppPrinterLoan loan(*this, pDevice);
    const BOOL bPrepared = pView->DoPreparePrinting(pInfo);
    const CLockedBlock names(loan.App()->m_hDevNames);
    const CLockedBlock mode(loan.App()->m_hDevMode);
    if (bPrepared && !CompareDevice(pDevice, names.GetBytes(), names.GetSize(), mode.GetBytes(), mode.GetSize()))
        SetDevice(pDevice, names.GetBytes(), names.GetSize(), mode.GetBytes(), mode.GetSize());
    // The print dialog's blocks are the loan's, freed with it.
    pInfo->m_pPD->m_pd.hDevNames = nullptr;
    pInfo->m_pPD->m_pd.hDevMode = nullptr;
    return bPrepared;
}

void CGXPrintDeviceImp::SetDeviceFromHandles(CGXPrintDevice* pDevice, HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    const CLockedBlock names(hDevNames);
    const CLockedBlock mode(hDevMode);
    SetDevice(pDevice, names.GetBytes(), names.GetSize(), mode.GetBytes(), mode.GetSize());
}

void CGXPrintDeviceImp::SetDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames,
                                  const BYTE* pDevMode, DWORD cbDevMode)
{
    // Copy before freeing: the bytes may be the device's own blocks, and failed memory must
    // leave the device as it was.
    HGLOBAL hNewNames = nullptr;
    HGLOBAL hNewMode = nullptr;
    NewBlocks(pDevNames, cbDevNames, pDevMode, cbDevMode, hNewNames, hNewMode);
    FreeDevice(pDevice);
    pDevice->m_hDevNames = hNewNames;
    pDevice->m_hDevMode = hNewMode;
}

void CGXPrintDeviceImp::FreeDevice(CGXPrintDevice* pDevice)
{
    ReleasePrinterDC(pDevice);
    FreeBlock(pDevice->m_hDevNames);
    FreeBlock(pDevice->m_hDevMode);
}

void CGXPrintDeviceImp::GetDeviceBlocks(CGXPrintDevice* /*pDevice*/, HGLOBAL hDevNames, HGLOBAL hDevMode,
                                        BYTE*& pDevNames, DWORD& cbDevNames, BYTE*& pDevMode, DWORD& cbDevMode)
{
    const CLockedBlock names(hDevNames);
    const CLockedBlock mode(hDevMode);
    pDevNames = names.Copy();
    cbDevNames = names.GetSize();
    pDevMode = mode.Copy();
    cbDevMode = mode.GetSize();
}

void CGXPrintDeviceImp::CreateDefaultDevice(CGXPrintDevice* pDevice)
{
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.Flags = dwDefaultPrinterFlags | PD_RETURNDEFAULT;
    if (!PrintDlgW(&dialog))
        return;
    if (DEVMODEW* pDevMode = static_cast<DEVMODEW*>(GlobalLock(dialog.hDevMode)))
    {
        pDevMode->dmTTOption = DMTT_BITMAP;
        GlobalUnlock(dialog.hDevMode);
    }
    // The dialog's blocks are new movable blocks: the device takes them over.
    FreeDevice(pDevice);
    pDevice->m_hDevNames = dialog.hDevNames;
    pDevice->m_hDevMode = dialog.hDevMode;
}

HDC CGXPrintDeviceImp::GetPrinterDC(CGXPrintDevice* pDevice)
{
    if (pDevice->m_hPrintDC != nullptr)
        return pDevice->m_hPrintDC;
    pDevice->EnsureDevice();
    const CLockedBlock names(pDevice->m_hDevNames);
    if (names.GetSize() < sizeof(DEVNAMES))
        return nullptr;
    const DEVNAMES* pDevNames = reinterpret_cast<const DEVNAMES*>(names.GetBytes());
    LPCWSTR pszDriver = DevNamesText(names, pDevNames->wDriverOffset);
    LPCWSTR pszDevice = DevNamesText(names, pDevNames->wDeviceOffset);
    LPCWSTR pszOutput = DevNamesText(names, pDevNames->wOutputOffset);
    const CLockedBlock mode(pDevice->m_hDevMode);
    const DEVMODEW* pDevMode = CheckedDevMode(mode);
    if (pszDriver == nullptr || pszDevice == nullptr || pszOutput == nullptr ||
        (pDevice->m_hDevMode != nullptr && pDevMode == nullptr))
        return nullptr;
    pDevice->m_hPrintDC = CreateDCW(pszDriver, pszDevice, pszOutput, pDevMode);
    return pDevice->m_hPrintDC;
}

void CGXPrintDeviceImp::ReleasePrinterDC(CGXPrintDevice* pDevice)
{
    if (pDevice->m_hPrintDC != nullptr)
        DeleteDC(pDevice->m_hPrintDC);
    pDevice->m_hPrintDC = nullptr;
}

void CGXPrintDeviceImp::CopyDeviceToHandles(CGXPrintDevice* pDevice, HGLOBAL& hDevNames, HGLOBAL& hDevMode)
{
    const CLockedBlock names(pDevice->m_hDevNames);
    const CLockedBlock mode(pDevice->m_hDevMode);
    NewBlocks(names.GetBytes(), names.GetSize(), mode.GetBytes(), mode.GetSize(), hDevNames, hDevMode);
}

BOOL CGXPrintDeviceImp::IsSameDevice(CGXPrintDevice* pDevice, CGXPrintDevice* pOther)
{
    const CLockedBlock names(pOther->m_hDevNames);
    const CLockedBlock mode(pOther->m_hDevMode);
    return CompareDevice(pDevice, names.GetBytes(), names.GetSize(), mode.GetBytes(), mode.GetSize());
}

BOOL CGXPrintDeviceImp::CompareDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames,
                                      const BYTE* pDevMode, DWORD cbDevMode)
{
    const CLockedBlock names(pDevice->m_hDevNames);
    const CLockedBlock mode(pDevice->m_hDevMode);
    return names.Equals(pDevNames, cbDevNames) && mode.Equals(pDevMode, cbDevMode);
}

void GXInstallPrintDeviceImp()
{
    GXInstallImp<CGXPrintDeviceImp>(GXGetAppDataPtr()->m_pPrintDeviceImp);
}
