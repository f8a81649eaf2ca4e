// OCS_GET_INFO: the release of a system and its installed software components, add-ons and
// patches. Every table row is one line of characters, its fields at fixed positions.
#include <sapsim/CallContext.h>
#include <sapsim/ModuleRegistry.h>

namespace sapsim
{
namespace
{
struct CComponent
{
    LPCWSTR name;
    LPCWSTR release; // nullptr: the release of the system
    LPCWSTR level;
    LPCWSTR type;
    LPCWSTR patchPrefix;
    LPCWSTR description; // add-ons only
};

const CComponent kComponents[] = {
    {L"SAP_BASIS", nullptr, L"0012", L"S", L"SAPKB", nullptr},
    {L"SAP_ABA", nullptr, L"0012", L"S", L"SAPKA", nullptr},
    {L"SAP_BW", nullptr, L"0014", L"S", L"SAPKW", nullptr},
    {L"ST-PI", L"2008_1_700", L"0003", L"A", L"SAPKITLRD", L"SAP Solution Tools Plug-In"},
};

// A line of the given width with each value at its position, cut to its width.
class CLine
{
public:
    explicit CLine(int width) : m_text(L' ', width)
    {
    }
    CLine& Put(int start, int width, const CString& value)
    {
        for (int i = 0; i < width && i < value.GetLength(); ++i)
            m_text.SetAt(start + i, value[i]);
        return *this;
    }
    const CString& Text() const
    {
        return m_text;
    }

private:
    CString m_text;
};

void OcsGetInfo(CCallContext& call)
{
    const CString& release = call.Session().System().release;
    call.Exports().Set(L"EV_SAPRL", release);
    CTableWriter components = call.Result(L"TT_COMPONENT");
    CTableWriter compPatches = call.Result(L"TT_COMP_PATCH");
    CTableWriter addons = call.Result(L"TT_ADDON");
    CTableWriter patches = call.Result(L"TT_PATCH");
    CRandom random = call.Random(call.Session().System().id, L"OCS_GET_INFO");
    for (const CComponent& component : kComponents)
    {
        const CString componentRelease = component.release != nullptr ? CString(component.release) : release;
        components.Append().Set(L"LINE", CLine(100)
                                             .Put(0, 30, component.name)
                                             .Put(30, 10, componentRelease)
                                             .Put(40, 10, component.level)
                                             .Put(50, 1, component.type)
                                             .Text());
        if (component.description != nullptr)
        {
            addons.Append().Set(L"LINE", CLine(200)
                                             .Put(0, 10, component.name)
                                             .Put(10, 12, componentRelease)
                                             .Put(22, 10, component.level)
                                             .Put(102, 40, component.description)
                                             .Text());
        }
        // One patch per support package level up to the installed one.
        const int level = _wtoi(component.level);
        for (int package = 1; package <= level; ++package)
        {
            CString name, text, date, time;
            name.Format(L"%s%s%02d", component.patchPrefix, release.GetString(), package);
            text.Format(L"Support Package %02d for %s", package, component.name);
            const __time64_t applied = 1262304000 + random.Range(0, 10LL * 365 * 86400);
            tm parts{};
            _gmtime64_s(&parts, &applied);
            date.Format(L"%04d%02d%02d", parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
            time.Format(L"%02d%02d%02d", parts.tm_hour, parts.tm_min, parts.tm_sec);
            patches.Append().Set(L"LINE", CLine(300)
                                              .Put(0, 20, name)
                                              .Put(20, 60, text)
                                              .Put(80, 1, L"I")
                                              .Put(107, 8, date)
                                              .Put(115, 6, time)
                                              .Put(178, 20, component.name)
                                              .Text());
            compPatches.Append().Set(L"LINE",
                                     CLine(100).Put(0, 30, component.name).Put(34, 12, name).Put(46, 8, date).Text());
        }
    }
}
} // namespace

void RegisterComponentModules(CModuleRegistry& registry)
{
    registry.AddModule(L"OCS_GET_INFO",
                       {Export(L"EV_SAPRL", 4),
                        Tables(L"TT_COMPONENT", registry.AddType(L"OCS_COMPONENT_LINE", {Char(L"LINE", 100)})),
                        Tables(L"TT_COMP_PATCH", registry.AddType(L"OCS_COMP_PATCH_LINE", {Char(L"LINE", 100)})),
                        Tables(L"TT_ADDON", registry.AddType(L"OCS_ADDON_LINE", {Char(L"LINE", 200)})),
                        Tables(L"TT_PATCH", registry.AddType(L"OCS_PATCH_LINE", {Char(L"LINE", 300)}))},
                       OcsGetInfo);
}

} // namespace sapsim
