#include <grid/core/AppData.h>
#include <grid/core/PrintDevice.h>
#include <grid/services/print/PrintDeviceImp.h>

#include <gtest/gtest.h>

#include <commdlg.h>

#include <cstddef>
#include <memory>
#include <utility>

#include "ArchiveBytes.h"

namespace
{
// The dialog operations are not reached by the device object.
class CBlocksOnlyPrintDeviceImp : public CGXPrintDeviceImp
{
public:
    void CopyToAppPrinter(CGXPrintDevice*) override
    {
        ADD_FAILURE();
    }
    void DoPrintSetup(CGXPrintDevice*, CPrintDialog*) override
    {
        ADD_FAILURE();
    }
    BOOL DoPreparePrinting(CGXPrintDevice*, CView*, CPrintInfo*) override
    {
        ADD_FAILURE();
        return FALSE;
    }
};

class PrintDeviceTest : public testing::Test
{
protected:
    // The library's own feature, when another test started it, comes back afterwards.
    void SetUp() override
    {
        m_pLibraryImp = GXGetAppDataPtr()->m_pPrintDeviceImp;
        GXGetAppDataPtr()->m_pPrintDeviceImp = new CBlocksOnlyPrintDeviceImp;
    }
    void TearDown() override
    {
        delete GXGetAppDataPtr()->m_pPrintDeviceImp;
        GXGetAppDataPtr()->m_pPrintDeviceImp = m_pLibraryImp;
    }

    CGXAbstractPrintDeviceImp* m_pLibraryImp = nullptr;
};

Bytes Utf16z(LPCWSTR text)
{
    Bytes result;
    for (; *text != 0; ++text)
        result.insert(result.end(), {static_cast<BYTE>(*text), static_cast<BYTE>(*text >> 8)});
    return Join({result, Word(0)});
}

// DEVNAMES: four 16-bit fields (three offsets in characters, the default flag), then the texts.
Bytes DevNames(LPCWSTR driver, LPCWSTR device, LPCWSTR output)
{
    const WORD wDriver = 4;
    const WORD wDevice = static_cast<WORD>(wDriver + wcslen(driver) + 1);
    const WORD wOutput = static_cast<WORD>(wDevice + wcslen(device) + 1);
    return Join({Word(wDriver), Word(wDevice), Word(wOutput), Word(0), Utf16z(driver), Utf16z(device), Utf16z(output)});
}

// DEVMODEW: 32 name characters, the structure version, driver version, size, driver-extra size, fields,
// then zeros up to the stated size.
Bytes DevMode(LPCWSTR name, WORD wSize, WORD wDriverExtra)
{
    Bytes nameField = Utf16z(name);
    nameField.resize(64, 0);
    Bytes result = Join({nameField, Word(0x0401), Word(0), Word(wSize), Word(wDriverExtra), DWord(0)});
    result.resize(static_cast<size_t>(wSize) + wDriverExtra, 0);
    return result;
}

const Bytes displayNames = DevNames(L"DISPLAY", L"DISPLAY", L"");
const Bytes displayMode = DevMode(L"DISPLAY", 220, 0);

void SetBlocks(CGXPrintDevice& device, const Bytes& names, const Bytes& mode)
{
    device.CreateDeviceFromBlocks(names.data(), static_cast<DWORD>(names.size()), mode.data(),
                                  static_cast<DWORD>(mode.size()));
}

BOOL HasBlocks(CGXPrintDevice& device, const Bytes& names, const Bytes& mode)
{
    return device.QueryDeviceEx(names.data(), static_cast<DWORD>(names.size()), mode.data(),
                                static_cast<DWORD>(mode.size()));
}

Bytes BlockBytes(HGLOBAL hBlock)
{
    const BYTE* pBytes = static_cast<const BYTE*>(GlobalLock(hBlock));
    Bytes result(pBytes, pBytes + GlobalSize(hBlock));
    GlobalUnlock(hBlock);
    return result;
}

// Takes the application's print-device feature away while it lives.
class NoPrintDeviceFeature
{
public:
    NoPrintDeviceFeature() : m_pImp(std::exchange(GXGetAppDataPtr()->m_pPrintDeviceImp, nullptr))
    {
    }
    ~NoPrintDeviceFeature()
    {
        GXGetAppDataPtr()->m_pPrintDeviceImp = m_pImp;
    }
    NoPrintDeviceFeature(const NoPrintDeviceFeature&) = delete;
    NoPrintDeviceFeature& operator=(const NoPrintDeviceFeature&) = delete;

private:
    CGXAbstractPrintDeviceImp* m_pImp;
};

TEST(PrintDevice, WithoutTheFeatureEveryOperationDoesNothing)
{
    const NoPrintDeviceFeature noFeature;
    CGXPrintDevice device;
    SetBlocks(device, displayNames, displayMode);
    EXPECT_EQ(device.m_hDevNames, nullptr);
    EXPECT_EQ(device.GetPrinterDC(), nullptr);
    EXPECT_FALSE(HasBlocks(device, {}, {}));
    const Bytes record = Join({Word(1), DWord(2), Bytes{1, 2}, DWord(0)});
    Loaded(record, [&](CArchive& ar) { device.Serialize(ar); });
    EXPECT_EQ(device.m_hDevNames, nullptr);
    EXPECT_EQ(Stored([&](CArchive& ar) { device.Serialize(ar); }), Join({Word(1), DWord(0), DWord(0)}));
}

TEST(PrintDevice, IsDynamicallyCreatable)
{
    std::unique_ptr<CObject> pObject(RUNTIME_CLASS(CGXPrintDevice)->CreateObject());
    ASSERT_NE(pObject, nullptr);
    EXPECT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CGXPrintDevice)));
    EXPECT_STREQ(RUNTIME_CLASS(CGXPrintDevice)->m_lpszClassName, "CGXPrintDevice");
}

TEST_F(PrintDeviceTest, ADeviceWithoutPrinterStoresTenBytesAndLoadsBackEmpty)
{
    CGXPrintDevice device;
    const Bytes empty = Join({Word(1), DWord(0), DWord(0)});
    EXPECT_EQ(Stored([&](CArchive& ar) { device.Serialize(ar); }), empty);

    CGXPrintDevice loaded;
    SetBlocks(loaded, displayNames, displayMode);
    Loaded(empty, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.m_hDevNames, nullptr);
    EXPECT_EQ(loaded.m_hDevMode, nullptr);
}

TEST_F(PrintDeviceTest, StoresAndLoadsBothBlocks)
{
    const Bytes names{8, 0, 9, 0, 10, 0, 0, 0, 'A', 0};
    const Bytes mode{1, 2, 3};
    const Bytes record = Join({Word(1), DWord(10), names, DWord(3), mode});

    CGXPrintDevice device;
    SetBlocks(device, names, mode);
    EXPECT_EQ(Stored([&](CArchive& ar) { device.Serialize(ar); }), record);

    CGXPrintDevice loaded;
    Loaded(record, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(BlockBytes(loaded.m_hDevNames), names);
    EXPECT_EQ(BlockBytes(loaded.m_hDevMode), mode);

    // Only the names block.
    CGXPrintDevice namesOnly;
    Loaded(Join({Word(1), DWord(10), names, DWord(0)}), [&](CArchive& ar) { namesOnly.Serialize(ar); });
    EXPECT_TRUE(HasBlocks(namesOnly, names, {}));
    EXPECT_EQ(namesOnly.m_hDevMode, nullptr);
}

TEST_F(PrintDeviceTest, ABadRecordRaisesAndKeepsTheBlocks)
{
    const struct
    {
        Bytes record;
        int nCause;
    } cases[] = {
        {Join({Word(0), DWord(0), DWord(0)}), CArchiveException::badSchema},
        {Join({Word(2), DWord(0), DWord(0)}), CArchiveException::badSchema},
        {Join({Word(0xFFFF), DWord(0), DWord(0)}), CArchiveException::badSchema},
        {Join({Word(1), DWord(1000), Bytes(10, 7)}), CArchiveException::endOfFile},
        {Join({Word(1), DWord(0xFFFFFFFF), Bytes(10, 7)}), CArchiveException::endOfFile},
        {Join({Word(1), DWord(2), Bytes{1, 2}, DWord(0x7FFFFFFF)}), CArchiveException::endOfFile},
        {Join({Word(1), DWord(2), Bytes{1, 2}}), CArchiveException::endOfFile},
    };
    for (const auto& c : cases)
    {
        CGXPrintDevice device;
        SetBlocks(device, displayNames, displayMode);
        EXPECT_EQ(ArchiveCause([&] { Loaded(c.record, [&](CArchive& ar) { device.Serialize(ar); }); }), c.nCause);
        EXPECT_TRUE(HasBlocks(device, displayNames, displayMode));
    }
}

TEST_F(PrintDeviceTest, ComparesSizesAndBytesOfBothBlocks)
{
    CGXPrintDevice device;
    SetBlocks(device, displayNames, displayMode);
    Bytes otherNames = displayNames;
    otherNames.back() = 1;
    Bytes shorterMode = displayMode;
    shorterMode.pop_back();
    const struct
    {
        Bytes names;
        Bytes mode;
        BOOL bSame;
    } cases[] = {
        {displayNames, displayMode, TRUE}, {otherNames, displayMode, FALSE}, {displayNames, shorterMode, FALSE},
        {displayNames, {}, FALSE},         {{}, displayMode, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasBlocks(device, c.names, c.mode), c.bSame);

    CGXPrintDevice empty;
    EXPECT_TRUE(HasBlocks(empty, {}, {}));
    EXPECT_FALSE(HasBlocks(empty, displayNames, {}));
}

// Global blocks of the bytes, freed with the holder; an empty one is no block.
class GlobalBlocks
{
public:
    GlobalBlocks(const Bytes& names, const Bytes& mode) : m_hNames(Block(names)), m_hMode(Block(mode))
    {
    }
    ~GlobalBlocks()
    {
        for (HGLOBAL hBlock : {m_hNames, m_hMode})
            if (hBlock != nullptr)
                GlobalFree(hBlock);
    }
    GlobalBlocks(const GlobalBlocks&) = delete;
    GlobalBlocks& operator=(const GlobalBlocks&) = delete;

    const HGLOBAL m_hNames;
    const HGLOBAL m_hMode;

private:
    static HGLOBAL Block(const Bytes& bytes)
    {
        if (bytes.empty())
            return nullptr;
        HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        memcpy(GlobalLock(hBlock), bytes.data(), bytes.size());
        GlobalUnlock(hBlock);
        return hBlock;
    }
};

TEST_F(PrintDeviceTest, SetsAndQueriesTheDeviceByBlockHandles)
{
    CGXPrintDevice device;
    const GlobalBlocks display(displayNames, displayMode);
    device.SetDevice(display.m_hNames, display.m_hMode);
    EXPECT_NE(device.m_hDevNames, display.m_hNames);
    EXPECT_TRUE(HasBlocks(device, displayNames, displayMode));

    Bytes otherNames = displayNames;
    otherNames.back() = 1;
    const struct
    {
        Bytes names;
        Bytes mode;
        BOOL bSame;
    } cases[] = {
        {displayNames, displayMode, TRUE},
        {otherNames, displayMode, FALSE},
        {displayNames, {}, FALSE},
        {{}, {}, FALSE},
    };
    for (const auto& c : cases)
    {
        const GlobalBlocks blocks(c.names, c.mode);
        EXPECT_EQ(device.QueryDevice(blocks.m_hNames, blocks.m_hMode), c.bSame) << c.names.size() << c.mode.size();
    }

    const NoPrintDeviceFeature noFeature;
    CGXPrintDevice without;
    without.SetDevice(display.m_hNames, display.m_hMode);
    EXPECT_EQ(without.m_hDevNames, nullptr);
    EXPECT_FALSE(without.QueryDevice(nullptr, nullptr));
}

TEST_F(PrintDeviceTest, CopiesAreNewBlocksWithTheSameBytes)
{
    CGXPrintDevice source;
    SetBlocks(source, displayNames, displayMode);

    CGXPrintDevice target;
    target = source;
    EXPECT_NE(target.m_hDevNames, source.m_hDevNames);
    EXPECT_NE(target.m_hDevMode, source.m_hDevMode);
    EXPECT_TRUE(HasBlocks(target, displayNames, displayMode));
    CGXAbstractPrintDeviceImp* pImp = GXGetAppDataPtr()->m_pPrintDeviceImp;
    EXPECT_TRUE(pImp->IsSameDevice(&target, &source));

    HGLOBAL hNames = nullptr;
    HGLOBAL hMode = nullptr;
    pImp->CopyDeviceToHandles(&source, hNames, hMode);
    EXPECT_EQ(BlockBytes(hNames), displayNames);
    EXPECT_EQ(BlockBytes(hMode), displayMode);
    EXPECT_NE(hNames, source.m_hDevNames);
    GlobalFree(hNames);
    GlobalFree(hMode);

    BYTE* pNames = nullptr;
    BYTE* pMode = nullptr;
    DWORD cbNames = 0;
    DWORD cbMode = 0;
    source.GetOwnDeviceBlocks(pNames, cbNames, pMode, cbMode);
    EXPECT_EQ(Bytes(pNames, pNames + cbNames), displayNames);
    EXPECT_EQ(Bytes(pMode, pMode + cbMode), displayMode);
    delete[] pNames;
    delete[] pMode;

    CGXPrintDevice empty;
    empty.GetOwnDeviceBlocks(pNames, cbNames, pMode, cbMode);
    EXPECT_EQ(pNames, nullptr);
    EXPECT_EQ(cbNames, 0u);
    EXPECT_EQ(pMode, nullptr);
    EXPECT_EQ(cbMode, 0u);
    EXPECT_FALSE(pImp->IsSameDevice(&empty, &source));

    source = empty;
    EXPECT_EQ(source.m_hDevNames, nullptr);
    EXPECT_EQ(source.m_hDevMode, nullptr);
}

TEST_F(PrintDeviceTest, CopyingItsOwnBlocksKeepsThem)
{
    CGXPrintDevice device;
    SetBlocks(device, displayNames, displayMode);
    device = device;
    EXPECT_TRUE(HasBlocks(device, displayNames, displayMode));
    device.CopyDeviceHandles(device.m_hDevNames, device.m_hDevMode);
    EXPECT_TRUE(HasBlocks(device, displayNames, displayMode));
    device.FreeDevice();
    EXPECT_EQ(device.m_hDevNames, nullptr);
    EXPECT_EQ(device.m_hDevMode, nullptr);
}

TEST_F(PrintDeviceTest, MakesThePrinterDCOnceFromTheBlocks)
{
    CGXPrintDevice device;
    SetBlocks(device, displayNames, displayMode);
    const HDC hDC = device.GetPrinterDC();
    ASSERT_NE(hDC, nullptr);
    EXPECT_EQ(GetObjectType(hDC), static_cast<DWORD>(OBJ_DC));
    EXPECT_EQ(device.GetPrinterDC(), hDC);

    device.ResetPrinterDC();
    EXPECT_EQ(device.m_hPrintDC, nullptr);
    EXPECT_NE(device.GetPrinterDC(), nullptr);

    // New blocks make the DC of the old ones stale.
    SetBlocks(device, displayNames, displayMode);
    EXPECT_EQ(device.m_hPrintDC, nullptr);
}

TEST_F(PrintDeviceTest, DamagedBlocksGiveNoPrinterDC)
{
    Bytes unterminated = displayNames;
    unterminated.resize(unterminated.size() - 2);
    const struct
    {
        Bytes names;
        Bytes mode;
    } cases[] = {
        {Join({Word(400), Word(4), Word(4), Word(0), Utf16z(L"DISPLAY")}), displayMode},
        {Join({Word(4), Word(4), Word(4), Word(0), Bytes{'D', 0}}), displayMode},
        {unterminated, displayMode},
        {Bytes{4, 0, 4, 0}, displayMode},
        {displayNames, Bytes(40, 0)},
        {displayNames,
         [] {
             Bytes mode = DevMode(L"DISPLAY", 220, 0);
             mode[70] = 0xFF; // driver-extra size beyond the block
             return mode;
         }()},
        {displayNames, DevMode(L"DISPLAY", 8, 0)},
    };
    for (const auto& c : cases)
    {
        CGXPrintDevice device;
        SetBlocks(device, c.names, c.mode);
        EXPECT_EQ(device.GetPrinterDC(), nullptr);
    }
}

// The test prefix may or may not have a printer: either way both blocks come together.
TEST_F(PrintDeviceTest, TheDefaultDeviceIsTheDefaultPrinterWithTrueTypeAsGraphics)
{
    CGXPrintDevice device;
    device.EnsureDevice();
    ASSERT_EQ(device.m_hDevNames == nullptr, device.m_hDevMode == nullptr);
    if (device.m_hDevMode == nullptr)
    {
        EXPECT_EQ(device.GetPrinterDC(), nullptr);
        return;
    }
    const DEVMODEW* pDevMode = static_cast<const DEVMODEW*>(GlobalLock(device.m_hDevMode));
    EXPECT_EQ(pDevMode->dmTTOption, DMTT_BITMAP);
    GlobalUnlock(device.m_hDevMode);
}
} // namespace
