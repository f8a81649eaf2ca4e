// Function descriptions, functions and their invocation.
#include <nwrfc/Connections.h>
#include <nwrfc/ErrorInfo.h>
#include <nwrfc/FunctionTable.h>
#include <nwrfc/FunctionObject.h>
#include <nwrfc/HandleRegistry.h>

#include <afxmt.h>
#include <sapsim/Landscape.h>

#include <map>

using namespace nwrfc;

namespace
{
template <typename Handle> uintptr_t Id(Handle handle)
{
    return reinterpret_cast<uintptr_t>(handle);
}

// Descriptions belong to the library, as its repository cache does: one handle per module,
// never closed by the caller.
uintptr_t DescriptionOf(const sapsim::CFunctionModule& module)
{
    static CCriticalSection lock;
    static std::map<const sapsim::CFunctionModule*, uintptr_t> handles;
    CSingleLock guard(&lock, TRUE);
    uintptr_t& handle = handles[&module];
    if (handle == 0)
        handle = CHandleRegistry::Instance().Add(
            HandleKind::FunctionDesc,
            std::shared_ptr<void>(const_cast<sapsim::CFunctionModule*>(&module), [](void*) {}));
    return handle;
}
} // namespace

RFC_FUNCTION_DESC_HANDLE SAP_API SimRfcGetFunctionDesc(RFC_CONNECTION_HANDLE rfcHandle, const SAP_UC* funcName,
                                                       RFC_ERROR_INFO* errorInfo)
{
    uintptr_t handle = 0;
    Guarded(EntryPoint::GetFunctionDesc, errorInfo, [&] {
        const auto session = std::static_pointer_cast<sapsim::CSession>(
            CHandleRegistry::Instance().Find(Id(rfcHandle), HandleKind::Connection));
        if (session == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        if (funcName == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The function module name is missing.");
        try
        {
            handle = DescriptionOf(sapsim::CLandscape::Active().Describe(*session, funcName));
        }
        catch (sapsim::CFailure* failure)
        {
            ReleaseBroken(Id(rfcHandle), *failure);
            throw;
        }
        return CErrorInfo::Ok(errorInfo);
    });
    return reinterpret_cast<RFC_FUNCTION_DESC_HANDLE>(handle);
}

RFC_FUNCTION_HANDLE SAP_API SimRfcCreateFunction(RFC_FUNCTION_DESC_HANDLE funcDescHandle, RFC_ERROR_INFO* errorInfo)
{
    uintptr_t handle = 0;
    Guarded(EntryPoint::CreateFunction, errorInfo, [&] {
        const auto module = std::static_pointer_cast<const sapsim::CFunctionModule>(
            CHandleRegistry::Instance().Find(Id(funcDescHandle), HandleKind::FunctionDesc));
        if (module == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        handle = CHandleRegistry::Instance().Add(HandleKind::Function, std::make_shared<CFunctionObject>(*module));
        return CErrorInfo::Ok(errorInfo);
    });
    return reinterpret_cast<RFC_FUNCTION_HANDLE>(handle);
}

RFC_RC SAP_API SimRfcDestroyFunction(RFC_FUNCTION_HANDLE funcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::DestroyFunction, errorInfo, [&] {
        if (CHandleRegistry::Instance().Remove(Id(funcHandle), HandleKind::Function) == nullptr)
            return CErrorInfo::InvalidHandle(errorInfo);
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcInvoke(RFC_CONNECTION_HANDLE rfcHandle, RFC_FUNCTION_HANDLE funcHandle, RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::Invoke, errorInfo, [&] {
        CHandleRegistry& registry = CHandleRegistry::Instance();
        // Shared ownership: closing the connection or destroying the function on another thread
        // during the call leaves both alive until the call returns.
        const auto session =
            std::static_pointer_cast<sapsim::CSession>(registry.Find(Id(rfcHandle), HandleKind::Connection));
        const auto function =
            std::static_pointer_cast<CFunctionObject>(registry.Find(Id(funcHandle), HandleKind::Function));
        if (session == nullptr || function == nullptr || CHandleRegistry::ViewOf(Id(funcHandle)) != 0)
            return CErrorInfo::InvalidHandle(errorInfo);
        try
        {
            sapsim::CLandscape::Active().Invoke(*session, function->Data());
        }
        catch (sapsim::CFailure* failure)
        {
            ReleaseBroken(Id(rfcHandle), *failure);
            throw;
        }
        return CErrorInfo::Ok(errorInfo);
    });
}

RFC_RC SAP_API SimRfcSetParameterActive(RFC_FUNCTION_HANDLE funcHandle, const SAP_UC* paramName, int isActive,
                                        RFC_ERROR_INFO* errorInfo)
{
    return Guarded(EntryPoint::SetParameterActive, errorInfo, [&] {
        CHandleRegistry& registry = CHandleRegistry::Instance();
        CHandleRegistry::CReadGuard guard(registry);
        auto* function = static_cast<CFunctionObject*>(registry.Peek(Id(funcHandle), HandleKind::Function));
        if (function == nullptr || CHandleRegistry::ViewOf(Id(funcHandle)) != 0)
            return CErrorInfo::InvalidHandle(errorInfo);
        if (paramName == nullptr)
            return CErrorInfo::InvalidParameter(errorInfo, L"The parameter name is missing.");
        const int field = function->Data().Type().Find(paramName);
        if (field < 0)
            return CErrorInfo::InvalidParameter(errorInfo, L"Parameter %s not found.", paramName);
        function->Data().SetActive(field, isActive != 0);
        return CErrorInfo::Ok(errorInfo);
    });
}
