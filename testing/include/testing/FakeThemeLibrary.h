// Stand-ins for the common-controls, visual-styles and user libraries, bound in place of the
// system's for an object's lifetime. They report active visual styles (common controls 6 unless
// told otherwise) and record what is asked of them; a theme background is painted only when a
// colour is set for it. The module and theme handles are never dereferenced.
#pragma once

#include <toolkit/foundation/VisualStyle.h>

#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the stand-ins answer and what they were asked.
struct FakeThemeRecord
{
    DWORD dwComCtlMajor = 6;
    HRESULT hrBackground = S_OK;
    std::optional<COLORREF> clrBackground;
    // The theme in use: data opened while theme n is in use paints its backgrounds in
    // themeColours[n] when that is given (else in clrBackground), whatever theme is in use later.
    int nTheme = 0;
    std::vector<COLORREF> themeColours;
    int nLoads = 0;
    int nThemesClosed = 0;
    int nEdges = 0;
    std::vector<std::wstring> classes;
    std::vector<std::pair<int, int>> parts; // part and state of each background
};

class FakeThemeLibrary
{
public:
    // Which libraries load: all three, only the common controls, or none.
    enum Libraries
    {
        ALL,
        COMCTL_ONLY,
        NONE
    };
    using Record = FakeThemeRecord;
    static inline HTHEME const hTheme = reinterpret_cast<HTHEME>(0x1234);

    explicit FakeThemeLibrary(Libraries libraries = ALL)
    {
        s_record = Record();
        s_libraries = libraries;
        SECSetLibraryBinding({&FakeLoadLibrary, &FakeGetProcAddress, &FakeFreeLibrary});
    }
    ~FakeThemeLibrary()
    {
        SECSetLibraryBinding(SECSystemLibraryBinding());
    }
    FakeThemeLibrary(const FakeThemeLibrary&) = delete;
    FakeThemeLibrary& operator=(const FakeThemeLibrary&) = delete;

    Record& State()
    {
        return s_record;
    }

private:
    static inline Record s_record;
    static inline Libraries s_libraries = ALL;
    static inline HMODULE const hComCtl32 = reinterpret_cast<HMODULE>(0x10000);
    static inline HMODULE const hUxTheme = reinterpret_cast<HMODULE>(0x20000);
    static inline HMODULE const hUser32 = reinterpret_cast<HMODULE>(0x30000);

    static HMODULE WINAPI FakeLoadLibrary(LPCWSTR pszName)
    {
        ++s_record.nLoads;
        const std::wstring strName(pszName);
        if (s_libraries == NONE)
            return nullptr;
        if (strName == L"COMCTL32.DLL")
            return hComCtl32;
        if (s_libraries == COMCTL_ONLY)
            return nullptr;
        return strName == L"UXTHEME.DLL" ? hUxTheme : strName == L"USER32.DLL" ? hUser32 : nullptr;
    }
    static BOOL WINAPI FakeFreeLibrary(HMODULE)
    {
        return TRUE;
    }
    static HRESULT CALLBACK FakeDllGetVersion(DWORD* pInfo)
    {
        // The major and minor version of a DLLVERSIONINFO.
        pInfo[1] = s_record.dwComCtlMajor;
        pInfo[2] = s_record.dwComCtlMajor == 6 ? 0 : 82;
        return S_OK;
    }
    static BOOL WINAPI FakeTrue()
    {
        return TRUE;
    }
    static HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR pszClass)
    {
        s_record.classes.emplace_back(pszClass);
        return reinterpret_cast<HTHEME>(reinterpret_cast<INT_PTR>(hTheme) + s_record.nTheme);
    }
    static HRESULT WINAPI FakeCloseThemeData(HTHEME)
    {
        ++s_record.nThemesClosed;
        return S_OK;
    }
    static HRESULT WINAPI FakeDrawThemeBackground(HTHEME hData, HDC hdc, int nPart, int nState, const RECT* pRect,
                                                  const RECT*)
    {
        if (FAILED(s_record.hrBackground))
            return s_record.hrBackground;
        s_record.parts.emplace_back(nPart, nState);
        const auto nTheme = static_cast<size_t>(reinterpret_cast<INT_PTR>(hData) - reinterpret_cast<INT_PTR>(hTheme));
        const std::optional<COLORREF> clr =
            nTheme < s_record.themeColours.size() ? s_record.themeColours[nTheme] : s_record.clrBackground;
        if (clr)
        {
            HBRUSH hBrush = ::CreateSolidBrush(*clr);
            ::FillRect(hdc, pRect, hBrush);
            ::DeleteObject(hBrush);
        }
        return S_OK;
    }
    static HRESULT WINAPI FakeDrawThemeEdge(HTHEME, HDC, int, int, const RECT*, UINT, UINT, RECT*)
    {
        ++s_record.nEdges;
        return S_OK;
    }
    static BOOL WINAPI FakeTrackMouseEvent(LPTRACKMOUSEEVENT)
    {
        return TRUE;
    }
    template <class F> static FARPROC AsFarProc(F pfn)
    {
        return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(pfn));
    }
    static FARPROC WINAPI FakeGetProcAddress(HMODULE, LPCSTR pszName)
    {
        const struct
        {
            const char* pszName;
            FARPROC pfn;
        } entries[] = {
            {"DllGetVersion", AsFarProc(&FakeDllGetVersion)},
            {"IsThemeActive", AsFarProc(&FakeTrue)},
            {"IsAppThemed", AsFarProc(&FakeTrue)},
            {"OpenThemeData", AsFarProc(&FakeOpenThemeData)},
            {"CloseThemeData", AsFarProc(&FakeCloseThemeData)},
            {"DrawThemeBackground", AsFarProc(&FakeDrawThemeBackground)},
            {"DrawThemeEdge", AsFarProc(&FakeDrawThemeEdge)},
            {"TrackMouseEvent", AsFarProc(&FakeTrackMouseEvent)},
        };
        for (const auto& entry : entries)
            if (std::strcmp(entry.pszName, pszName) == 0)
                return entry.pfn;
        return nullptr;
    }
};
