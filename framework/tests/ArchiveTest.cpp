#include <afx.h>
#include <afxcoll.h>

#include <testing/PrivateBytes.h>
#include <testing/TempDirectory.h>

#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace
{
typedef std::vector<BYTE> Bytes;

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes result;
    for (const Bytes& part : parts)
        result.insert(result.end(), part.begin(), part.end());
    return result;
}

Bytes Narrow(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

// UTF-16LE, as the archive holds text.
Bytes Wide(LPCWSTR text)
{
    Bytes result;
    for (; *text != 0; ++text)
    {
        result.push_back(static_cast<BYTE>(*text & 0xFF));
        result.push_back(static_cast<BYTE>(*text >> 8));
    }
    return result;
}

Bytes FileBytes(CFile& file)
{
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    EXPECT_EQ(file.Read(bytes.data(), static_cast<UINT>(bytes.size())), bytes.size());
    return bytes;
}

Bytes Stored(const std::function<void(CArchive&)>& store)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    store(ar);
    ar.Close();
    return FileBytes(file);
}

// An archive loading the given bytes from memory.
class Loading
{
public:
    explicit Loading(const Bytes& bytes)
    {
        if (!bytes.empty())
            m_file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        m_file.SeekToBegin();
    }
    CArchive& ar()
    {
        return m_ar;
    }
    bool AtEnd()
    {
        BYTE by;
        return m_ar.Read(&by, 1) == 0;
    }

private:
    CMemFile m_file;
    CArchive m_ar{&m_file, CArchive::load};
};

// The cause of the CArchiveException that call throws, or -1.
int ArchiveCause(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CArchiveException* e)
    {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    }
    return -1;
}

bool ThrowsNotSupported(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (CNotSupportedException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

class CPebble : public CObject
{
    DECLARE_SERIAL(CPebble)
public:
    explicit CPebble(WORD wWeight = 0) : m_wWeight(wWeight)
    {
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_wWeight;
        else
            ar >> m_wWeight;
    }
    WORD m_wWeight;
};

// Schema 1 holds the colour, schema 2 also an object inside (not owned).
class CShell : public CObject
{
    DECLARE_SERIAL(CShell)
public:
    CShell()
    {
        ++s_nLive;
    }
    ~CShell() override
    {
        --s_nLive;
    }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
        {
            ar << m_byColour << m_pInside;
            return;
        }
        m_nSchema = ar.GetObjectSchema();
        ar >> m_byColour;
        if (m_nSchema >= 2)
            ar >> m_pInside;
    }
    BYTE m_byColour = 0;
    CObject* m_pInside = nullptr;
    UINT m_nSchema = 0;
    static int s_nLive;
};

int CShell::s_nLive = 0;

IMPLEMENT_SERIAL(CPebble, CObject, 1)
IMPLEMENT_SERIAL(CShell, CObject, VERSIONABLE_SCHEMA | 2)

const Bytes kPebbleClass = Join({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Narrow("CPebble")});
const Bytes kShellClass = Join({{0xFF, 0xFF, 0x02, 0x00, 0x06, 0x00}, Narrow("CShell")});

// Pebble A (0x11), pebble B (0x22), a shell (0x33) holding A, A again, and null.
const Bytes kFiveObjects = Join({
    // A: new class CPebble (index 1), then the object (2) with its weight.
    kPebbleClass,
    {0x11, 0x00},
    // B: class 1, object 3.
    {0x01, 0x80, 0x22, 0x00},
    // The shell: new class CShell (4), object 5; its colour, then A inside.
    kShellClass,
    {0x33, 0x02, 0x00},
    // A again, then null.
    {0x02, 0x00},
    {0x00, 0x00},
});

TEST(Archive, ValuesAreLittleEndianWithFixedWidths)
{
    const Bytes bytes = Stored([](CArchive& ar) {
        ar << BYTE(0xAB) << WORD(0x1234) << LONG(-2) << DWORD(0x12345678) << int(-100000) << unsigned(0x80000001)
           << short(-2) << 'Z' << L'\u00DF' << LONGLONG(-3) << ULONGLONG(0x0102030405060708) << 1.5f << -2.0 << true
           << false;
    });
    const Bytes expected = {
        0xAB,                                           // BYTE
        0x34, 0x12,                                     // WORD
        0xFE, 0xFF, 0xFF, 0xFF,                         // LONG
        0x78, 0x56, 0x34, 0x12,                         // DWORD
        0x60, 0x79, 0xFE, 0xFF,                         // int
        0x01, 0x00, 0x00, 0x80,                         // unsigned
        0xFE, 0xFF,                                     // short
        0x5A,                                           // char
        0xDF, 0x00,                                     // wchar_t
        0xFD, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // LONGLONG
        0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, // ULONGLONG
        0x00, 0x00, 0xC0, 0x3F,                         // float
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, // double
        0x01, 0x00,                                     // bool
    };
    EXPECT_EQ(bytes, expected);

    Loading loading(Join({bytes, {0x02}}));
    BYTE by;
    WORD w;
    LONG l;
    DWORD dw;
    int i;
    unsigned u;
    short s;
    char ch;
    wchar_t wch;
    LONGLONG ll;
    ULONGLONG ull;
    float f;
    double d;
    bool b1, b2, b3;
    loading.ar() >> by >> w >> l >> dw >> i >> u >> s >> ch >> wch >> ll >> ull >> f >> d >> b1 >> b2 >> b3;
    EXPECT_EQ(by, 0xAB);
    EXPECT_EQ(w, 0x1234);
    EXPECT_EQ(l, -2);
    EXPECT_EQ(dw, 0x12345678u);
    EXPECT_EQ(i, -100000);
    EXPECT_EQ(u, 0x80000001u);
    EXPECT_EQ(s, -2);
    EXPECT_EQ(ch, 'Z');
    EXPECT_EQ(wch, L'\u00DF');
    EXPECT_EQ(ll, -3);
    EXPECT_EQ(ull, 0x0102030405060708u);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -2.0);
    EXPECT_TRUE(b1);
    EXPECT_FALSE(b2);
    EXPECT_TRUE(b3); // any byte but 0
    EXPECT_TRUE(loading.AtEnd());
}

TEST(ArchiveString, StoresTheMarkedUtf16Form)
{
    const struct
    {
        const char* name;
        LPCWSTR text;
        Bytes bytes;
    } cases[] = {
        {"ASCII", L"AB", {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42, 0x00}},
        {"empty", L"", {0xFF, 0xFE, 0xFF, 0x00}},
        {"beyond ASCII",
         L"Gr\u00FC\u00DFe",
         {0xFF, 0xFE, 0xFF, 0x05, 0x47, 0x00, 0x72, 0x00, 0xFC, 0x00, 0xDF, 0x00, 0x65, 0x00}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar << CString(c.text); }), c.bytes) << c.name;
        // A literal is stored as a CString, not as a bool.
        EXPECT_EQ(Stored([&](CArchive& ar) { ar << c.text; }), c.bytes) << c.name;
        Loading loading(c.bytes);
        CString loaded(L"old");
        loading.ar() >> loaded;
        EXPECT_EQ(loaded, c.text) << c.name;
        EXPECT_TRUE(loading.AtEnd()) << c.name;
    }
}

TEST(ArchiveString, LongStringsTakeLongerLengthFields)
{
    const struct
    {
        int nLength;
        Bytes header;
    } cases[] = {
        {254, {0xFF, 0xFE, 0xFF, 0xFE}},
        {255, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}},
        // 0xFFFE is the marker and 0xFFFF the escape: from here on the length is a DWORD.
        {0xFFFE, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
    };
    for (const auto& c : cases)
    {
        CString text;
        for (int i = 0; i < c.nLength; ++i)
            text.AppendChar(static_cast<wchar_t>(L'a' + i % 26));
        const Bytes bytes = Stored([&](CArchive& ar) { ar << text; });
        ASSERT_EQ(bytes.size(), c.header.size() + 2 * c.nLength) << c.nLength;
        EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.header.size()), c.header) << c.nLength;
        EXPECT_EQ(bytes[c.header.size()], 'a');
        EXPECT_EQ(bytes.back(), 0x00);
        EXPECT_EQ(bytes[bytes.size() - 2], 'a' + (c.nLength - 1) % 26);

        Loading loading(bytes);
        CString loaded;
        loading.ar() >> loaded;
        EXPECT_EQ(loaded, text) << c.nLength;
        EXPECT_TRUE(loading.AtEnd());
    }
}

// Marker, then the escapes BYTE 0xFF, WORD 0xFFFF and DWORD 0xFFFFFFFF: a QWORD length follows.
const Bytes kLongestPrefix = {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

TEST(ArchiveString, LoadsNarrowTextAndEveryLengthForm)
{
    const struct
    {
        const char* name;
        Bytes bytes;
        CString expected;
    } cases[] = {
        {"narrow", {0x03, 0x41, 0x42, 0x43}, L"ABC"},
        {"narrow in the ANSI code page",
         {0x05, 0x47, 0x72, 0xFC, 0xDF, 0x65},
         CString("Gr\xFC\xDF"
                 "e")},
        {"narrow, WORD length", Join({{0xFF, 0x2C, 0x01}, Bytes(300, 'x')}), CString(L'x', 300)},
        {"narrow, DWORD length", {0xFF, 0xFF, 0xFF, 0x04, 0x00, 0x00, 0x00, 0x61, 0x62, 0x63, 0x64}, L"abcd"},
        {"wide, QWORD length",
         Join({kLongestPrefix, {0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x41, 0x00, 0x42, 0x00}}), L"AB"},
    };
    for (const auto& c : cases)
    {
        Loading loading(c.bytes);
        CString loaded;
        loading.ar() >> loaded;
        EXPECT_EQ(loaded, c.expected) << c.name;
        EXPECT_TRUE(loading.AtEnd()) << c.name;
    }
}

TEST(ArchiveString, DamagedLengthsThrowAndKeepTheString)
{
    const struct
    {
        const char* name;
        Bytes bytes;
        int cause;
    } cases[] = {
        {"text cut short", {0xFF, 0xFE, 0xFF, 0x05, 0x41, 0x00}, CArchiveException::endOfFile},
        {"marker cut short", {0xFF, 0xFE}, CArchiveException::endOfFile},
        // Nearly 4 GB promised: the data ends long before anything of that size is allocated.
        {"huge length",
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0x7F, 0x41, 0x00},
         CArchiveException::endOfFile},
        {"longer than a CString", Join({kLongestPrefix, {0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00}}),
         CArchiveException::badIndex},
    };
    for (const auto& c : cases)
    {
        Loading loading(c.bytes);
        CString loaded(L"kept");
        EXPECT_EQ(ArchiveCause([&] { loading.ar() >> loaded; }), c.cause) << c.name;
        EXPECT_EQ(loaded, L"kept") << c.name;
    }
}

TEST(ArchiveText, WriteStringAddsNothingAndReadStringSplitsLines)
{
    EXPECT_EQ(Stored([](CArchive& ar) {
                  ar.WriteString(L"a\r\n");
                  ar.WriteString(L"b");
              }),
              Bytes({0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00, 0x62, 0x00}));

    Loading lines(Wide(L"one\r\ntwo\n\nx\ry\nlast"));
    CString line;
    for (LPCWSTR expected : {L"one", L"two", L"", L"x\ry", L"last"})
    {
        EXPECT_TRUE(lines.ar().ReadString(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(lines.ar().ReadString(line));
    EXPECT_EQ(line, L"");

    // At most nMax characters at a time; the newline after them makes an empty line.
    Loading limited(Wide(L"abcdef\nz"));
    TCHAR buffer[4];
    for (LPCWSTR expected : {L"abc", L"def", L"", L"z"})
    {
        ASSERT_EQ(limited.ar().ReadString(buffer, 3), buffer);
        EXPECT_STREQ(buffer, expected);
    }
    EXPECT_EQ(limited.ar().ReadString(buffer, 3), nullptr);
}

TEST(ArchiveObject, WritesEachClassAndObjectOnceThenRefersBack)
{
    CPebble a(0x11);
    CPebble b(0x22);
    CShell shell;
    shell.m_byColour = 0x33;
    shell.m_pInside = &a;
    EXPECT_EQ(Stored([&](CArchive& ar) { ar << &a << &b << &shell << &a << static_cast<CObject*>(nullptr); }),
              kFiveObjects);

    Loading loading(kFiveObjects);
    CPebble* pA = nullptr;
    CPebble* pB = nullptr;
    CShell* pShell = nullptr;
    CPebble* pAgain = nullptr;
    const CObject* pNone = &a;
    loading.ar() >> pA >> pB >> pShell >> pAgain >> pNone;
    std::unique_ptr<CObject> ownA(pA), ownB(pB), ownShell(pShell);
    ASSERT_NE(pA, nullptr);
    ASSERT_NE(pB, nullptr);
    ASSERT_NE(pShell, nullptr);
    EXPECT_EQ(pA->m_wWeight, 0x11);
    EXPECT_EQ(pB->m_wWeight, 0x22);
    EXPECT_EQ(pShell->m_byColour, 0x33);
    EXPECT_EQ(pShell->m_nSchema, 2u);
    EXPECT_EQ(pShell->m_pInside, pA);
    EXPECT_EQ(pAgain, pA);
    EXPECT_EQ(pNone, nullptr);
    EXPECT_TRUE(loading.AtEnd());
}

TEST(ArchiveObject, ObArrayStoresTheCountThenItsObjects)
{
    CPebble a(0x11);
    CPebble b(0x22);
    CShell shell;
    shell.m_byColour = 0x33;
    shell.m_pInside = &a;
    CObArray array;
    for (CObject* pOb : std::initializer_list<CObject*>{&a, &b, &shell, &a, nullptr})
        array.Add(pOb);
    const Bytes expected = Join({{0x05, 0x00}, kFiveObjects});
    EXPECT_EQ(Stored([&](CArchive& ar) { array.Serialize(ar); }), expected);

    Loading loading(expected);
    CObArray loaded;
    loaded.SetSize(7);
    loaded.Serialize(loading.ar());
    ASSERT_EQ(loaded.GetSize(), 5);
    std::unique_ptr<CObject> ownA(loaded[0]), ownB(loaded[1]), ownShell(loaded[2]);
    EXPECT_EQ(static_cast<CPebble*>(loaded[1])->m_wWeight, 0x22);
    EXPECT_EQ(static_cast<CShell*>(loaded[2])->m_pInside, loaded[0]);
    EXPECT_EQ(loaded[3], loaded[0]);
    EXPECT_EQ(loaded[4], nullptr);
}

TEST(ArchiveObject, DamagedDataThrowsTheMatchingCause)
{
    const Bytes pebble = Join({kPebbleClass, {0x11, 0x00}});
    const struct
    {
        const char* name;
        Bytes bytes;
        int nGoodReads; // objects read first with no class requested
        const CRuntimeClass* pRequested;
        int cause;
    } cases[] = {
        {"stored schema differs", Join({{0xFF, 0xFF, 0x05, 0x00, 0x07, 0x00}, Narrow("CPebble"), {0x11, 0x00}}), 0,
         nullptr, CArchiveException::badSchema},
        {"another class requested", Join({kShellClass, {0x33, 0x00, 0x00}}), 0, RUNTIME_CLASS(CPebble),
         CArchiveException::badClass},
        {"back-reference to another class", Join({pebble, {0x02, 0x00}}), 1, RUNTIME_CLASS(CShell),
         CArchiveException::badClass},
        {"unknown class", Join({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Narrow("CNoSuch")}), 0, nullptr,
         CArchiveException::badClass},
        {"class without a schema", Join({{0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0x00}, Narrow("CObject")}), 0, nullptr,
         CArchiveException::badClass},
        {"name with a null in it", Join({{0xFF, 0xFF, 0x01, 0x00, 0x08, 0x00}, Narrow("CPebble"), {0x00}}), 0, nullptr,
         CArchiveException::badClass},
        {"class index never given", {0x05, 0x80}, 0, nullptr, CArchiveException::badIndex},
        {"object index never given", {0x09, 0x00}, 0, nullptr, CArchiveException::badIndex},
        {"class index naming an object", Join({pebble, {0x02, 0x80, 0x22, 0x00}}), 1, nullptr,
         CArchiveException::badIndex},
        {"object index naming a class", Join({pebble, {0x01, 0x00}}), 1, nullptr, CArchiveException::badIndex},
        {"big object index never given", {0xFF, 0x7F, 0x00, 0x01, 0x00, 0x00}, 0, nullptr, CArchiveException::badIndex},
        {"big class index never given", {0xFF, 0x7F, 0x05, 0x00, 0x00, 0x80}, 0, nullptr, CArchiveException::badIndex},
        {"class name cut short", Join({{0xFF, 0xFF, 0x01, 0x00, 0x07, 0x00}, Narrow("CPeb")}), 0, nullptr,
         CArchiveException::endOfFile},
        {"object cut short", Join({kPebbleClass, {0x11}}), 0, nullptr, CArchiveException::endOfFile},
        {"shell cut short", kShellClass, 0, nullptr, CArchiveException::endOfFile},
        {"inside of a shell cut short", Join({kShellClass, {0x33, 0x00}}), 0, nullptr, CArchiveException::endOfFile},
        {"nothing", {}, 0, nullptr, CArchiveException::endOfFile},
    };
    for (const auto& c : cases)
    {
        const int nShells = CShell::s_nLive;
        Loading loading(c.bytes);
        std::vector<std::unique_ptr<CObject>> good;
        for (int i = 0; i < c.nGoodReads; ++i)
            good.emplace_back(loading.ar().ReadObject(nullptr));
        EXPECT_EQ(ArchiveCause([&] { delete loading.ar().ReadObject(c.pRequested); }), c.cause) << c.name;
        good.clear();
        // An object that failed to load is deleted.
        EXPECT_EQ(CShell::s_nLive, nShells) << c.name;
    }
}

TEST(ArchiveObject, OwnedObjectsAreWrittenWholeAndNeverReferredTo)
{
    // One address written three times: as owned twice, then as shared. None is a reference,
    // and the indices still run as the reader counts them.
    CPebble a(0x11);
    const Bytes expected =
        Join({kPebbleClass, {0x11, 0x00}, {0x01, 0x80, 0x11, 0x00}, {0x01, 0x80, 0x11, 0x00}, {0x04, 0x00}});
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  ar.WriteOwnedObject(&a);
                  ar.WriteOwnedObject(&a);
                  ar.WriteObject(&a);
                  ar.WriteObject(&a);
              }),
              expected);
    Loading loading(expected);
    std::unique_ptr<CObject> pFirst(loading.ar().ReadOwnedObject(RUNTIME_CLASS(CPebble)));
    std::unique_ptr<CObject> pSecond(loading.ar().ReadOwnedObject(RUNTIME_CLASS(CPebble)));
    std::unique_ptr<CObject> pShared(loading.ar().ReadObject(RUNTIME_CLASS(CPebble)));
    ASSERT_NE(pFirst, nullptr);
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NE(pFirst, pSecond);
    EXPECT_EQ(loading.ar().ReadObject(RUNTIME_CLASS(CPebble)), pShared.get());
    EXPECT_TRUE(loading.AtEnd());

    // A reference where an owned object is read, and a reference to an owned object read
    // before: both would hand out an object that another owner deletes.
    const Bytes pebble = Join({kPebbleClass, {0x11, 0x00}});
    const struct
    {
        const char* name;
        bool bFirstOwned;
        bool bSecondOwned;
    } cases[] = {{"shared, then owned", false, true}, {"owned, then shared", true, false}, {"owned twice", true, true}};
    for (const auto& c : cases)
    {
        Loading damaged(Join({pebble, {0x02, 0x00}}));
        const auto read = [&](bool bOwned) {
            return bOwned ? damaged.ar().ReadOwnedObject(nullptr) : damaged.ar().ReadObject(nullptr);
        };
        std::unique_ptr<CObject> pRead(read(c.bFirstOwned));
        EXPECT_EQ(ArchiveCause([&] { read(c.bSecondOwned); }), CArchiveException::badIndex) << c.name;
    }
    // The null object is no reference.
    Loading null(Bytes{0x00, 0x00});
    EXPECT_EQ(null.ar().ReadOwnedObject(RUNTIME_CLASS(CPebble)), nullptr);
}

TEST(ArchiveObject, VersionableClassLoadsAnOlderSchema)
{
    Loading loading(Join({{0xFF, 0xFF, 0x01, 0x00, 0x06, 0x00}, Narrow("CShell"), {0x33}}));
    CShell* pShell = nullptr;
    loading.ar() >> pShell;
    std::unique_ptr<CShell> own(pShell);
    ASSERT_NE(pShell, nullptr);
    EXPECT_EQ(pShell->m_nSchema, 1u);
    EXPECT_EQ(pShell->m_byColour, 0x33);
    EXPECT_EQ(pShell->m_pInside, nullptr);
    EXPECT_TRUE(loading.AtEnd());
}

TEST(ArchiveObject, SerializeClassWritesTheClassTagAlone)
{
    const Bytes bytes = Stored([](CArchive& ar) {
        ar.SerializeClass(RUNTIME_CLASS(CShell));
        ar.SerializeClass(RUNTIME_CLASS(CShell));
    });
    EXPECT_EQ(bytes, Join({kShellClass, {0x01, 0x80}}));

    Loading loading(bytes);
    loading.ar().SerializeClass(RUNTIME_CLASS(CShell));
    EXPECT_EQ(loading.ar().GetObjectSchema(), 2u);
    EXPECT_EQ(loading.ar().GetObjectSchema(), static_cast<UINT>(-1));
    EXPECT_EQ(ArchiveCause([&] { loading.ar().SerializeClass(RUNTIME_CLASS(CPebble)); }), CArchiveException::badClass);

    // A class without a schema could not be loaded again.
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(ThrowsNotSupported([&] { ar.WriteClass(RUNTIME_CLASS(CObject)); }));
}

TEST(ArchiveObject, ManyObjectsAreReferredBackAfterTheMapsGrow)
{
    // Far more objects than the store map's starting table has buckets, each written twice:
    // the second time as a reference to the first, in both directions.
    const UINT nObjects = 20000;
    std::vector<CPebble> pebbles(nObjects);
    for (UINT i = 0; i < nObjects; ++i)
        pebbles[i].m_wWeight = static_cast<WORD>(i);
    const auto store = [&](CArchive& ar) {
        for (const CPebble& pebble : pebbles)
            ar << &pebble;
        for (UINT i = nObjects; i-- > 0;)
            ar << &pebbles[i];
    };
    const Bytes bytes = Stored(store);
    // The map's starting sizes, however small and uneven, change nothing of what is written.
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  ar.SetStoreParams(3, 3);
                  store(ar);
              }),
              bytes);

    Loading loading(bytes);
    std::vector<std::unique_ptr<CPebble>> loaded(nObjects);
    for (std::unique_ptr<CPebble>& pLoaded : loaded)
    {
        CPebble* pPebble = nullptr;
        loading.ar() >> pPebble;
        pLoaded.reset(pPebble);
    }
    for (UINT i = nObjects; i-- > 0;)
    {
        CPebble* pPebble = nullptr;
        loading.ar() >> pPebble;
        ASSERT_EQ(pPebble, loaded[i].get()) << i;
        ASSERT_EQ(pPebble->m_wWeight, static_cast<WORD>(i));
    }
}

TEST(ArchiveObject, IndicesBeyondFifteenBitsUseTheBigTag)
{
    // MapObject numbers these 1 to 0x7FFE, so the next class gets 0x7FFF, the first that
    // a WORD cannot carry.
    const UINT nMapped = 0x7FFE;
    std::unique_ptr<CPebble[]> mapped(new CPebble[nMapped]);
    CPebble first(0x11);
    CPebble second(0x22);
    const Bytes bytes = Stored([&](CArchive& ar) {
        ar.SetStoreParams(65521, 1024);
        for (UINT i = 0; i < nMapped; ++i)
            ar.MapObject(&mapped[i]);
        ar << &mapped[0] << &mapped[nMapped - 1] << &first << &first << &second << &second;
    });
    const Bytes expected = Join({
        // The first and last mapped objects.
        {0x01, 0x00},
        {0xFE, 0x7F},
        // first: new class (0x7FFF), object 0x8000; then a reference to it.
        kPebbleClass,
        {0x11, 0x00},
        {0xFF, 0x7F, 0x00, 0x80, 0x00, 0x00},
        // second: class 0x7FFF with the class bit, object 0x8001; then a reference to it.
        {0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80, 0x22, 0x00},
        {0xFF, 0x7F, 0x01, 0x80, 0x00, 0x00},
    });
    EXPECT_EQ(bytes, expected);

    std::unique_ptr<CPebble[]> known(new CPebble[nMapped]);
    Loading loading(bytes);
    loading.ar().SetLoadParams(0x8000);
    for (UINT i = 0; i < nMapped; ++i)
        loading.ar().MapObject(&known[i]);
    CPebble* loaded[6] = {};
    for (CPebble*& pLoaded : loaded)
        loading.ar() >> pLoaded;
    std::unique_ptr<CPebble> ownFirst(loaded[2]), ownSecond(loaded[4]);
    EXPECT_EQ(loaded[0], &known[0]);
    EXPECT_EQ(loaded[1], &known[nMapped - 1]);
    ASSERT_NE(loaded[2], nullptr);
    EXPECT_EQ(loaded[2]->m_wWeight, 0x11);
    EXPECT_EQ(loaded[3], loaded[2]);
    ASSERT_NE(loaded[4], nullptr);
    EXPECT_EQ(loaded[4]->m_wWeight, 0x22);
    EXPECT_EQ(loaded[5], loaded[4]);
}

TEST(ArchiveCount, GrowsFromWordToDwordToQword)
{
    const struct
    {
        DWORD_PTR nCount;
        Bytes bytes;
    } cases[] = {
        {0, {0x00, 0x00}},
        {0xFFFE, {0xFE, 0xFF}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0xFFFFFFFE, {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF}},
        {0xFFFFFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00}},
        {0x123456789, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x89, 0x67, 0x45, 0x23, 0x01, 0x00, 0x00, 0x00}},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(Stored([&](CArchive& ar) { ar.WriteCount(c.nCount); }), c.bytes) << c.nCount;
        Loading loading(c.bytes);
        EXPECT_EQ(loading.ar().ReadCount(), c.nCount);
        EXPECT_TRUE(loading.AtEnd());
    }
}

TEST(ArchiveCollections, StringArrayIsResizedToTheStoredCount)
{
    CStringArray array;
    array.Add(L"a");
    array.Add(L"B\u00DF");
    const Bytes expected = {0x02, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 0x61, 0x00,
                            0xFF, 0xFE, 0xFF, 0x02, 0x42, 0x00, 0xDF, 0x00};
    EXPECT_EQ(Stored([&](CArchive& ar) { array.Serialize(ar); }), expected);

    Loading loading(expected);
    CStringArray loaded;
    for (LPCWSTR old : {L"x", L"y", L"z"})
        loaded.Add(old);
    loaded.Serialize(loading.ar());
    ASSERT_EQ(loaded.GetSize(), 2);
    EXPECT_EQ(loaded[0], L"a");
    EXPECT_EQ(loaded[1], L"B\u00DF");
}

TEST(ArchiveCollections, MapOfStringsAddsToTheMap)
{
    CMapStringToString map;
    map[L"k"] = L"v1";
    map[L"x"] = L"";
    const Bytes expected = {0x02, 0x00,                                     // count
                            0xFF, 0xFE, 0xFF, 0x01, 0x6B, 0x00,             // "k"
                            0xFF, 0xFE, 0xFF, 0x02, 0x76, 0x00, 0x31, 0x00, // "v1"
                            0xFF, 0xFE, 0xFF, 0x01, 0x78, 0x00,             // "x"
                            0xFF, 0xFE, 0xFF, 0x00};                        // ""
    EXPECT_EQ(Stored([&](CArchive& ar) { map.Serialize(ar); }), expected);

    Loading loading(expected);
    CMapStringToString loaded;
    loaded[L"k"] = L"old";
    loaded[L"z"] = L"kept";
    loaded.Serialize(loading.ar());
    EXPECT_EQ(loaded.GetCount(), 3);
    CString value;
    EXPECT_TRUE(loaded.Lookup(L"k", value));
    EXPECT_EQ(value, L"v1");
    EXPECT_TRUE(loaded.Lookup(L"x", value));
    EXPECT_EQ(value, L"");
    EXPECT_TRUE(loaded.Lookup(L"z", value));
    EXPECT_EQ(value, L"kept");
}

TEST(ArchiveCollections, NumberArraysAreTheirElementsBytes)
{
    CByteArray bytes;
    bytes.Add(1);
    bytes.Add(0xFE);
    CWordArray words;
    words.Add(0x1234);
    CDWordArray dwords;
    dwords.Add(0x01020304);
    dwords.Add(5);
    const Bytes expected = {
        0x02, 0x00, 0x01, 0xFE,                                     // CByteArray
        0x01, 0x00, 0x34, 0x12,                                     // CWordArray
        0x02, 0x00, 0x04, 0x03, 0x02, 0x01, 0x05, 0x00, 0x00, 0x00, // CDWordArray
    };
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  bytes.Serialize(ar);
                  words.Serialize(ar);
                  dwords.Serialize(ar);
              }),
              expected);

    Loading loading(expected);
    CByteArray loadedBytes;
    CWordArray loadedWords;
    CDWordArray loadedDwords;
    loadedBytes.Serialize(loading.ar());
    loadedWords.Serialize(loading.ar());
    loadedDwords.Serialize(loading.ar());
    ASSERT_EQ(loadedBytes.GetSize(), 2);
    EXPECT_EQ(loadedBytes[1], 0xFE);
    ASSERT_EQ(loadedWords.GetSize(), 1);
    EXPECT_EQ(loadedWords[0], 0x1234);
    ASSERT_EQ(loadedDwords.GetSize(), 2);
    EXPECT_EQ(loadedDwords[0], 0x01020304u);
    EXPECT_EQ(loadedDwords[1], 5u);
    EXPECT_TRUE(loading.AtEnd());
}

TEST(ArchiveCollections, ListsAddAtTheTailAndCollectionsShareObjects)
{
    CPebble a(0x11);
    CPebble b(0x22);
    CObList list;
    list.AddTail(&a);
    list.AddTail(&b);
    CMapStringToOb map;
    map[L"a"] = &a;
    CStringList names;
    names.AddTail(L"n");
    const Bytes expected = Join({
        // The list: two pebbles, objects 2 and 3.
        {0x02, 0x00},
        kPebbleClass,
        {0x11, 0x00},
        {0x01, 0x80, 0x22, 0x00},
        // The map: "a", then a reference to object 2.
        {0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 0x61, 0x00, 0x02, 0x00},
        // The names.
        {0x01, 0x00, 0xFF, 0xFE, 0xFF, 0x01, 0x6E, 0x00},
    });
    EXPECT_EQ(Stored([&](CArchive& ar) {
                  list.Serialize(ar);
                  map.Serialize(ar);
                  names.Serialize(ar);
              }),
              expected);

    Loading loading(expected);
    CObList loadedList;
    CMapStringToOb loadedMap;
    CStringList loadedNames;
    loadedNames.AddTail(L"first");
    loadedList.Serialize(loading.ar());
    loadedMap.Serialize(loading.ar());
    loadedNames.Serialize(loading.ar());
    ASSERT_EQ(loadedList.GetCount(), 2);
    std::unique_ptr<CObject> ownA(loadedList.GetHead()), ownB(loadedList.GetTail());
    EXPECT_EQ(static_cast<CPebble*>(loadedList.GetTail())->m_wWeight, 0x22);
    CObject* pFromMap = nullptr;
    EXPECT_TRUE(loadedMap.Lookup(L"a", pFromMap));
    EXPECT_EQ(pFromMap, loadedList.GetHead());
    ASSERT_EQ(loadedNames.GetCount(), 2);
    EXPECT_EQ(loadedNames.GetHead(), L"first");
    EXPECT_EQ(loadedNames.GetTail(), L"n");
}

TEST(ArchiveCollections, ElementsWithoutAByteFormAreRefused)
{
    CArray<std::wstring> array;
    array.Add(L"text");
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    EXPECT_TRUE(ThrowsNotSupported([&] { array.Serialize(ar); }));
}

TEST(ArchiveCollections, DamagedCountsMeetTheEndOfTheDataBeforeClaimingMemory)
{
    // Counts of 2^28 and 2^60 elements with eight bytes of elements (null objects, empty
    // strings) behind them.
    const Bytes big = {0xFF, 0xFF, 0x00, 0x00, 0x00, 0x10};
    const Bytes huge = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10};
    const Bytes elements(8, 0x00);
    CByteArray bytes;
    CDWordArray dwords;
    CStringArray strings;
    CObArray objects;
    const struct
    {
        const char* name;
        CObject* pArray;
    } cases[] = {{"bytes", &bytes}, {"dwords", &dwords}, {"strings", &strings}, {"objects", &objects}};
    const size_t nPeakBefore = ReadPrivateBytes().nPeak;
    for (const auto& c : cases)
        for (const Bytes* pCount : {&big, &huge})
        {
            Loading loading(Join({*pCount, elements}));
            EXPECT_EQ(ArchiveCause([&] { c.pArray->Serialize(loading.ar()); }), CArchiveException::endOfFile) << c.name;
        }
    EXPECT_LT(ReadPrivateBytes().nPeak, nPeakBefore + 16 * 1024 * 1024);
    EXPECT_LE(dwords.GetSize(), 2048);

    // A count that the data fills is read across the pieces.
    CDWordArray many;
    for (DWORD i = 0; i < 5000; ++i)
        many.Add(i * 7);
    Loading loading(Stored([&](CArchive& ar) { many.Serialize(ar); }));
    CDWordArray loaded;
    loaded.Serialize(loading.ar());
    ASSERT_EQ(loaded.GetSize(), 5000);
    EXPECT_EQ(loaded[4999], 4999u * 7);
    EXPECT_TRUE(loading.AtEnd());
}

TEST(ArchiveLifecycle, DirectionIsChecked)
{
    const struct
    {
        const char* name;
        UINT nMode;
        std::function<void(CArchive&)> call;
        int cause;
    } cases[] = {
        {"<< on a loading archive", CArchive::load, [](CArchive& ar) { ar << BYTE(1); }, CArchiveException::readOnly},
        {"WriteString", CArchive::load, [](CArchive& ar) { ar.WriteString(L"x"); }, CArchiveException::readOnly},
        {"WriteCount", CArchive::load, [](CArchive& ar) { ar.WriteCount(1); }, CArchiveException::readOnly},
        {"WriteObject", CArchive::load, [](CArchive& ar) { ar.WriteObject(nullptr); }, CArchiveException::readOnly},
        {"WriteClass", CArchive::load, [](CArchive& ar) { ar.WriteClass(RUNTIME_CLASS(CPebble)); },
         CArchiveException::readOnly},
        {">> on a storing archive", CArchive::store,
         [](CArchive& ar) {
             BYTE by;
             ar >> by;
         },
         CArchiveException::writeOnly},
        {"Read", CArchive::store,
         [](CArchive& ar) {
             BYTE by;
             ar.Read(&by, 1);
         },
         CArchiveException::writeOnly},
        {"ReadString", CArchive::store,
         [](CArchive& ar) {
             CString line;
             ar.ReadString(line);
         },
         CArchiveException::writeOnly},
        {"ReadCount", CArchive::store, [](CArchive& ar) { ar.ReadCount(); }, CArchiveException::writeOnly},
        {"ReadObject", CArchive::store, [](CArchive& ar) { ar.ReadObject(nullptr); }, CArchiveException::writeOnly},
        {"ReadClass", CArchive::store, [](CArchive& ar) { ar.ReadClass(); }, CArchiveException::writeOnly},
    };
    for (const auto& c : cases)
    {
        CMemFile file;
        file.Write("data", 4);
        file.SeekToBegin();
        CArchive ar(&file, c.nMode);
        EXPECT_EQ(ArchiveCause([&] { c.call(ar); }), c.cause) << c.name;
        EXPECT_EQ(file.GetLength(), 4u) << c.name;
    }
}

TEST(ArchiveLifecycle, DestructorFlushesUnlessToldNotTo)
{
    TempDirectory directory;
    const struct
    {
        const char* name;
        UINT nMode;
        bool bAbort;
        ULONGLONG nLength;
    } cases[] = {
        {"destructor", CArchive::store, false, 4},
        {"bNoFlushOnDelete", CArchive::store | CArchive::bNoFlushOnDelete, false, 0},
        {"Abort", CArchive::store, true, 0},
    };
    for (const auto& c : cases)
    {
        // In memory the archive writes into the file's own buffer; on disk it has one of its own.
        CMemFile memory;
        CFile disk(directory.File(CString(c.name)), CFile::modeCreate | CFile::modeReadWrite);
        for (CFile* pFile : std::initializer_list<CFile*>{&memory, &disk})
        {
            {
                CArchive ar(pFile, c.nMode);
                ar << DWORD(1);
                if (c.bAbort)
                    ar.Abort();
            }
            EXPECT_EQ(pFile->GetLength(), c.nLength) << c.name;
        }
    }
}

TEST(ArchiveLifecycle, FailuresOnDiskNameTheFileAndSpareTheDestructor)
{
    TempDirectory directory;
    const CString path = directory.File(_T("two.bin"));
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        file.Write("\x01\x02", 2);
    }
    CFile readOnly(path, CFile::modeRead);
    {
        CArchive ar(&readOnly, CArchive::load);
        EXPECT_EQ(ar.m_strFileName, readOnly.GetFilePath());
        DWORD dw;
        try
        {
            ar >> dw;
            ADD_FAILURE() << "two bytes read as a DWORD";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(e->m_cause, CArchiveException::endOfFile);
            EXPECT_EQ(e->m_strFileName, readOnly.GetFilePath());
            e->Delete();
        }
    }

    // The file cannot be written: Close reports it, the destructor drops it.
    readOnly.SeekToBegin();
    {
        CArchive ar(&readOnly, CArchive::store);
        ar << DWORD(1);
        try
        {
            ar.Close();
            ADD_FAILURE() << "Close wrote to a read-only file";
        }
        catch (CFileException* e)
        {
            e->Delete();
        }
    }
    {
        CArchive ar(&readOnly, CArchive::store);
        ar << DWORD(1);
    }
    EXPECT_EQ(readOnly.GetLength(), 2u);
}

void StoreContent(CArchive& ar, CObArray& objects)
{
    for (DWORD i = 0; i < 1000; ++i)
        ar << i;
    ar << CString(L'x', 300);
    objects.Serialize(ar);
    ar.WriteString(L"tail\n");
}

void CheckContent(CArchive& ar, const char* name)
{
    for (DWORD i = 0; i < 1000; ++i)
    {
        DWORD dw;
        ar >> dw;
        ASSERT_EQ(dw, i) << name;
    }
    CString text;
    ar >> text;
    EXPECT_EQ(text, CString(L'x', 300)) << name;
    CObArray objects;
    objects.Serialize(ar);
    ASSERT_EQ(objects.GetSize(), 3) << name;
    std::unique_ptr<CObject> ownFirst(objects[0]), ownSecond(objects[1]);
    EXPECT_EQ(static_cast<CPebble*>(objects[1])->m_wWeight, 0x22) << name;
    EXPECT_EQ(objects[2], objects[0]) << name;
    CString line;
    EXPECT_TRUE(ar.ReadString(line));
    EXPECT_EQ(line, L"tail") << name;
}

TEST(ArchiveLifecycle, EveryKindOfFileGetsTheSameBytesAndKeepsWhatFollows)
{
    CPebble a(0x11);
    CPebble b(0x22);
    CObArray objects;
    objects.Add(&a);
    objects.Add(&b);
    objects.Add(&a);

    TempDirectory directory;
    CMemFile growing;
    BYTE fixedBuffer[16384] = {};
    CMemFile fixed(fixedBuffer, sizeof(fixedBuffer));
    CFile disk(directory.File(_T("disk.bin")), CFile::modeCreate | CFile::modeReadWrite);
    CFile diskWithBuffer(directory.File(_T("buffer.bin")), CFile::modeCreate | CFile::modeReadWrite);
    BYTE callersBuffer[200];
    const struct
    {
        const char* name;
        CFile* pFile;
        int nBufSize;
        void* lpBuf;
    } media[] = {
        {"growing memory", &growing, 4096, nullptr},
        {"fixed memory", &fixed, 4096, nullptr},
        {"disk, small buffer", &disk, 128, nullptr},
        {"disk, caller's buffer", &diskWithBuffer, sizeof(callersBuffer), callersBuffer},
    };
    const Bytes trailer(500, 0xEE);
    Bytes first;
    for (const auto& m : media)
    {
        {
            CArchive ar(m.pFile, CArchive::store, m.nBufSize, m.lpBuf);
            StoreContent(ar, objects);
            ar.Close();
        }
        const size_t nStored = static_cast<size_t>(m.pFile->GetPosition());
        m.pFile->Write(trailer.data(), static_cast<UINT>(trailer.size()));
        Bytes bytes = FileBytes(*m.pFile);
        bytes.resize(nStored);
        if (first.empty())
            first = bytes;
        EXPECT_EQ(bytes, first) << m.name;

        // The archive reads ahead; closing it puts the file back where the reader stopped.
        m.pFile->SeekToBegin();
        CArchive ar(m.pFile, CArchive::load, m.nBufSize, m.lpBuf);
        CheckContent(ar, m.name);
        EXPECT_FALSE(ar.IsBufferEmpty()) << m.name;
        ar.Close();
        EXPECT_EQ(m.pFile->GetPosition(), nStored) << m.name;
    }
    // DWORDs, the string, the array (count, new class and object, object, back-reference), the line.
    EXPECT_EQ(first.size(), 4000 + 606 + (2 + 15 + 4 + 2) + 10u);
}

TEST(ArchiveLifecycle, IsBufferEmptyWhenAllTakenIsRead)
{
    Loading loading({1, 2, 3});
    EXPECT_TRUE(loading.ar().IsBufferEmpty());
    BYTE by;
    loading.ar() >> by;
    EXPECT_FALSE(loading.ar().IsBufferEmpty());
    WORD w;
    loading.ar() >> w;
    EXPECT_EQ(w, 0x0302);
    EXPECT_TRUE(loading.ar().IsBufferEmpty());
}
} // namespace
