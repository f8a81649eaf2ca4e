// A function as the library's caller sees it: the function's data and the views below it
// that structure, table and row handles name. A table view reads the table's current row;
// a row view from RfcAppendNewRow stays on its row; a structure view inside a table row
// follows the row that its parent view reads.
#pragma once

#include <sapsim/FunctionData.h>

#include <map>
#include <tuple>
#include <vector>

namespace nwrfc
{

struct CView
{
    int table = -1; // -1: the function's own parameters
    int row = -1;   // -1: the table's current row
    const sapsim::CStructureType* type = nullptr;
    unsigned base = 0; // first slot of the structure within its record
    bool isTable = false;
    // Where the next field name is looked for first: callers mostly read fields in order. Like
    // the table's cursor, it belongs to the one thread that uses the function.
    int nextField = 0;

    auto Key() const
    {
        return std::make_tuple(table, row, type, base, isTable);
    }
};

// What a view reads now.
struct CContainer
{
    sapsim::CRecord* record = nullptr; // nullptr: the table has no current row
    const sapsim::CStructureType* type = nullptr;
    unsigned base = 0;
    sapsim::CTable* table = nullptr; // table views only
    int* nextField = nullptr;        // the view's
};

class CFunctionObject
{
public:
    explicit CFunctionObject(const sapsim::CFunctionModule& module);

    sapsim::CFunctionData& Data()
    {
        return m_data;
    }
    // The view's number, the same for the same view; 0 is the function itself.
    unsigned ViewOf(const CView& view);
    const CView& View(unsigned number) const
    {
        return m_views[number];
    }
    // false when there is no such view or its row is gone.
    bool Resolve(unsigned number, CContainer& container)
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

private:
    sapsim::CFunctionData m_data;
    std::vector<CView> m_views;
    std::map<decltype(CView().Key()), unsigned> m_numbers;
};

} // namespace nwrfc
