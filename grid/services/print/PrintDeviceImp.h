// The print-device feature's work on the DEVNAMES and DEVMODE blocks: copies in movable global
// memory, comparison, the default printer and the printer DC, and the print dialogs that start
// from the device's printer instead of the application's.
#pragma once

#include <grid/core/AbstractImps.h>

class CGXPrintDeviceImp : public CGXAbstractPrintDeviceImp
{
public:
    // The application's printer becomes a copy of the device's.
    void CopyToAppPrinter(CGXPrintDevice* pDevice) override;
    // The application's print dialog on the device's printer (the default printer when the
    // device has none); OK stores the chosen printer in the device, Cancel keeps it. The
    // application's own printer is unchanged.
    void DoPrintSetup(CGXPrintDevice* pDevice, CPrintDialog* pDialog) override;
    // The view's print preparation; with a device it starts from the device's printer and a
    // printer or settings chosen there are stored in the device. FALSE without a view or when the
    // user cancels.
    BOOL DoPreparePrinting(CGXPrintDevice* pDevice, CView* pView, CPrintInfo* pInfo) override;
    // Stores copies of both blocks (SetDevice).
    void SetDeviceFromHandles(CGXPrintDevice* pDevice, HGLOBAL hDevNames, HGLOBAL hDevMode) override;
    // Replaces both blocks by new ones holding these bytes (none for size 0) and releases the
    // printer DC. On failed memory the device keeps its blocks and CMemoryException is thrown.
    void SetDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode,
                   DWORD cbDevMode) override;
    // Releases the printer DC and frees both blocks.
    void FreeDevice(CGXPrintDevice* pDevice) override;
    void GetDeviceBlocks(CGXPrintDevice* pDevice, HGLOBAL hDevNames, HGLOBAL hDevMode, BYTE*& pDevNames,
                         DWORD& cbDevNames, BYTE*& pDevMode, DWORD& cbDevMode) override;
    // Takes the default printer, with TrueType fonts printed as graphics; without one the device
    // is unchanged.
    void CreateDefaultDevice(CGXPrintDevice* pDevice) override;
    // Made once from the blocks; null when they do not describe a printer that can be opened.
    HDC GetPrinterDC(CGXPrintDevice* pDevice) override;
    void ReleasePrinterDC(CGXPrintDevice* pDevice) override;
    // New global blocks with copies (null for a missing block); CMemoryException on failed memory.
    void CopyDeviceToHandles(CGXPrintDevice* pDevice, HGLOBAL& hDevNames, HGLOBAL& hDevMode) override;
    BOOL IsSameDevice(CGXPrintDevice* pDevice, CGXPrintDevice* pOther) override;
    // TRUE when both blocks have exactly these sizes and bytes; a missing block has size 0.
    BOOL CompareDevice(CGXPrintDevice* pDevice, const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode,
                       DWORD cbDevMode) override;
};

// Makes the application's print-device feature unless one is installed.
void GXInstallPrintDeviceImp();
