// The layout of a structure, a table row or a function module's parameters: named fields of
// text (with their width in characters), nested structures and tables. Values live in
// CRecord slots: a text field has one slot, a nested structure the slots of its own fields.
#pragma once

#include <afx.h>

#include <string_view>
#include <unordered_map>
#include <vector>

namespace sapsim
{

class CStructureType;

enum class FieldKind
{
    Char,
    Date, // YYYYMMDD
    Time, // HHMMSS
    Structure,
    Table,
};

// Only function-module parameters have a direction.
enum class Direction
{
    None,
    Import,
    Export,
    Changing, // sent and returned
    Tables,   // sent and returned
};

struct CFieldDef
{
    CString name;
    FieldKind kind = FieldKind::Char;
    unsigned width = 0;                   // text fields
    const CStructureType* type = nullptr; // structures and tables
    Direction direction = Direction::None;
    CString defaultValue; // what an import holds until the caller sets it
};

CFieldDef Char(LPCWSTR name, unsigned width);
CFieldDef Date(LPCWSTR name);
CFieldDef Time(LPCWSTR name);
CFieldDef Struct(LPCWSTR name, const CStructureType& type);
CFieldDef Import(LPCWSTR name, unsigned width, LPCWSTR defaultValue = L"");
CFieldDef Export(LPCWSTR name, unsigned width);
CFieldDef Export(CFieldDef field);
CFieldDef ExportStructure(LPCWSTR name, const CStructureType& type);
CFieldDef Changing(LPCWSTR name, unsigned width);
CFieldDef Tables(LPCWSTR name, const CStructureType& rowType);

class CStructureType
{
public:
    CStructureType(LPCWSTR name, std::vector<CFieldDef> fields);
    CStructureType(const CStructureType&) = delete;
    CStructureType& operator=(const CStructureType&) = delete;

    const CString& Name() const
    {
        return m_name;
    }
    int FieldCount() const
    {
        return static_cast<int>(m_fields.size());
    }
    const CFieldDef& Field(int field) const
    {
        return m_fields[field];
    }
    // Exact, case-sensitive, as field names are; -1 when there is none.
    int Find(LPCWSTR name) const;
    // The same, trying the field at next first; next then names the field after the one found.
    int Find(LPCWSTR name, int& next) const
    {
        const bool hit = next >= 0 && next < FieldCount() && SameName(m_fields[next].name, name);
        const int field = hit ? next : Find(name);
        if (field >= 0)
            next = field + 1;
        return field;
    }

    unsigned SlotCount() const
    {
        return m_slotCount;
    }
    // A text field's slot, or the first slot of a nested structure.
    unsigned SlotOf(int field) const
    {
        return m_slots[field];
    }
    // Tables are numbered in field order; -1 for other fields.
    int TableOf(int field) const
    {
        return m_tables[field];
    }
    int TableCount() const
    {
        return m_tableCount;
    }

private:
    // Field names are short: comparing them here is cheaper than calling the runtime.
    static bool SameName(LPCWSTR a, LPCWSTR b)
    {
        while (*a != 0 && *a == *b)
        {
            ++a;
            ++b;
        }
        return *a == *b;
    }

    CString m_name;
    std::vector<CFieldDef> m_fields;
    std::vector<unsigned> m_slots;
    std::vector<int> m_tables;
    std::unordered_map<std::wstring_view, int> m_index;
    unsigned m_slotCount = 0;
    int m_tableCount = 0;
};

} // namespace sapsim
