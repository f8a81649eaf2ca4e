#include <sapsim/FunctionData.h>

namespace sapsim
{

CFunctionData::CFunctionData(const CFunctionModule& module)
    : m_module(&module), m_parameters(module.Parameters().SlotCount()), m_active(module.Parameters().FieldCount(), true)
{
    const CStructureType& type = module.Parameters();
    m_tables.reserve(type.TableCount());
    for (int i = 0; i < type.FieldCount(); ++i)
    {
        if (type.TableOf(i) >= 0)
            m_tables.emplace_back(*type.Field(i).type);
        else if (!type.Field(i).defaultValue.IsEmpty())
            m_parameters.Set(type.SlotOf(i), type.Field(i).defaultValue.GetString());
    }
}

} // namespace sapsim
