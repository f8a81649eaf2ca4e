// The rows of a table parameter and its cursor, the row that the table's handle reads.
#pragma once

#include <sapsim/Record.h>
#include <sapsim/StructureType.h>

#include <vector>

namespace sapsim
{

class CTable
{
public:
    explicit CTable(const CStructureType& rowType) : m_rowType(&rowType)
    {
    }

    const CStructureType& RowType() const
    {
        return *m_rowType;
    }
    unsigned RowCount() const
    {
        return static_cast<unsigned>(m_rows.size());
    }
    CRecord& Row(unsigned row)
    {
        return m_rows[row];
    }
    const CRecord& Row(unsigned row) const
    {
        return m_rows[row];
    }
    // -1 when the table has no current row.
    int Cursor() const
    {
        return m_cursor;
    }

    // An empty row at the end, which becomes the current row.
    CRecord& Append();
    // false, and the cursor unchanged, when there is no such row.
    bool MoveTo(unsigned row);
    void Clear();
    void Reserve(unsigned rows)
    {
        m_rows.reserve(rows);
    }

private:
    const CStructureType* m_rowType;
    std::vector<CRecord> m_rows;
    int m_cursor = -1;
};

} // namespace sapsim
