// The RFC library's functions that the program calls, as one list: the loaded binding resolves
// each by name into a table of pointers, and the simulated landscape defines each under the
// prefix Sim.
#pragma once

#include <sapnwrfc.h>

#define NWRFC_FUNCTIONS(X)                                                                                             \
    X(RfcOpenConnection)                                                                                               \
    X(RfcCloseConnection)                                                                                              \
    X(RfcPing)                                                                                                         \
    X(RfcGetConnectionAttributes)                                                                                      \
    X(RfcGetFunctionDesc)                                                                                              \
    X(RfcCreateFunction)                                                                                               \
    X(RfcDestroyFunction)                                                                                              \
    X(RfcInvoke)                                                                                                       \
    X(RfcSetString)                                                                                                    \
    X(RfcGetString)                                                                                                    \
    X(RfcGetChars)                                                                                                     \
    X(RfcGetStructure)                                                                                                 \
    X(RfcGetTable)                                                                                                     \
    X(RfcGetRowCount)                                                                                                  \
    X(RfcMoveTo)                                                                                                       \
    X(RfcAppendNewRow)                                                                                                 \
    X(RfcDeleteAllRows)                                                                                                \
    X(RfcSetParameterActive)                                                                                           \
    X(RfcGetVersion)

namespace nwrfc
{

struct CFunctionTable
{
#define NWRFC_POINTER(name) decltype(&::name) name = nullptr;
    NWRFC_FUNCTIONS(NWRFC_POINTER)
#undef NWRFC_POINTER
};

} // namespace nwrfc

// The simulated landscape's definitions: the built-in binding calls them directly, the stand-in
// DLL exports them under the published names.
extern "C"
{
#define NWRFC_SIMULATED(name) decltype(::name) Sim##name;
    NWRFC_FUNCTIONS(NWRFC_SIMULATED)
#undef NWRFC_SIMULATED
}
