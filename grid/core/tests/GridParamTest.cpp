#include <grid/core/CoveredCellPool.h>
#include <grid/core/Data.h>
#include <grid/core/DelayedRangePool.h>
#include <grid/core/GridParam.h>
#include <grid/core/PrintDevice.h>
#include <grid/core/Properties.h>

#include <gtest/gtest.h>

#include "ArchiveFeatures.h"

namespace
{
TEST(GridParam, RowAndColumnSizeDefaults)
{
    CGXGridParam param;
    LONG nSize = 0;
    ASSERT_TRUE(param.m_RowHeights.Lookup(0, nSize));
    EXPECT_EQ(nSize, 1400);
    ASSERT_TRUE(param.m_ColWidths.Lookup(0, nSize));
    EXPECT_EQ(nSize, 6000);
    EXPECT_FALSE(param.m_RowHeights.Lookup(1, nSize));
    EXPECT_FALSE(param.m_ColWidths.Lookup(1, nSize));
    EXPECT_EQ(param.m_RowHeights.GetHashTableSize(), 1021u);
    EXPECT_EQ(param.m_ColWidths.GetHashTableSize(), 257u);
    EXPECT_EQ(param.m_nDefaultHeight, 1200);
    EXPECT_EQ(param.m_nDefaultWidth, 10000);
}

TEST(GridParam, PermissionMasks)
{
    CGXGridParam param;
    // 178 has the bits 0x02, 0x10, 0x20 and 0x80.
    for (WORD wMask : {0x02, 0x10, 0x20, 0x80})
    {
        EXPECT_TRUE(param.IsAllowTrackRowHeight(wMask));
        EXPECT_TRUE(param.IsAllowTrackColWidth(wMask));
    }
    for (WORD wMask : {0x01, 0x04, 0x08, 0x40, 0x100})
        EXPECT_FALSE(param.IsAllowTrackRowHeight(wMask));
    EXPECT_TRUE(param.IsAllowSelection(0x80));
    EXPECT_FALSE(param.IsAllowSelection(0x100));
    for (int nBit = 0; nBit < 16; ++nBit)
        EXPECT_FALSE(param.TestSpecialMode(static_cast<WORD>(1 << nBit)));
    param.m_wSpecialMode = 0x4;
    EXPECT_TRUE(param.TestSpecialMode(0x6));
}

TEST(GridParam, OtherDefaults)
{
    CGXGridParam param;
    EXPECT_TRUE(param.GetDragSelectSetting());
    EXPECT_EQ(param.GetTrackingMode(), 1);
    EXPECT_EQ(param.GetOption(), 1);
    EXPECT_EQ(param.m_nDropDownHeight, 100);
    EXPECT_EQ(param.m_wActivateCell, 1);
    EXPECT_EQ(param.m_wRowUndoFlags, 3);
    EXPECT_TRUE(param.m_bLockReadOnly);
    EXPECT_FALSE(param.m_bReadOnly);
    EXPECT_TRUE(param.m_bUndoEnabled);
    EXPECT_EQ(param.m_nMaxUndo, 512);
    EXPECT_EQ(param.m_nRestoreRow, 1u);
    EXPECT_EQ(param.m_anCoreSettings[6], -1);
    EXPECT_EQ(param.m_pData, nullptr);
    EXPECT_EQ(param.m_pProperties, nullptr);
    EXPECT_FALSE(param.m_bInitDone);
}

// Counts the live objects, so that a test sees what the parameter object deleted.
class CCounted : public CObject
{
public:
    CCounted()
    {
        ++s_nLive;
    }
    ~CCounted() override
    {
        --s_nLive;
    }
    static int s_nLive;
};
int CCounted::s_nLive = 0;

class CCountedPrintDevice : public CGXPrintDevice
{
    CCounted m_counted;
};

class CCountedCoveredPool : public CGXCoveredCellPool
{
    CCounted m_counted;
};

class CCountedDelayedPool : public CGXDelayedRangePool
{
    CCounted m_counted;
};

TEST(GridParam, DeletesWhatItOwnsAndOnlyThat)
{
    CCounted::s_nLive = 0;
    CGXData data;
    {
        CGXGridParam param;
        param.m_pData = &data; // not owned
        param.m_bOwnProperties = TRUE;
        param.m_pProperties = new CGXProperties;
        param.m_bOwnPrintDevice = TRUE;
        param.m_pPrintDevice = new CCountedPrintDevice;
        delete param.m_pCoveredCellPool;
        param.m_pCoveredCellPool = new CCountedCoveredPool;
        param.m_pMergeCellsWork = new CCountedDelayedPool;
        param.GetUndoList()->AddTail(new CCounted);
        param.GetRedoList()->AddTail(new CCounted);
        param.m_apChoiceListKeys.Add(new CCounted);
        param.m_mapObjects.SetAt(&data, new CCounted);
        EXPECT_EQ(CCounted::s_nLive, 7);

        param.EmptyRedoList();
        EXPECT_TRUE(param.GetRedoList()->IsEmpty());
        EXPECT_EQ(CCounted::s_nLive, 6);
    }
    EXPECT_EQ(CCounted::s_nLive, 0);
    EXPECT_EQ(data.GetRowCount(), 0u);
}

TEST(GridParam, WithoutTheCopyFeatureAssignmentCopiesNothing)
{
    const WithoutArchiveFeatures without;
    CGXGridParam source;
    source.m_nFrozenRows = 3;
    CGXGridParam target;
    target = source;
    EXPECT_EQ(target.m_nFrozenRows, 0u);
}
} // namespace
