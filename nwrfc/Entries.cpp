// The RFC library's published functions as the program calls them: each goes to the process's
// binding, so that the connection and the readers never know which library answers.
#include <nwrfc/Binding.h>

#include <tuple>
#include <type_traits>

using nwrfc::CBinding;
using nwrfc::CFunctionTable;

namespace
{
// The built-in landscape is called directly, a loaded library through its table. A refused
// library fails the call with its reason, in the error info that every call but the version's
// takes last.
template <typename F, typename... Args> auto Call(F CFunctionTable::*loaded, F simulated, Args... args)
{
    const CBinding& binding = CBinding::Process();
    if (binding.GetKind() == CBinding::Kind::BuiltIn) [[likely]]
        return simulated(args...);
    if (binding.GetKind() == CBinding::Kind::Loaded)
        return (binding.Functions().*loaded)(args...);
    const RFC_RC code = binding.Refuse(std::get<sizeof...(Args) - 1>(std::tuple<Args...>(args...)));
    using Result = decltype(simulated(args...));
    if constexpr (std::is_same_v<Result, RFC_RC>)
        return code;
    else
        return Result{};
}
} // namespace

RFC_CONNECTION_HANDLE SAP_API RfcOpenConnection(const RFC_CONNECTION_PARAMETER* connectionParams, unsigned paramCount,
                                                RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcOpenConnection, SimRfcOpenConnection, connectionParams, paramCount, errorInfo);
}

RFC_RC SAP_API RfcCloseConnection(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcCloseConnection, SimRfcCloseConnection, rfcHandle, errorInfo);
}

RFC_RC SAP_API RfcPing(RFC_CONNECTION_HANDLE rfcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcPing, SimRfcPing, rfcHandle, errorInfo);
}

RFC_RC SAP_API RfcGetConnectionAttributes(RFC_CONNECTION_HANDLE rfcHandle, RFC_ATTRIBUTES* attr,
                                          RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetConnectionAttributes, SimRfcGetConnectionAttributes, rfcHandle, attr, errorInfo);
}

RFC_FUNCTION_DESC_HANDLE SAP_API RfcGetFunctionDesc(RFC_CONNECTION_HANDLE rfcHandle, const SAP_UC* funcName,
                                                    RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetFunctionDesc, SimRfcGetFunctionDesc, rfcHandle, funcName, errorInfo);
}

RFC_FUNCTION_HANDLE SAP_API RfcCreateFunction(RFC_FUNCTION_DESC_HANDLE funcDescHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcCreateFunction, SimRfcCreateFunction, funcDescHandle, errorInfo);
}

RFC_RC SAP_API RfcDestroyFunction(RFC_FUNCTION_HANDLE funcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcDestroyFunction, SimRfcDestroyFunction, funcHandle, errorInfo);
}

RFC_RC SAP_API RfcInvoke(RFC_CONNECTION_HANDLE rfcHandle, RFC_FUNCTION_HANDLE funcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcInvoke, SimRfcInvoke, rfcHandle, funcHandle, errorInfo);
}

RFC_RC SAP_API RfcSetParameterActive(RFC_FUNCTION_HANDLE funcHandle, const SAP_UC* paramName, int isActive,
                                     RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcSetParameterActive, SimRfcSetParameterActive, funcHandle, paramName, isActive,
                errorInfo);
}

RFC_RC SAP_API RfcSetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, const SAP_UC* value,
                            unsigned valueLength, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcSetString, SimRfcSetString, dataHandle, name, value, valueLength, errorInfo);
}

RFC_RC SAP_API RfcGetString(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, SAP_UC* stringBuffer,
                            unsigned bufferLength, unsigned* stringLength, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetString, SimRfcGetString, dataHandle, name, stringBuffer, bufferLength,
                stringLength, errorInfo);
}

RFC_RC SAP_API RfcGetChars(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_CHAR* charBuffer,
                           unsigned bufferLength, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetChars, SimRfcGetChars, dataHandle, name, charBuffer, bufferLength, errorInfo);
}

RFC_RC SAP_API RfcGetStructure(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_STRUCTURE_HANDLE* structHandle,
                               RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetStructure, SimRfcGetStructure, dataHandle, name, structHandle, errorInfo);
}

RFC_RC SAP_API RfcGetTable(DATA_CONTAINER_HANDLE dataHandle, const SAP_UC* name, RFC_TABLE_HANDLE* tableHandle,
                           RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetTable, SimRfcGetTable, dataHandle, name, tableHandle, errorInfo);
}

RFC_RC SAP_API RfcGetRowCount(RFC_TABLE_HANDLE tableHandle, unsigned* rowCount, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcGetRowCount, SimRfcGetRowCount, tableHandle, rowCount, errorInfo);
}

RFC_RC SAP_API RfcMoveTo(RFC_TABLE_HANDLE tableHandle, unsigned index, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcMoveTo, SimRfcMoveTo, tableHandle, index, errorInfo);
}

RFC_STRUCTURE_HANDLE SAP_API RfcAppendNewRow(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcAppendNewRow, SimRfcAppendNewRow, tableHandle, errorInfo);
}

RFC_RC SAP_API RfcDeleteAllRows(RFC_TABLE_HANDLE tableHandle, RFC_ERROR_INFO* errorInfo)
{
    return Call(&CFunctionTable::RfcDeleteAllRows, SimRfcDeleteAllRows, tableHandle, errorInfo);
}

// A refused library has no version: zeros and an empty text.
const SAP_UC* SAP_API RfcGetVersion(unsigned* majorVersion, unsigned* minorVersion, unsigned* patchLevel)
{
    const CBinding& binding = CBinding::Process();
    if (binding.GetKind() == CBinding::Kind::BuiltIn)
        return SimRfcGetVersion(majorVersion, minorVersion, patchLevel);
    if (binding.GetKind() == CBinding::Kind::Loaded)
        return binding.Functions().RfcGetVersion(majorVersion, minorVersion, patchLevel);
    for (unsigned* number : {majorVersion, minorVersion, patchLevel})
    {
        if (number != nullptr)
            *number = 0;
    }
    return L"";
}
