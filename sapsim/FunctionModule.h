// A function module of the simulated SAP systems: its parameters (a field table) and the
// generator that fills its results.
#pragma once

#include <sapsim/StructureType.h>

#include <functional>

namespace sapsim
{

class CCallContext;
using Generator = std::function<void(CCallContext&)>;

class CFunctionModule
{
public:
    CFunctionModule(LPCWSTR name, std::vector<CFieldDef> parameters, Generator generator);

    const CString& Name() const
    {
        return m_parameters.Name();
    }
    const CStructureType& Parameters() const
    {
        return m_parameters;
    }
    void Generate(CCallContext& context) const
    {
        m_generator(context);
    }

private:
    CStructureType m_parameters;
    Generator m_generator;
};

} // namespace sapsim
