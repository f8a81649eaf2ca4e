// One call of a module of a test landscape, without the RFC library: set imports, invoke,
// read exports and table columns as texts.
#pragma once

#include <sapsim/Failure.h>
#include <sapsim/Landscape.h>
#include <sapsim/ModuleRegistry.h>
#include <testing/PrintString.h>

#include <gtest/gtest.h>

#include <vector>

class CSimCall
{
public:
    CSimCall(sapsim::CLandscape& landscape, const std::shared_ptr<sapsim::CSession>& session, LPCWSTR module)
        : m_landscape(landscape), m_session(session), m_data(m_landscape.Describe(*session, module))
    {
    }

    CSimCall& Set(LPCWSTR name, LPCWSTR value)
    {
        m_data.Parameters().Set(Slot(m_data.Type(), name), value);
        return *this;
    }
    CSimCall& AddRow(LPCWSTR table, LPCWSTR field, LPCWSTR value)
    {
        sapsim::CTable& rows = Table(table);
        rows.Append().Set(Slot(rows.RowType(), field), value);
        return *this;
    }

    // "" on success, else the failure's key.
    CString Invoke()
    {
        try
        {
            m_landscape.Invoke(*m_session, m_data);
            return CString();
        }
        catch (sapsim::CFailure* failure)
        {
            const CString key = failure->m_key;
            m_kind = failure->m_kind;
            failure->Delete();
            return key;
        }
    }
    sapsim::FailureKind Kind() const
    {
        return m_kind;
    }

    CString Export(LPCWSTR name)
    {
        return Text(m_data.Parameters(), Slot(m_data.Type(), name));
    }
    CString Field(LPCWSTR structure, LPCWSTR field)
    {
        const int index = m_data.Type().Find(structure);
        EXPECT_LE(0, index) << structure;
        const sapsim::CStructureType& type = *m_data.Type().Field(index).type;
        return Text(m_data.Parameters(), m_data.Type().SlotOf(index) + Slot(type, field));
    }
    std::vector<CString> Column(LPCWSTR table, LPCWSTR field)
    {
        sapsim::CTable& rows = Table(table);
        std::vector<CString> values;
        for (unsigned row = 0; row < rows.RowCount(); ++row)
            values.push_back(Text(rows.Row(row), Slot(rows.RowType(), field)));
        return values;
    }

private:
    static unsigned Slot(const sapsim::CStructureType& type, LPCWSTR name)
    {
        const int index = type.Find(name);
        EXPECT_LE(0, index) << name;
        return type.SlotOf(index < 0 ? 0 : index);
    }
    static CString Text(const sapsim::CRecord& record, unsigned slot)
    {
        const std::wstring_view value = record.Get(slot);
        return CString(value.data(), static_cast<int>(value.size()));
    }
    sapsim::CTable& Table(LPCWSTR name)
    {
        const int index = m_data.Type().Find(name);
        EXPECT_LE(0, index) << name;
        return m_data.Table(m_data.Type().TableOf(index));
    }

    sapsim::CLandscape& m_landscape;
    std::shared_ptr<sapsim::CSession> m_session;
    sapsim::CFunctionData m_data;
    sapsim::FailureKind m_kind = sapsim::FailureKind::InvalidParameter;
};

// A landscape of its own, at a fixed time, with sessions on the default instances.
class SimFixture : public ::testing::Test
{
protected:
    static constexpr __time64_t kMonday2pm = 1715608800; // 2024-05-13 14:00 UTC

    void SetUp() override
    {
        m_landscape.Load(sapsim::CTopology::Default());
        m_landscape.SetTime(kMonday2pm);
    }

    std::shared_ptr<sapsim::CSession> Logon(LPCWSTR host = L"saplx01", LPCWSTR sysnr = L"00", LPCWSTR client = L"100",
                                            LPCWSTR user = L"LUMITER", LPCWSTR password = L"Lumiter5!")
    {
        return m_landscape.Logon({host, sysnr, client, user, password, L"EN"});
    }

    CSimCall Call(LPCWSTR module, const std::shared_ptr<sapsim::CSession>& session = nullptr)
    {
        return CSimCall(m_landscape, session != nullptr ? session : Logon(), module);
    }

    sapsim::CLandscape m_landscape;
};
