#include <sapsim/Table.h>

namespace sapsim
{

CRecord& CTable::Append()
{
    m_rows.emplace_back(m_rowType->SlotCount());
    m_cursor = static_cast<int>(m_rows.size()) - 1;
    return m_rows.back();
}

bool CTable::MoveTo(unsigned row)
{
    if (row >= m_rows.size())
        return false;
    m_cursor = static_cast<int>(row);
    return true;
}

void CTable::Clear()
{
    m_rows.clear();
    m_cursor = -1;
}

} // namespace sapsim
