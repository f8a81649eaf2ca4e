// Reads the release and the installed software components, add-ons and patches of the
// SAP system ("OCS_GET_INFO"). Each table row is one run of characters in column "LINE";
// the texts are slices of it, named after their table and start.
#pragma once

#include <rfc/BaseRfc.h>

class COcsGetInfo : public CBaseRfc
{
    DECLARE_DYNAMIC(COcsGetInfo)
public:
    explicit COcsGetInfo(CRfcConnection* pConnection);

    void OnTableRow(LPCTSTR lpszTable, unsigned nRow) override;

    CString EV_SAPRL;
    // "TT_COMPONENT", the row read last
    CString TT_COMPONENT_0;
    CString TT_COMPONENT_30;
    CString TT_COMPONENT_40;
    CString TT_COMPONENT_50;
    // "TT_COMP_PATCH", the row read last
    CString TT_COMP_PATCH_0;
    CString TT_COMP_PATCH_30;
    CString TT_COMP_PATCH_33;
    CString TT_COMP_PATCH_34;
    CString TT_COMP_PATCH_46;
    // "TT_ADDON", the row read last
    CString TT_ADDON_0;
    CString TT_ADDON_10;
    CString TT_ADDON_22;
    CString TT_ADDON_32;
    CString TT_ADDON_40;
    CString TT_ADDON_46;
    CString TT_ADDON_54;
    CString TT_ADDON_60;
    CString TT_ADDON_61;
    CString TT_ADDON_62;
    CString TT_ADDON_82;
    CString TT_ADDON_102;
    // "TT_PATCH", the row read last
    CString TT_PATCH_0;
    CString TT_PATCH_20;
    CString TT_PATCH_80;
    CString TT_PATCH_81;
    CString TT_PATCH_89;
    CString TT_PATCH_95;
    CString TT_PATCH_107;
    CString TT_PATCH_115;
    CString TT_PATCH_121;
    CString TT_PATCH_125;
    CString TT_PATCH_126;
    CString TT_PATCH_127;
    CString TT_PATCH_147;
    CString TT_PATCH_151;
    CString TT_PATCH_155;
    CString TT_PATCH_165;
    CString TT_PATCH_175;
    CString TT_PATCH_178;
    CString TT_PATCH_198;
    CString TT_PATCH_199;
    CString TT_PATCH_200;
    CString TT_PATCH_201;
    CString TT_PATCH_211;
    CString TT_PATCH_223;
    CString TT_PATCH_224;
    CString TT_PATCH_244;
    CString TT_PATCH_246;
    CString TT_PATCH_256;
};
