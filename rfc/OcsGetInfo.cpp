#include <rfc/OcsGetInfo.h>

IMPLEMENT_DYNAMIC(COcsGetInfo, CBaseRfc)

namespace
{
struct Slice
{
    int nStart;
    int nWidth;
    CString COcsGetInfo::*pText;
};

struct LineTable
{
    LPCTSTR lpszName;
    unsigned nChars;
    std::span<const Slice> slices;
};

const Slice kPatch[] = {
    {0, 20, &COcsGetInfo::TT_PATCH_0},     {20, 60, &COcsGetInfo::TT_PATCH_20},   {80, 1, &COcsGetInfo::TT_PATCH_80},
    {81, 8, &COcsGetInfo::TT_PATCH_81},    {89, 6, &COcsGetInfo::TT_PATCH_89},    {95, 12, &COcsGetInfo::TT_PATCH_95},
    {107, 8, &COcsGetInfo::TT_PATCH_107},  {115, 6, &COcsGetInfo::TT_PATCH_115},  {121, 4, &COcsGetInfo::TT_PATCH_121},
    {125, 1, &COcsGetInfo::TT_PATCH_125},  {126, 1, &COcsGetInfo::TT_PATCH_126},  {127, 20, &COcsGetInfo::TT_PATCH_127},
    {147, 4, &COcsGetInfo::TT_PATCH_147},  {151, 4, &COcsGetInfo::TT_PATCH_151},  {155, 10, &COcsGetInfo::TT_PATCH_155},
    {165, 10, &COcsGetInfo::TT_PATCH_165}, {175, 3, &COcsGetInfo::TT_PATCH_175},  {178, 20, &COcsGetInfo::TT_PATCH_178},
    {198, 1, &COcsGetInfo::TT_PATCH_198},  {199, 1, &COcsGetInfo::TT_PATCH_199},  {200, 1, &COcsGetInfo::TT_PATCH_200},
    {201, 10, &COcsGetInfo::TT_PATCH_201}, {211, 12, &COcsGetInfo::TT_PATCH_211}, {223, 1, &COcsGetInfo::TT_PATCH_223},
    {224, 20, &COcsGetInfo::TT_PATCH_224}, {244, 2, &COcsGetInfo::TT_PATCH_244},  {246, 10, &COcsGetInfo::TT_PATCH_246},
    {256, 30, &COcsGetInfo::TT_PATCH_256},
};
const Slice kAddon[] = {
    {0, 10, &COcsGetInfo::TT_ADDON_0},   {10, 12, &COcsGetInfo::TT_ADDON_10}, {22, 10, &COcsGetInfo::TT_ADDON_22},
    {32, 8, &COcsGetInfo::TT_ADDON_32},  {40, 6, &COcsGetInfo::TT_ADDON_40},  {46, 8, &COcsGetInfo::TT_ADDON_46},
    {54, 6, &COcsGetInfo::TT_ADDON_54},  {60, 1, &COcsGetInfo::TT_ADDON_60},  {61, 1, &COcsGetInfo::TT_ADDON_61},
    {62, 20, &COcsGetInfo::TT_ADDON_62}, {82, 20, &COcsGetInfo::TT_ADDON_82}, {102, 40, &COcsGetInfo::TT_ADDON_102},
};
const Slice kComponent[] = {
    {0, 30, &COcsGetInfo::TT_COMPONENT_0},
    {30, 10, &COcsGetInfo::TT_COMPONENT_30},
    {40, 10, &COcsGetInfo::TT_COMPONENT_40},
    {50, 1, &COcsGetInfo::TT_COMPONENT_50},
};
const Slice kCompPatch[] = {
    {0, 30, &COcsGetInfo::TT_COMP_PATCH_0},  {30, 3, &COcsGetInfo::TT_COMP_PATCH_30},
    {33, 1, &COcsGetInfo::TT_COMP_PATCH_33}, {34, 12, &COcsGetInfo::TT_COMP_PATCH_34},
    {46, 8, &COcsGetInfo::TT_COMP_PATCH_46},
};
// In the order in which a table name is compared.
const LineTable kTables[] = {
    {_T("TT_PATCH"), 300, kPatch},
    {_T("TT_ADDON"), 200, kAddon},
    {_T("TT_COMPONENT"), 100, kComponent},
    {_T("TT_COMP_PATCH"), 100, kCompPatch},
};
const unsigned kLongestLine = 300;
} // namespace

COcsGetInfo::COcsGetInfo(CRfcConnection* pConnection) : CBaseRfc(pConnection, _T("OCS_GET_INFO"))
{
}

void COcsGetInfo::OnTableRow(LPCTSTR lpszTable, unsigned nRow)
{
    RFC_TABLE_HANDLE hRow = SetTableRow(lpszTable, nRow);
    if (hRow == nullptr)
        return;
    for (const LineTable& table : kTables)
    {
        if (wcscmp(table.lpszName, lpszTable) != 0)
            continue;
        SAP_UC line[kLongestLine];
        GetBytes(hRow, line, table.nChars);
        for (const Slice& slice : table.slices)
        {
            CString& text = this->*slice.pText;
            text.SetString(line + slice.nStart, slice.nWidth);
            text.Trim();
        }
        return;
    }
}
