// The values of one function of a module: its scalar and structure parameters in one record,
// one table per table parameter, and which parameters are active.
#pragma once

#include <sapsim/FunctionModule.h>
#include <sapsim/Record.h>
#include <sapsim/Table.h>

namespace sapsim
{

class CFunctionData
{
public:
    explicit CFunctionData(const CFunctionModule& module);

    const CFunctionModule& Module() const
    {
        return *m_module;
    }
    const CStructureType& Type() const
    {
        return m_module->Parameters();
    }
    CRecord& Parameters()
    {
        return m_parameters;
    }
    CTable& Table(int table)
    {
        return m_tables[table];
    }
    // Parameters are active until switched off; an inactive one is neither sent nor filled.
    bool IsActive(int field) const
    {
        return m_active[field];
    }
    void SetActive(int field, bool active)
    {
        m_active[field] = active;
    }

private:
    const CFunctionModule* m_module;
    CRecord m_parameters;
    std::vector<CTable> m_tables;
    std::vector<bool> m_active;
};

} // namespace sapsim
