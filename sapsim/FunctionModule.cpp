#include <sapsim/FunctionModule.h>

namespace sapsim
{

CFunctionModule::CFunctionModule(LPCWSTR name, std::vector<CFieldDef> parameters, Generator generator)
    : m_parameters(name, std::move(parameters)), m_generator(std::move(generator))
{
}

} // namespace sapsim
