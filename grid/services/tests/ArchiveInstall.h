// The application-wide features that archive, copy and compare styles, installed once for the
// test program.
#pragma once

#include <grid/core/StyleCompareSubsetImp.h>
#include <grid/services/archive/GridDocSerializeImp.h>
#include <grid/services/archive/GridParamCopyOperatorImp.h>
#include <grid/services/archive/StyleSerializeImp.h>

inline void InstallArchiveFeatures()
{
    GXInstallStyleCompareSubsetImp();
    GXInstallStyleSerializeImp();
    GXInstallSerializeTW5CompatibleImp();
    GXInstallGridDocSerializeImp();
    GXInstallGridParamCopyOperatorImp();
}
