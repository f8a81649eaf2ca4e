#include <sapsim/ModuleRegistry.h>

namespace sapsim
{

const CModuleRegistry& CModuleRegistry::Instance()
{
    static const CModuleRegistry registry;
    return registry;
}

CModuleRegistry::CModuleRegistry()
{
    RegisterSystemModules(*this);
    RegisterHostModules(*this);
    RegisterReadTable(*this);
    RegisterInstanceModules(*this);
    RegisterDatabaseModules(*this);
    RegisterComponentModules(*this);
    RegisterTuningModules(*this);
    RegisterWorkloadModules(*this);
}

const CFunctionModule* CModuleRegistry::Find(LPCWSTR name) const
{
    for (const CFunctionModule& module : m_modules)
    {
        if (module.Name().CompareNoCase(name) == 0)
            return &module;
    }
    return nullptr;
}

const CStructureType& CModuleRegistry::AddType(LPCWSTR name, std::vector<CFieldDef> fields)
{
    return m_types.emplace_back(name, std::move(fields));
}

void CModuleRegistry::AddModule(LPCWSTR name, std::vector<CFieldDef> parameters, Generator generator)
{
    m_modules.emplace_back(name, std::move(parameters), std::move(generator));
}

} // namespace sapsim
