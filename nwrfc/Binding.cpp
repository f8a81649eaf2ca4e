#include <nwrfc/Binding.h>

#include <nwrfc/ErrorInfo.h>

#include <sapsim/Landscape.h>

#include <bit>
#include <vector>

namespace nwrfc
{
namespace
{
#define NWRFC_COUNT(name) +1
constexpr size_t kFunctionCount = 0 NWRFC_FUNCTIONS(NWRFC_COUNT);
#undef NWRFC_COUNT

// The variable's value; empty when it is not set.
CString Environment(LPCWSTR name)
{
    CString value;
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    while (size > 0)
    {
        const DWORD length = GetEnvironmentVariableW(name, value.GetBuffer(static_cast<int>(size)), size);
        value.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
        if (length < size)
            break;
        size = length;
    }
    return value;
}

CString FullPath(LPCWSTR path)
{
    CString full;
    const DWORD size = GetFullPathNameW(path, 0, nullptr, nullptr);
    if (size == 0)
        return path;
    const DWORD length = GetFullPathNameW(path, size, full.GetBuffer(static_cast<int>(size)), nullptr);
    full.ReleaseBuffer(length < size ? static_cast<int>(length) : 0);
    return full.IsEmpty() ? CString(path) : full;
}

CString ExecutableFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    while (GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())) == path.size())
        path.resize(path.size() * 2);
    CString folder(path.data());
    return folder.Left(folder.ReverseFind(L'\\') + 1);
}

// The system's text for the error, without its line end.
CString SystemText(DWORD error)
{
    LPWSTR buffer = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    CString text(buffer != nullptr ? buffer : L"");
    LocalFree(buffer);
    text.TrimRight();
    text.TrimRight(L'.');
    CString withCode;
    withCode.Format(text.IsEmpty() ? L"%serror %lu" : L"%s (error %lu)", text.GetString(), error);
    return withCode;
}

// Why the file is no 64-bit DLL, read from its headers; empty when it is one.
CString ImageProblem(LPCWSTR path)
{
    const HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return L"cannot be read: " + SystemText(GetLastError());
    const auto read = [file](LONG offset, void* buffer, DWORD size) {
        DWORD got = 0;
        return SetFilePointer(file, offset, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
               ReadFile(file, buffer, size, &got, nullptr) && got == size;
    };
    IMAGE_DOS_HEADER dos{};
    struct
    {
        DWORD signature;
        IMAGE_FILE_HEADER header;
    } nt{};
    const bool isImage = read(0, &dos, sizeof(dos)) && dos.e_magic == IMAGE_DOS_SIGNATURE && dos.e_lfanew > 0 &&
                         read(dos.e_lfanew, &nt, sizeof(nt)) && nt.signature == IMAGE_NT_SIGNATURE;
    CloseHandle(file);
    if (!isImage)
        return L"is not a 64-bit DLL (it is no Windows program file)";
    if (nt.header.Machine == IMAGE_FILE_MACHINE_I386)
        return L"is not a 64-bit DLL (it is built for 32-bit Windows)";
    if (nt.header.Machine != IMAGE_FILE_MACHINE_AMD64)
        return L"is not a 64-bit DLL (it is built for another processor)";
    if ((nt.header.Characteristics & IMAGE_FILE_DLL) == 0)
        return L"is not a 64-bit DLL (it is a program)";
    return CString();
}

template <typename F> void Resolve(HMODULE module, LPCSTR name, F& function, std::vector<CString>& missing)
{
    const FARPROC address = GetProcAddress(module, name);
    if (address == nullptr)
        missing.push_back(CString(name));
    function = std::bit_cast<F>(address);
}

CString Joined(const std::vector<CString>& names)
{
    CString text;
    for (const CString& name : names)
        text += (text.IsEmpty() ? L"" : L", ") + name;
    return text;
}
} // namespace

CBinding CBinding::Choose()
{
    const CString named = Environment(L"LUMITER_RFC_LIBRARY");
    if (!named.IsEmpty())
        return Load(named);
    const CString beside = ExecutableFolder() + L"sapnwrfc.dll";
    if (GetFileAttributesW(beside) != INVALID_FILE_ATTRIBUTES)
        return Load(beside);
    return CBinding();
}

CBinding CBinding::Load(LPCWSTR path)
{
    CBinding binding;
    binding.m_path = FullPath(path);
    const DWORD attributes = GetFileAttributesW(binding.m_path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
    {
        const DWORD error = GetLastError();
        binding.Refused(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                            ? CString(L"does not exist")
                            : L"cannot be read: " + SystemText(error));
        return binding;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    {
        binding.Refused(L"is a folder, not a 64-bit DLL");
        return binding;
    }
    const CString problem = ImageProblem(binding.m_path);
    if (!problem.IsEmpty())
    {
        binding.Refused(problem);
        return binding;
    }

    // A library that cannot load is reported here, not in a message box of the system's.
    DWORD errorMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &errorMode);
    const HMODULE module = LoadLibraryExW(binding.m_path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD loadError = GetLastError();
    SetThreadErrorMode(errorMode, nullptr);
    if (module == nullptr)
    {
        // The library is there, so what the system did not find is a DLL that it needs.
        binding.Refused(L"could not be loaded: " + SystemText(loadError) +
                        (loadError == ERROR_MOD_NOT_FOUND
                             ? L"; a DLL that it needs is missing from its folder and from the system's search path"
                             : L""));
        return binding;
    }

    std::vector<CString> missing;
#define NWRFC_RESOLVE(name) Resolve(module, #name, binding.m_functions.name, missing);
    NWRFC_FUNCTIONS(NWRFC_RESOLVE)
#undef NWRFC_RESOLVE
    // A library that ran its start-up code stays loaded even when refused: threads it may
    // have hooked would otherwise call into freed code.
    if (!missing.empty())
    {
        binding.m_functions = CFunctionTable();
        if (missing.size() == kFunctionCount)
            binding.Refused(L"is not an RFC library: it exports none of the RFC functions");
        else
            binding.Refused((missing.size() == 1 ? L"lacks the function " : L"lacks the functions ") + Joined(missing));
        return binding;
    }
    binding.m_functions.RfcGetVersion(&binding.m_version[0], &binding.m_version[1], &binding.m_version[2]);
    binding.m_kind = Kind::Loaded;
    return binding;
}

void CBinding::Refused(LPCWSTR problem)
{
    m_kind = Kind::Refused;
    // No period at the end: the library's messages are quoted inside sentences.
    m_error.Format(L"RFC library: %s %s", m_path.GetString(), problem);
}

RFC_RC CBinding::Refuse(RFC_ERROR_INFO* info) const
{
    return CErrorInfo::Fail(info, RFC_EXTERNAL_FAILURE, L"RFC_LIBRARY", m_error);
}

CString CBinding::Describe() const
{
    CString line;
    switch (m_kind)
    {
    case Kind::Loaded:
        line.Format(L"RFC library: %s, version %u.%u.%u", m_path.GetString(), m_version[0], m_version[1], m_version[2]);
        break;
    case Kind::Refused:
        line = m_error;
        break;
    case Kind::BuiltIn:
        // The first use loads the landscape: a file that cannot be used is named here already,
        // not only at the first logon.
        const sapsim::CLandscape& landscape = sapsim::CLandscape::Active();
        const CString file = landscape.File();
        if (const CString error = landscape.LoadError(); !error.IsEmpty())
            line.Format(L"RFC library: built-in simulated SAP landscape cannot be used: %s.", error.GetString());
        else
            line.Format(L"RFC library: built-in simulated SAP landscape (%s)",
                        file.IsEmpty() ? L"default" : file.GetString());
        break;
    }
    return line;
}

} // namespace nwrfc
