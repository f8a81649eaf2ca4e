// Every function module that the simulated SAP systems offer. Adding a module is one call of
// AddModule with its parameter table and generator, in one of the module files.
#pragma once

#include <sapsim/FunctionModule.h>

#include <deque>
#include <memory>

namespace sapsim
{

class CModuleRegistry
{
public:
    static const CModuleRegistry& Instance();

    // Without regard to case; nullptr when there is none.
    const CFunctionModule* Find(LPCWSTR name) const;
    const std::deque<CFunctionModule>& Modules() const
    {
        return m_modules;
    }

    // For the module files: types and modules live as long as the registry.
    const CStructureType& AddType(LPCWSTR name, std::vector<CFieldDef> fields);
    void AddModule(LPCWSTR name, std::vector<CFieldDef> parameters, Generator generator);

private:
    CModuleRegistry();

    std::deque<CStructureType> m_types;
    std::deque<CFunctionModule> m_modules;
};

// The module files.
void RegisterSystemModules(CModuleRegistry& registry);
void RegisterHostModules(CModuleRegistry& registry);
void RegisterReadTable(CModuleRegistry& registry);
void RegisterInstanceModules(CModuleRegistry& registry);
void RegisterDatabaseModules(CModuleRegistry& registry);
void RegisterComponentModules(CModuleRegistry& registry);
void RegisterTuningModules(CModuleRegistry& registry);
void RegisterWorkloadModules(CModuleRegistry& registry);

} // namespace sapsim
