#include <sapsim/StructureType.h>

#include <sapsim/LandscapeException.h>

namespace sapsim
{

CFieldDef Char(LPCWSTR name, unsigned width)
{
    return CFieldDef{name, FieldKind::Char, width, nullptr, Direction::None, {}};
}

CFieldDef Date(LPCWSTR name)
{
    return CFieldDef{name, FieldKind::Date, 8, nullptr, Direction::None, {}};
}

CFieldDef Time(LPCWSTR name)
{
    return CFieldDef{name, FieldKind::Time, 6, nullptr, Direction::None, {}};
}

CFieldDef Struct(LPCWSTR name, const CStructureType& type)
{
    return CFieldDef{name, FieldKind::Structure, 0, &type, Direction::None, {}};
}

CFieldDef Import(LPCWSTR name, unsigned width, LPCWSTR defaultValue)
{
    return CFieldDef{name, FieldKind::Char, width, nullptr, Direction::Import, defaultValue};
}

CFieldDef Export(LPCWSTR name, unsigned width)
{
    return Export(Char(name, width));
}

CFieldDef Export(CFieldDef field)
{
    field.direction = Direction::Export;
    return field;
}

CFieldDef ExportStructure(LPCWSTR name, const CStructureType& type)
{
    return Export(Struct(name, type));
}

CFieldDef Changing(LPCWSTR name, unsigned width)
{
    return CFieldDef{name, FieldKind::Char, width, nullptr, Direction::Changing, {}};
}

CFieldDef Tables(LPCWSTR name, const CStructureType& rowType)
{
    return CFieldDef{name, FieldKind::Table, 0, &rowType, Direction::Tables, {}};
}

CStructureType::CStructureType(LPCWSTR name, std::vector<CFieldDef> fields) : m_name(name), m_fields(std::move(fields))
{
    m_slots.reserve(m_fields.size());
    m_tables.reserve(m_fields.size());
    for (int i = 0; i < FieldCount(); ++i)
    {
        const CFieldDef& field = m_fields[i];
        m_slots.push_back(m_slotCount);
        m_tables.push_back(field.kind == FieldKind::Table ? m_tableCount++ : -1);
        if (field.kind == FieldKind::Structure)
            m_slotCount += field.type->SlotCount();
        else if (field.kind != FieldKind::Table)
            ++m_slotCount;
        // The views point into m_fields, which is not resized any more.
        if (!m_index.emplace(std::wstring_view(field.name.GetString(), field.name.GetLength()), i).second)
        {
            CString message;
            message.Format(L"%s has two fields named %s.", m_name.GetString(), field.name.GetString());
            CLandscapeException::Throw(message);
        }
    }
}

int CStructureType::Find(LPCWSTR name) const
{
    auto it = m_index.find(std::wstring_view(name));
    return it == m_index.end() ? -1 : it->second;
}

} // namespace sapsim
