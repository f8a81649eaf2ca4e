// The printer a grid prints to: a DEVNAMES and a DEVMODE block in global memory and the
// printer DC made from them. All work is done by the application's print-device feature; without
// it every operation does nothing and answers 0.
#pragma once

#include <afx.h>

class CGXAbstractPrintDeviceImp;

class CGXPrintDevice : public CObject
{
    DECLARE_SERIAL(CGXPrintDevice)
public:
    CGXPrintDevice();
    // Frees both blocks and the printer DC.
    ~CGXPrintDevice() override;
    CGXPrintDevice(const CGXPrintDevice&) = delete;
    // Copies the source's blocks.
    CGXPrintDevice& operator=(const CGXPrintDevice& source);

    // A 16-bit version (1), then the DEVNAMES and the DEVMODE block, each as a 32-bit byte count
    // and the bytes; a missing block has count 0.
    void Serialize(CArchive& ar) override;

    // The cached printer DC, made from the blocks (the default printer without them) when missing.
    virtual HDC GetPrinterDC();
    virtual void ResetPrinterDC();

    void CreateDeviceFromBlocks(const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode, DWORD cbDevMode);
    // The blocks become copies of the given DEVNAMES and DEVMODE blocks; CopyDeviceHandles is
    // the same.
    void SetDevice(HGLOBAL hDevNames, HGLOBAL hDevMode);
    void CopyDeviceHandles(HGLOBAL hDevNames, HGLOBAL hDevMode);
    void FreeDevice();
    // New copies of the given blocks (deleted by the caller with delete[]); null and 0 for a missing one.
    void GetDeviceBlocks(HGLOBAL hDevNames, HGLOBAL hDevMode, BYTE*& pDevNames, DWORD& cbDevNames, BYTE*& pDevMode,
                         DWORD& cbDevMode);
    void GetOwnDeviceBlocks(BYTE*& pDevNames, DWORD& cbDevNames, BYTE*& pDevMode, DWORD& cbDevMode);
    void CreateDefaultDevice();
    void EnsureDevice();
    // TRUE when the blocks hold exactly the bytes of the given blocks (a missing one: none).
    BOOL QueryDevice(HGLOBAL hDevNames, HGLOBAL hDevMode);
    // TRUE when the blocks hold exactly these bytes.
    BOOL QueryDeviceEx(const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode, DWORD cbDevMode);

    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    HDC m_hPrintDC = nullptr;
    // The feature installed when the object was made.
    CGXAbstractPrintDeviceImp* const m_pPrintDeviceImp;
};
