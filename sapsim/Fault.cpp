#include <sapsim/Fault.h>

namespace sapsim
{
namespace
{
bool ScopeMatches(const CString& scope, LPCWSTR name)
{
    return scope.IsEmpty() || (name != nullptr && scope.CompareNoCase(name) == 0);
}
} // namespace

bool CFault::Matches(LPCWSTR systemId, LPCWSTR instanceName, LPCWSTR hostName, LPCWSTR moduleName) const
{
    return ScopeMatches(system, systemId) && ScopeMatches(instance, instanceName) && ScopeMatches(host, hostName) &&
           ScopeMatches(module, moduleName);
}

} // namespace sapsim
