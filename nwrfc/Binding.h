// Which RFC library the process talks to: an installed library loaded from its DLL, or the
// built-in simulated landscape. Once a library is named or found nothing falls back to the
// simulation: collecting simulated figures for a real system would be worse than failing, so a
// library that cannot be used makes every call fail with the reason.
#pragma once

#include <nwrfc/FunctionTable.h>

#include <afx.h>

namespace nwrfc
{

class CBinding
{
public:
    enum class Kind
    {
        BuiltIn,
        Loaded,
        Refused,
    };

    // The process's binding, chosen at its first use. Never destroyed: threads may still call
    // the library while the process ends.
    static const CBinding& Process()
    {
        static const CBinding& binding = *new CBinding(Choose());
        return binding;
    }
    // The DLL at the path, searched for the DLLs it needs in its own folder first. A DLL that
    // loads stays loaded until the process ends.
    static CBinding Load(LPCWSTR path);

    Kind GetKind() const
    {
        return m_kind;
    }
    // The loaded library's functions.
    const CFunctionTable& Functions() const
    {
        return m_functions;
    }
    // Why the library cannot be used: "RFC library: <path> ...".
    const CString& Error() const
    {
        return m_error;
    }
    // Fills the error info with the reason of a refused library.
    RFC_RC Refuse(RFC_ERROR_INFO* info) const;
    // What is in use, for the logs: "RFC library: <path>, version <major>.<minor>.<patch>",
    // "RFC library: built-in simulated SAP landscape (<landscape file or 'default'>)",
    // "RFC library: built-in simulated SAP landscape cannot be used: <why the file cannot>.",
    // or the reason of a refused library.
    CString Describe() const;

private:
    // The DLL that LUMITER_RFC_LIBRARY names, else sapnwrfc.dll beside the executable, else
    // the built-in landscape.
    static CBinding Choose();
    void Refused(LPCWSTR problem);

    Kind m_kind = Kind::BuiltIn;
    CString m_path;
    CString m_error;
    CFunctionTable m_functions;
    unsigned m_version[3] = {};
};

} // namespace nwrfc
