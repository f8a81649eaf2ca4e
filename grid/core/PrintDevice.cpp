#include <grid/core/PrintDevice.h>

#include <grid/core/AppData.h>

#include <algorithm>
#include <memory>
#include <vector>

IMPLEMENT_SERIAL(CGXPrintDevice, CObject, 1)

namespace
{
const WORD wPrintDeviceVersion = 1;
// Blocks are read in pieces, so that a damaged count cannot ask for more memory than the data holds.
const UINT nReadChunk = 0x10000;

void StoreBlock(CArchive& ar, const BYTE* pBlock, DWORD cbBlock)
{
    ar << cbBlock;
    ar.Write(pBlock, cbBlock);
}

std::vector<BYTE> LoadBlock(CArchive& ar)
{
    DWORD cbBlock = 0;
    ar >> cbBlock;
    std::vector<BYTE> block;
    while (block.size() < cbBlock)
    {
        const size_t nDone = block.size();
        const UINT nPiece = std::min<UINT>(cbBlock - static_cast<DWORD>(nDone), nReadChunk);
        block.resize(nDone + nPiece);
        ar.EnsureRead(block.data() + nDone, nPiece);
    }
    return block;
}
} // namespace

CGXPrintDevice::CGXPrintDevice() : m_pPrintDeviceImp(GXGetAppDataPtr()->m_pPrintDeviceImp)
{
}

CGXPrintDevice::~CGXPrintDevice()
{
    FreeDevice();
}

CGXPrintDevice& CGXPrintDevice::operator=(const CGXPrintDevice& source)
{
    if (&source != this)
        CopyDeviceHandles(source.m_hDevNames, source.m_hDevMode);
    return *this;
}

void CGXPrintDevice::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        BYTE* pDevNames = nullptr;
        BYTE* pDevMode = nullptr;
        DWORD cbDevNames = 0;
        DWORD cbDevMode = 0;
        GetOwnDeviceBlocks(pDevNames, cbDevNames, pDevMode, cbDevMode);
        const std::unique_ptr<BYTE[]> names(pDevNames);
        const std::unique_ptr<BYTE[]> mode(pDevMode);
        ar << wPrintDeviceVersion;
        StoreBlock(ar, pDevNames, cbDevNames);
        StoreBlock(ar, pDevMode, cbDevMode);
        return;
    }
    WORD wVersion = 0;
    ar >> wVersion;
    if (wVersion != wPrintDeviceVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    const std::vector<BYTE> names = LoadBlock(ar);
    const std::vector<BYTE> mode = LoadBlock(ar);
    CreateDeviceFromBlocks(names.data(), static_cast<DWORD>(names.size()), mode.data(),
                           static_cast<DWORD>(mode.size()));
}

HDC CGXPrintDevice::GetPrinterDC()
{
    return m_pPrintDeviceImp != nullptr ? m_pPrintDeviceImp->GetPrinterDC(this) : nullptr;
}

void CGXPrintDevice::ResetPrinterDC()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->ReleasePrinterDC(this);
}

void CGXPrintDevice::CreateDeviceFromBlocks(const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode,
                                            DWORD cbDevMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->SetDevice(this, pDevNames, cbDevNames, pDevMode, cbDevMode);
}

void CGXPrintDevice::SetDevice(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->SetDeviceFromHandles(this, hDevNames, hDevMode);
}

void CGXPrintDevice::CopyDeviceHandles(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    SetDevice(hDevNames, hDevMode);
}

void CGXPrintDevice::FreeDevice()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->FreeDevice(this);
}

void CGXPrintDevice::GetDeviceBlocks(HGLOBAL hDevNames, HGLOBAL hDevMode, BYTE*& pDevNames, DWORD& cbDevNames,
                                     BYTE*& pDevMode, DWORD& cbDevMode)
{
    pDevNames = nullptr;
    pDevMode = nullptr;
    cbDevNames = 0;
    cbDevMode = 0;
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->GetDeviceBlocks(this, hDevNames, hDevMode, pDevNames, cbDevNames, pDevMode, cbDevMode);
}

void CGXPrintDevice::GetOwnDeviceBlocks(BYTE*& pDevNames, DWORD& cbDevNames, BYTE*& pDevMode, DWORD& cbDevMode)
{
    GetDeviceBlocks(m_hDevNames, m_hDevMode, pDevNames, cbDevNames, pDevMode, cbDevMode);
}

void CGXPrintDevice::CreateDefaultDevice()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->CreateDefaultDevice(this);
}

void CGXPrintDevice::EnsureDevice()
{
    if (m_hDevNames == nullptr)
        CreateDefaultDevice();
}

BOOL CGXPrintDevice::QueryDevice(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (m_pPrintDeviceImp == nullptr)
        return FALSE;
    BYTE* pDevNames = nullptr;
    BYTE* pDevMode = nullptr;
    DWORD cbDevNames = 0;
    DWORD cbDevMode = 0;
    GetDeviceBlocks(hDevNames, hDevMode, pDevNames, cbDevNames, pDevMode, cbDevMode);
    const std::unique_ptr<BYTE[]> names(pDevNames);
    const std::unique_ptr<BYTE[]> mode(pDevMode);
    return QueryDeviceEx(pDevNames, cbDevNames, pDevMode, cbDevMode);
}

BOOL CGXPrintDevice::QueryDeviceEx(const BYTE* pDevNames, DWORD cbDevNames, const BYTE* pDevMode, DWORD cbDevMode)
{
    return m_pPrintDeviceImp != nullptr
               ? m_pPrintDeviceImp->CompareDevice(this, pDevNames, cbDevNames, pDevMode, cbDevMode)
               : FALSE;
}
