#include <sapsim/LandscapeFile.h>

#include <sapsim/LandscapeException.h>

#include <algorithm>
#include <map>
#include <string_view>

namespace sapsim
{
namespace
{
const LPCWSTR kServices[] = {L"dialog", L"update", L"enqueue", L"background", L"spool", L"update2", L"atp", L"icm"};

[[noreturn]] void FailAt(const CString& file, int line, LPCWSTR what)
{
    CString message;
    message.Format(L"Landscape file %s, line %d: %s.", file.GetString(), line, what);
    CLandscapeException::Throw(message);
}

// One line: keyword, names and settings, each setting taken at most once.
class CLine
{
public:
    CLine(const CString& file, int number, const CString& text) : m_file(file), m_number(number)
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
        FailAt(m_file, m_number, what);
    }
    // Fails with the problem unless it is empty.
    void Check(const CString& problem) const
    {
        if (!problem.IsEmpty())
            Fail(problem);
    }
    int Number() const
    {
        return m_number;
    }

private:
    const CString& m_file;
    int m_number;
    std::vector<CString> m_words;
    std::map<CString, CString> m_settings;
};

// The offset of the first byte that does not belong to a well-formed UTF-8 character; npos
// when there is none.
size_t InvalidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size())
    {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80)
        {
            ++i;
            continue;
        }
        const size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                              : lead >= 0xE0 && lead <= 0xEF ? 3
                              : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                             : 0;
        if (length == 0 || i + length > text.size())
            return i;
        // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
        const unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
        const auto second = static_cast<unsigned char>(text[i + 1]);
        if (second < low || second > high)
            return i;
        for (size_t k = 2; k < length; ++k)
        {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return i;
        }
        i += length;
    }
    return std::string_view::npos;
}

// The line of the unit at offset: one more than the line ends before it.
template <typename Unit> int LineAt(std::basic_string_view<Unit> text, size_t offset)
{
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, Unit('\n')));
}

// The file's text: UTF-8 with or without its byte-order mark, or UTF-16 with its mark. Other
// encodings are refused, since they would be read as wrong names or as nothing at all.
CString Decode(const std::string& bytes, const CString& file)
{
    const bool littleEndian = bytes.starts_with("\xFF\xFE");
    if (littleEndian || bytes.starts_with("\xFE\xFF"))
    {
        std::wstring text((bytes.size() - 2) / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i)
        {
            const auto first = static_cast<unsigned char>(bytes[2 + 2 * i]);
            const auto second = static_cast<unsigned char>(bytes[3 + 2 * i]);
            text[i] = static_cast<wchar_t>(littleEndian ? first | second << 8 : first << 8 | second);
        }
        if (bytes.size() % 2 != 0)
            FailAt(file, LineAt<wchar_t>(text, text.size()), L"the file ends inside a UTF-16 character");
        const size_t zero = text.find(L'\0');
        if (zero != std::wstring::npos)
            FailAt(file, LineAt<wchar_t>(text, zero), L"the file holds a zero character");
        return CString(text.data(), static_cast<int>(text.size()));
    }
    const std::string_view text = std::string_view(bytes).substr(bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    const size_t zero = text.find('\0');
    if (zero != std::string_view::npos)
        FailAt(file, LineAt(text, zero),
               L"the file holds zero bytes, as UTF-16 text does without its byte-order mark; save it as UTF-8");
    const size_t invalid = InvalidUtf8(text);
    if (invalid != std::string_view::npos)
    {
        CString problem;
        problem.Format(L"byte 0x%02X is not UTF-8; save the file as UTF-8", static_cast<unsigned char>(text[invalid]));
        FailAt(file, LineAt(text, invalid), problem);
    }
    return CString(CA2W(std::string(text).c_str(), CP_UTF8));
}

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
    line.Check(topology.HostProblem(topology.hosts.size() - 1));
}

void ReadInstance(CTopology& topology, CLine& line)
{
    CSystemInfo& system = System(topology, line, line.Name(0, 1));
    const size_t systemIndex = static_cast<size_t>(&system - topology.systems.data());
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
    line.Check(topology.InstanceProblem(systemIndex, system.instances.size() - 1));
}

// The lines of the systems, for the problems found once the file is read.
void ReadLine(CTopology& topology, CLine& line, std::vector<int>& systemLines)
{
    const CString& keyword = line.Keyword();
    if (keyword == L"seed")
        topology.seed = static_cast<UINT64>(static_cast<unsigned>(line.ToNumber(line.Name(0, 1), L"the seed")));
    else if (keyword == L"host")
        ReadHost(topology, line);
    else if (keyword == L"database")
    {
        topology.databases.push_back(
            CDatabaseInfo{line.Name(0, 1), line.Required(L"system"), line.Required(L"host"), line.Text(L"release")});
        line.Check(topology.DatabaseProblem(topology.databases.size() - 1));
    }
    else if (keyword == L"system")
    {
        CSystemInfo system;
        system.id = line.Name(0, 1);
        system.release = line.Required(L"release");
        system.kernel = line.Text(L"kernel", system.release);
        system.database = line.Required(L"database");
        system.clients = line.List(L"clients");
        topology.systems.push_back(std::move(system));
        line.Check(topology.SystemProblem(topology.systems.size() - 1));
        systemLines.push_back(line.Number());
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

CTopology CLandscapeFile::Parse(const CString& text, const CString& file)
{
    CTopology topology;
    std::vector<int> systemLines;
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
        CLine line(file, number, content);
        ReadLine(topology, line, systemLines);
    }
    // Without a system every logon would fail later with "partner not reached".
    if (topology.systems.empty())
    {
        CString message;
        message.Format(L"Landscape file %s defines no SAP system.", file.GetString());
        CLandscapeException::Throw(message);
    }
    for (size_t system = 0; system < topology.systems.size(); ++system)
    {
        const CString problem = topology.CompletenessProblem(system);
        if (!problem.IsEmpty())
            FailAt(file, systemLines[system], problem);
    }
    return topology;
}

CTopology CLandscapeFile::Read(LPCWSTR path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyWrite);
    const CString name = file.GetFilePath();
    const ULONGLONG length = file.GetLength();
    if (length > 16 * 1024 * 1024)
        CLandscapeException::Throw(L"Landscape file " + name + L" is larger than 16 MB.");
    std::string bytes(static_cast<size_t>(length), '\0');
    if (file.Read(bytes.data(), static_cast<UINT>(length)) != length)
        CLandscapeException::Throw(L"Landscape file " + name + L" could not be read to its end.");
    return Parse(Decode(bytes, name), name);
}

} // namespace sapsim
