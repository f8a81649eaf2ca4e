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

bool CFunctionObject::Resolve(unsigned number, CContainer& container)
{
    if (number >= m_views.size())
        return false;
    CView& view = m_views[number];
    container.type = view.type;
    container.base = view.base;
    container.nextField = &view.nextField;
    if (view.table < 0)
    {
        container.record = &m_data.Parameters();
        container.table = nullptr;
        return true;
    }
    sapsim::CTable& table = m_data.Table(view.table);
    const int row = view.row >= 0 ? view.row : table.Cursor();
    container.table = view.isTable ? &table : nullptr;
    container.record = row >= 0 && static_cast<unsigned>(row) < table.RowCount() ? &table.Row(row) : nullptr;
    // A row handle whose row was deleted is no longer valid; a table handle always is.
    return view.isTable || container.record != nullptr || view.row < 0;
}

} // namespace nwrfc
