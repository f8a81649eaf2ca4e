// The archive form of a grid's persistent state: the parameter object with what it owns, the
// styles map, the cell data with its style arrays, and the properties. Styles inside use the
// style record of the style-serialize feature.
#pragma once

#include <grid/core/AbstractImps.h>
#include <grid/core/GridParam.h>

class CGXGridDocSerializeImp : public CGXAbstractGridDocSerializeImp
{
public:
    // Newest schemas; a reader refuses newer ones (and the data and array records any other)
    // with CArchiveException (bad schema) before reading on.
    static constexpr WORD nStylesMapSchema = 2;
    static constexpr WORD nDataSchema = 1;
    static constexpr WORD nStyleRowsSchema = 1;
    static constexpr WORD nStyleArraySchema = 1;
    static constexpr WORD nPropertiesSchema = 4;
    static constexpr WORD nParamSchema = 11;

    // Loading empties the styles map first. More than 65,535 entries of a table cannot be
    // stored: CArchiveException.
    void SerializeStylesMap(CGXStylesMap& stylesMap, CArchive& ar) override;
    // Loading refuses a style beyond the rows and columns the record states with
    // CArchiveException (bad index).
    void SerializeData(CGXData& data, CArchive& ar) override;
    // Sparse arrays: an index past the stored size throws CArchiveException (bad index), keeping
    // the elements read before it. Styles and rows are each the array's own: a reference to one
    // read before throws CArchiveException (bad index) too.
    void SerializeStyleRows(CGXStylePtrArrayPtrArray& rows, CArchive& ar) override;
    void SerializeStyleArray(CGXStylePtrArray& styles, CArchive& ar) override;
    void SerializeProperties(CGXProperties& properties, CArchive& ar) override;
    // Loading deletes the objects the parameter owns first and reads them anew, each its own;
    // in the delayed modes the float and merge spans are worked out anew from the cells, never
    // taken from the record.
    void SerializeParam(CGXGridParam& param, CArchive& ar) override;
};

// Makes the feature application-wide, once, with the style-serialize feature and the two
// cell-pool features it needs.
void GXInstallGridDocSerializeImp();

// Visits the parameter record's settings before its objects, in the record's order:
// visit(width, member), where width is a value of the type the record keeps the setting in
// and member(param) gives the setting of a parameter object. A setting written twice is
// visited twice.
template <class Visitor> void GXVisitParamRecordSettings(Visitor&& visit)
{
#define GX_SETTING(type, member)                                                                                       \
    visit(                                                                                                             \
        type{}, [](auto& param) -> auto& { return param.member; })
    GX_SETTING(BYTE, m_abSettingsA[0]);
    GX_SETTING(BYTE, m_abSettingsA[1]);
    GX_SETTING(BYTE, m_bCheckViewActivation);
    GX_SETTING(BYTE, m_bDragSelectCols);
    GX_SETTING(BYTE, m_bDragSelectRows);
    GX_SETTING(BYTE, m_bLockReadOnly);
    GX_SETTING(BYTE, m_bCheckViewActivation);
    GX_SETTING(BYTE, m_abSettingsA[1]);
    GX_SETTING(BYTE, m_bReadOnlySetting);
    GX_SETTING(BYTE, m_bCoreSetting);
    GX_SETTING(BYTE, m_bOwnData);
    GX_SETTING(BYTE, m_bOwnPrintDevice);
    GX_SETTING(BYTE, m_bOwnProperties);
    GX_SETTING(BYTE, m_bOwnStylesMap);
    GX_SETTING(BYTE, m_bViewSetting);
    GX_SETTING(BYTE, m_bReadOnly);
    GX_SETTING(BYTE, m_nTrackingMode);
    GX_SETTING(BYTE, m_nOption);
    GX_SETTING(WORD, m_wAllowSelection);
    GX_SETTING(WORD, m_wAllowTrackRowHeight);
    GX_SETTING(WORD, m_wAllowTrackColWidth);
    GX_SETTING(DWORD, m_nHeaderRows);
    GX_SETTING(DWORD, m_nHeaderCols);
    GX_SETTING(DWORD, m_nDefaultWidth);
    GX_SETTING(DWORD, m_nDefaultHeight);
    GX_SETTING(CString, m_strName);
    GX_SETTING(WORD, m_wActivateCell);
    GX_SETTING(WORD, m_awCoreSettings[0]);
    GX_SETTING(WORD, m_nFrozenRows);
    GX_SETTING(WORD, m_nFrozenCols);
    GX_SETTING(WORD, m_awCoreSettings[1]);
    GX_SETTING(DWORD, m_nMinTrackRowHeight);
    GX_SETTING(DWORD, m_nMinTrackColWidth);
#undef GX_SETTING
}

// Deletes the parameter's three span-cell pools and two delayed-range pools that archives and
// copies carry, and clears their pointers.
void GXDeleteSpanCellPools(CGXGridParam& param);
