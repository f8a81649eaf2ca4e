#include <sapsim/LandscapeFile.h>

#include <sapsim/LandscapeException.h>

#include <map>

namespace sapsim
{
namespace
{
const LPCWSTR kServices[] = {L"dialog", L"update", L"enqueue", L"background", L"spool", L"update2", L"atp", L"icm"};

// One line: keyword, names and settings, each setting taken at most once.
class CLine
{
public:
    CLine(int number, const CString& text) : m_number(number)
    {
        int i = 0;
        const int length = text.GetLength();
        while (true)
        {
            while (i < length && iswspace(text[i]))
                ++i;
            if (i == length)
                break;
            CString token;
            bool quoted = false;
            for (; i < length && (quoted || !iswspace(text[i])); ++i)
            {
                if (text[i] == L'"')
                    quoted = !quoted;
                else
                    token += text[i];
            }
            if (quoted)
                Fail(L"a quote is not closed");
            const int equals = token.Find(L'=');
            if (m_words.empty() || equals < 0)
            {
                if (!m_settings.empty())
                    Fail(L"names must come before the settings");
                m_words.push_back(token);
            }
            else if (!m_settings.emplace(token.Left(equals), token.Mid(equals + 1)).second)
                Fail(L"a setting is given twice");
        }
    }

    bool IsEmpty() const
    {
        return m_words.empty();
    }
    const CString& Keyword() const
    {
        return m_words[0];
    }
    // The keyword must be followed by exactly this many names.
    const CString& Name(int index, int count) const
    {
        if (static_cast<int>(m_words.size()) != count + 1)
        {
            CString message;
            message.Format(L"'%s' takes %d name(s)", Keyword().GetString(), count);
            Fail(message);
        }
        return m_words[index + 1];
    }
    CString Text(LPCWSTR key, LPCWSTR fallback = L"")
    {
        const auto it = m_settings.find(key);
        if (it == m_settings.end())
            return fallback;
        CString value = it->second;
        m_settings.erase(it);
        return value;
    }
    CString Required(LPCWSTR key)
    {
        if (m_settings.find(key) == m_settings.end())
        {
            CString message;
            message.Format(L"the setting %s is missing", key);
            Fail(message);
        }
        return Text(key);
    }
    int Number(LPCWSTR key, int fallback)
    {
        const CString text = Text(key);
        return text.IsEmpty() ? fallback : ToNumber(text, key);
    }
    std::vector<CString> List(LPCWSTR key)
    {
        std::vector<CString> items;
        const CString text = Text(key);
        int position = 0;
        for (CString item = text.Tokenize(L",", position); position >= 0; item = text.Tokenize(L",", position))
            items.push_back(item);
        return items;
    }
    int ToNumber(const CString& text, LPCWSTR what) const
    {
        wchar_t* end = nullptr;
        const long value = wcstol(text, &end, 10);
        if (text.IsEmpty() || *end != 0 || value < INT_MIN || value > INT_MAX)
        {
            CString message;
            message.Format(L"%s must be a whole number, not '%s'", what, text.GetString());
            Fail(message);
        }
        return static_cast<int>(value);
    }
    // Every setting must have been used.
    void Finish() const
    {
        if (!m_settings.empty())
        {
            CString message;
            message.Format(L"'%s' has no setting %s", Keyword().GetString(), m_settings.begin()->first.GetString());
            Fail(message);
        }
    }
    [[noreturn]] void Fail(LPCWSTR what) const
    {
        CString message;
        message.Format(L"Landscape file, line %d: %s.", m_number, what);
        CLandscapeException::Throw(message);
    }

private:
    int m_number;
    std::vector<CString> m_words;
    std::map<CString, CString> m_settings;
};

CSystemInfo& System(CTopology& topology, const CLine& line, const CString& id)
{
    for (CSystemInfo& system : topology.systems)
    {
        if (system.id.CompareNoCase(id) == 0)
            return system;
    }
    CString message;
    message.Format(L"the system %s is not described above", id.GetString());
    line.Fail(message);
}

void ReadHost(CTopology& topology, CLine& line)
{
    CHostInfo host;
    host.name = line.Name(0, 1);
    host.os = line.Required(L"os");
    host.osRelease = line.Text(L"release");
    host.ip = line.Text(L"ip");
    host.domain = line.Text(L"domain");
    host.model = line.Text(L"model");
    host.cpus = line.Number(L"cpus", host.cpus);
    host.cpuMHz = line.Number(L"mhz", host.cpuMHz);
    host.memoryMB = line.Number(L"memory", host.memoryMB);
    host.swapMB = line.Number(L"swap", host.swapMB);
    host.timeZone = line.Number(L"timezone", host.timeZone);
    for (const CString& disk : line.List(L"disks"))
    {
        const int colon = disk.Find(L':');
        if (colon <= 0)
            line.Fail(L"a disk is written name:sizeMB");
        host.disks.push_back(CDiskInfo{disk.Left(colon), line.ToNumber(disk.Mid(colon + 1), L"a disk size")});
    }
    host.lans = line.List(L"lans");
    if (host.cpus < 1 || host.memoryMB < 1)
        line.Fail(L"a host needs at least one processor and some memory");
    topology.hosts.push_back(std::move(host));
}

void ReadInstance(CTopology& topology, CLine& line)
{
    CSystemInfo& system = System(topology, line, line.Name(0, 1));
    CInstanceInfo instance;
    instance.host = line.Required(L"host");
    instance.sysnr = line.Required(L"sysnr");
    const int statRecords = line.Number(L"statrecords", static_cast<int>(instance.statRecordsPerMinute));
    if (statRecords < 0)
        line.Fail(L"statrecords cannot be negative");
    instance.statRecordsPerMinute = static_cast<unsigned>(statRecords);
    for (const CString& service : line.List(L"services"))
    {
        int bit = 0;
        while (bit < static_cast<int>(std::size(kServices)) && service.CompareNoCase(kServices[bit]) != 0)
            ++bit;
        if (bit == static_cast<int>(std::size(kServices)))
        {
            CString message;
            message.Format(L"'%s' is no service", service.GetString());
            line.Fail(message);
        }
        instance.services |= 1u << bit;
    }
    system.instances.push_back(std::move(instance));
}

void ReadLine(CTopology& topology, CLine& line)
{
    const CString& keyword = line.Keyword();
    if (keyword == L"seed")
        topology.seed = static_cast<UINT64>(static_cast<unsigned>(line.ToNumber(line.Name(0, 1), L"the seed")));
    else if (keyword == L"host")
        ReadHost(topology, line);
    else if (keyword == L"database")
        topology.databases.push_back(
            CDatabaseInfo{line.Name(0, 1), line.Required(L"system"), line.Required(L"host"), line.Text(L"release")});
    else if (keyword == L"system")
    {
        CSystemInfo system;
        system.id = line.Name(0, 1);
        system.release = line.Required(L"release");
        system.kernel = line.Text(L"kernel", system.release);
        system.database = line.Required(L"database");
        system.clients = line.List(L"clients");
        topology.systems.push_back(std::move(system));
    }
    else if (keyword == L"user")
    {
        CSystemInfo& system = System(topology, line, line.Name(0, 2));
        system.users.push_back(CUserInfo{line.Name(1, 2), line.Required(L"password"), line.List(L"auth")});
    }
    else if (keyword == L"instance")
        ReadInstance(topology, line);
    else if (keyword == L"table")
    {
        CSystemInfo& system = System(topology, line, line.Name(0, 2));
        system.tables.push_back(
            CTableInfo{line.Name(1, 2), line.Number(L"rows", 0), line.Number(L"fields", CTableInfo().fieldCount)});
    }
    else
    {
        CString message;
        message.Format(L"unknown keyword '%s'", keyword.GetString());
        line.Fail(message);
    }
    line.Finish();
}
} // namespace

CTopology CLandscapeFile::Parse(const CString& text)
{
    CTopology topology;
    int position = 0;
    for (int number = 1; position <= text.GetLength(); ++number)
    {
        int end = text.Find(L'\n', position);
        if (end < 0)
            end = text.GetLength();
        CString content = text.Mid(position, end - position);
        position = end + 1;
        content.Trim();
        if (content.IsEmpty() || content[0] == L'#')
            continue;
        CLine line(number, content);
        ReadLine(topology, line);
    }
    topology.Validate();
    return topology;
}

CTopology CLandscapeFile::Read(LPCWSTR path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    const ULONGLONG length = file.GetLength();
    if (length > 16 * 1024 * 1024)
        CLandscapeException::Throw(L"The landscape file is larger than 16 MB.");
    std::string bytes(static_cast<size_t>(length), '\0');
    if (file.Read(bytes.data(), static_cast<UINT>(length)) != length)
        CLandscapeException::Throw(L"The landscape file could not be read to its end.");
    const size_t start = bytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const CString text(CA2W(bytes.c_str() + start, CP_UTF8));
    return Parse(text);
}

} // namespace sapsim
