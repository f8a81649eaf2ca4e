#include <nwrfc/FunctionObject.h>

namespace nwrfc
{

CFunctionObject::CFunctionObject(const sapsim::CFunctionModule& module) : m_data(module)
{
    CView root;
    root.type = &module.Parameters();
    ViewOf(root);
}

unsigned CFunctionObject::ViewOf(const CView& view)
{
    const auto [it, added] = m_numbers.emplace(view.Key(), static_cast<unsigned>(m_views.size()));
    if (added)
        m_views.push_back(view);
    return it->second;
}

} // namespace nwrfc
