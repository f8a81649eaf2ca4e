// The README's logon data for PRD, by the add-system dialog's control ids: what the tests and
// the demonstration type to register PRD.
#pragma once

#include <app/resource.h>

#include <afx.h>

#include <utility>
#include <vector>

using Entries = std::vector<std::pair<int, CString>>;

inline const Entries kReadmeEntries = {
    {IDC_HOST_NAME, _T("saplx01")},  {IDC_DOMAIN, _T("")},     {IDC_SAP_ROUTER, _T("")},
    {IDC_SYSTEM_NUMBER, _T("00")},   {IDC_CLIENT, _T("000")},  {IDC_USER, _T("LUMITER")},
    {IDC_PASSWORD, _T("Lumiter5!")}, {IDC_LANGUAGE, _T("EN")},
};
