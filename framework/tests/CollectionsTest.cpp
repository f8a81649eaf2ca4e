#include <afx.h>
#include <afxtempl.h>

#include <functional>
#include <list>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace
{
// Knows its live instances, so that a slot used before construction, an element destroyed
// twice or never, or a bitwise move shows up.
class Tracked
{
public:
    Tracked() : Tracked(0)
    {
    }
    explicit Tracked(int n) : m_n(n)
    {
        Register();
    }
    Tracked(const Tracked& other) : m_n(other.Value())
    {
        Register();
    }
    Tracked& operator=(const Tracked& other)
    {
        CheckLive(this);
        m_n = other.Value();
        return *this;
    }
    ~Tracked()
    {
        if (Live().erase(this) == 0)
            ++Faults();
    }
    int Value() const
    {
        CheckLive(this);
        return m_n;
    }
    bool operator==(const Tracked& other) const
    {
        return Value() == other.Value();
    }

    static std::set<const Tracked*>& Live()
    {
        static std::set<const Tracked*> live;
        return live;
    }
    static int& Faults()
    {
        static int faults = 0;
        return faults;
    }

private:
    void Register()
    {
        if (!Live().insert(this).second)
            ++Faults();
    }
    static void CheckLive(const Tracked* p)
    {
        if (Live().count(p) == 0)
            ++Faults();
    }

    int m_n;
};

class TrackedTest : public testing::Test
{
protected:
    void SetUp() override
    {
        Tracked::Live().clear();
        Tracked::Faults() = 0;
    }
    void TearDown() override
    {
        EXPECT_TRUE(Tracked::Live().empty()) << Tracked::Live().size() << " elements were never destroyed";
        EXPECT_EQ(Tracked::Faults(), 0) << "elements used dead or destroyed twice";
    }
};

class Array : public TrackedTest
{
};
class List : public TrackedTest
{
};
class Map : public TrackedTest
{
};

template <class F> bool ThrowsInvalidArg(F call)
{
    try
    {
        call();
    }
    catch (CInvalidArgException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

// Elements made from ints; 0 is the value-initialised element.
template <class T> struct Elements;
template <> struct Elements<int>
{
    static int Make(int n)
    {
        return n;
    }
    static int Value(int n)
    {
        return n;
    }
};
template <> struct Elements<Tracked>
{
    static Tracked Make(int n)
    {
        return Tracked(n);
    }
    static int Value(const Tracked& t)
    {
        return t.Value();
    }
};
// Short std::wstrings point into themselves: moving them bitwise would break them.
template <> struct Elements<std::wstring>
{
    static std::wstring Make(int n)
    {
        return n == 0 ? std::wstring() : std::to_wstring(n);
    }
    static int Value(const std::wstring& s)
    {
        return s.empty() ? 0 : std::stoi(s);
    }
};
template <> struct Elements<CString>
{
    static CString Make(int n)
    {
        return n == 0 ? CString() : CString(std::to_wstring(n).c_str());
    }
    static int Value(const CString& s)
    {
        return s.IsEmpty() ? 0 : std::stoi(std::wstring(s.GetString()));
    }
};

template <class T, class ARG> std::vector<int> ValuesOf(const CArray<T, ARG>& a)
{
    std::vector<int> values;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
        values.push_back(Elements<T>::Value(a[i]));
    return values;
}

template <class T> class ArrayOf : public TrackedTest
{
};
using ElementTypes = testing::Types<int, Tracked, std::wstring, CString>;
TYPED_TEST_SUITE(ArrayOf, ElementTypes);

TYPED_TEST(ArrayOf, BehavesLikeAVectorThroughGrowthInsertsAndRemovals)
{
    using T = TypeParam;
    using E = Elements<T>;
    CArray<T> a;
    CArray<T> other;
    other.Add(E::Make(41));
    other.Add(E::Make(42));
    std::vector<int> model;
    const std::vector<int> otherModel{41, 42};

    const struct
    {
        const char* what;
        std::function<void()> step;
    } steps[] = {
        {"SetSize grows with default elements",
         [&] {
             a.SetSize(4, 2);
             model.resize(4);
         }},
        {"SetAt",
         [&] {
             for (int i = 0; i < 4; ++i)
                 a.SetAt(i, E::Make(i + 1));
             model = {1, 2, 3, 4};
         }},
        {"InsertAt in the middle",
         [&] {
             a.InsertAt(2, E::Make(7), 3);
             model.insert(model.begin() + 2, 3, 7);
         }},
        {"InsertAt at the end",
         [&] {
             a.InsertAt(a.GetSize(), E::Make(8));
             model.push_back(8);
         }},
        {"InsertAt beyond the end",
         [&] {
             a.InsertAt(10, E::Make(9), 2);
             model.resize(10);
             model.insert(model.end(), 2, 9);
         }},
        {"RemoveAt a range in the middle",
         [&] {
             a.RemoveAt(1, 3);
             model.erase(model.begin() + 1, model.begin() + 4);
         }},
        {"RemoveAt the last two",
         [&] {
             a.RemoveAt(a.GetSize() - 2, 2);
             model.resize(model.size() - 2);
         }},
        {"SetAtGrow beyond the end",
         [&] {
             a.SetAtGrow(12, E::Make(5));
             model.resize(13);
             model[12] = 5;
         }},
        {"SetAtGrow inside",
         [&] {
             a.SetAtGrow(0, E::Make(6));
             model[0] = 6;
         }},
        {"Add an own element while growing",
         [&] {
             for (int i = 0; i < 20; ++i)
             {
                 EXPECT_EQ(a.Add(a[i]), static_cast<INT_PTR>(model.size()));
                 model.push_back(model[i]);
             }
         }},
        {"InsertAt an own element",
         [&] {
             a.InsertAt(0, a[5], 2);
             model.insert(model.begin(), 2, model[5]);
         }},
        {"InsertAt another array",
         [&] {
             a.InsertAt(3, &other);
             model.insert(model.begin() + 3, otherModel.begin(), otherModel.end());
         }},
        {"InsertAt the array itself",
         [&] {
             a.InsertAt(1, &a);
             const std::vector<int> copy = model;
             model.insert(model.begin() + 1, copy.begin(), copy.end());
         }},
        {"Append itself",
         [&] {
             EXPECT_EQ(a.Append(a), static_cast<INT_PTR>(model.size()));
             const std::vector<int> copy = model;
             model.insert(model.end(), copy.begin(), copy.end());
         }},
        {"FreeExtra", [&] { a.FreeExtra(); }},
        {"SetSize shrinks",
         [&] {
             a.SetSize(3);
             model.resize(3);
         }},
        {"Copy",
         [&] {
             a.Copy(other);
             model = otherModel;
         }},
        {"RemoveAll",
         [&] {
             a.RemoveAll();
             model.clear();
         }},
        {"Add after RemoveAll",
         [&] {
             a.Add(E::Make(3));
             model.push_back(3);
         }},
    };
    for (const auto& s : steps)
    {
        s.step();
        ASSERT_EQ(ValuesOf(a), model) << s.what;
        EXPECT_EQ(a.GetUpperBound(), a.GetSize() - 1);
        if constexpr (std::is_same_v<T, Tracked>)
        {
            EXPECT_EQ(Tracked::Live().size(), static_cast<size_t>(a.GetSize() + other.GetSize())) << s.what;
        }
    }
}

TEST_F(Array, BadIndexesAndSizesThrowAndChangeNothing)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    a.Add(3);
    CArray<int, int> other;
    other.Add(9);
    const struct
    {
        const char* what;
        std::function<void()> call;
    } calls[] = {
        {"GetAt(-1)", [&] { a.GetAt(-1); }},
        {"GetAt(size)", [&] { a.GetAt(3); }},
        {"const operator[](size)", [&] { std::as_const(a)[3]; }},
        {"operator[](-1)", [&] { a[-1] = 0; }},
        {"ElementAt(size)", [&] { a.ElementAt(3); }},
        {"SetAt(size)", [&] { a.SetAt(3, 0); }},
        {"SetAtGrow(-1)", [&] { a.SetAtGrow(-1, 0); }},
        {"SetSize(-1)", [&] { a.SetSize(-1); }},
        {"InsertAt(-1)", [&] { a.InsertAt(-1, 0); }},
        {"InsertAt with count 0", [&] { a.InsertAt(1, 0, 0); }},
        {"InsertAt array at -1", [&] { a.InsertAt(-1, &other); }},
        {"InsertAt a null array", [&] { a.InsertAt(0, nullptr); }},
        {"RemoveAt(-1)", [&] { a.RemoveAt(-1); }},
        {"RemoveAt past the end", [&] { a.RemoveAt(2, 2); }},
        {"RemoveAt a negative count", [&] { a.RemoveAt(0, -1); }},
        {"RemoveAt beyond the end", [&] { a.RemoveAt(4, 0); }},
    };
    for (const auto& c : calls)
    {
        EXPECT_TRUE(ThrowsInvalidArg(c.call)) << c.what;
        EXPECT_EQ(ValuesOf(a), (std::vector<int>{1, 2, 3})) << c.what;
    }
    a.RemoveAt(3, 0); // an empty range at the end is valid
    EXPECT_EQ(a.GetSize(), 3);
}

TEST_F(Array, SizesThatCannotBeAllocatedThrowMemoryExceptions)
{
    CArray<int, int> a;
    a.Add(1);
    constexpr INT_PTR nMax = std::numeric_limits<INT_PTR>::max();
    const struct
    {
        const char* what;
        std::function<void()> call;
    } calls[] = {
        {"SetSize overflowing the byte count", [&] { a.SetSize(nMax); }},
        {"SetSize beyond memory", [&] { a.SetSize(nMax / 8); }},
        {"SetAtGrow at the largest index", [&] { a.SetAtGrow(nMax, 2); }},
        {"InsertAt overflowing the size", [&] { a.InsertAt(1, 2, nMax); }},
        {"InsertAt an array at the largest index", [&] { a.InsertAt(nMax, &a); }},
    };
    for (const auto& c : calls)
    {
        bool bThrown = false;
        try
        {
            c.call();
        }
        catch (CMemoryException* e)
        {
            e->Delete();
            bThrown = true;
        }
        EXPECT_TRUE(bThrown) << c.what;
        EXPECT_EQ(ValuesOf(a), std::vector<int>{1}) << c.what;
    }
}

TEST_F(Array, TypedArraysTakeMfcArgumentTypes)
{
    CStringArray strings;
    EXPECT_EQ(strings.Add(_T("Größe")), 0);
    EXPECT_EQ(strings.Add(CString(_T("日本"))), 1);
    strings.SetAtGrow(3, _T("end"));
    strings.InsertAt(0, _T("x"), 2);
    strings.SetAt(1, _T("y"));
    const LPCTSTR expected[] = {_T("x"), _T("y"), _T("Größe"), _T("日本"), _T(""), _T("end")};
    ASSERT_EQ(strings.GetSize(), static_cast<INT_PTR>(std::size(expected)));
    for (INT_PTR i = 0; i < strings.GetSize(); ++i)
        EXPECT_EQ(strings[i], expected[i]) << i;

    CByteArray bytes;
    bytes.SetSize(3);
    bytes[1] = 0xFF;
    EXPECT_EQ(bytes.GetData()[0] + bytes.GetData()[1] + bytes.GetData()[2], 0xFF);

    CDWordArray dwords;
    dwords.SetAtGrow(2, 0xFFFFFFFF);
    EXPECT_EQ(dwords[0], 0u);
    EXPECT_EQ(dwords[2], 0xFFFFFFFFu);
}

/////////////////////////////////////////////////////////////////////////////

template <class T, class ARG> std::vector<int> ForwardValues(const CList<T, ARG>& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        values.push_back(Elements<T>::Value(list.GetNext(pos)));
    return values;
}

template <class T, class ARG> std::vector<int> BackwardValues(const CList<T, ARG>& list)
{
    std::vector<int> values;
    for (POSITION pos = list.GetTailPosition(); pos != nullptr;)
        values.insert(values.begin(), Elements<T>::Value(list.GetPrev(pos)));
    return values;
}

TEST_F(List, BehavesLikeAStdList)
{
    CList<Tracked> list(3); // small blocks, so that several are used and freed
    CList<Tracked> other;
    other.AddTail(Tracked(41));
    other.AddTail(Tracked(42));
    std::list<int> model;
    const auto at = [&](int i) { return std::next(model.begin(), i); };

    const struct
    {
        const char* what;
        std::function<void()> step;
    } steps[] = {
        {"AddTail and AddHead",
         [&] {
             for (int n : {1, 2, 3})
                 list.AddTail(Tracked(n));
             list.AddHead(Tracked(4));
             model = {4, 1, 2, 3};
         }},
        {"InsertBefore and InsertAfter inside",
         [&] {
             list.InsertBefore(list.FindIndex(2), Tracked(7));
             model.insert(at(2), 7);
             list.InsertAfter(list.GetTailPosition(), Tracked(8));
             model.push_back(8);
             list.InsertAfter(list.GetHeadPosition(), Tracked(9));
             model.insert(at(1), 9);
         }},
        {"InsertBefore and InsertAfter NULL",
         [&] {
             list.InsertBefore(nullptr, Tracked(10));
             model.push_front(10);
             list.InsertAfter(nullptr, Tracked(11));
             model.push_back(11);
         }},
        {"SetAt",
         [&] {
             list.SetAt(list.FindIndex(1), Tracked(5));
             *at(1) = 5;
         }},
        {"RemoveAt, RemoveHead and RemoveTail",
         [&] {
             list.RemoveAt(list.FindIndex(3));
             model.erase(at(3));
             EXPECT_EQ(list.RemoveHead().Value(), model.front());
             model.pop_front();
             EXPECT_EQ(list.RemoveTail().Value(), model.back());
             model.pop_back();
         }},
        {"AddTail itself",
         [&] {
             list.AddTail(&list);
             const std::list<int> copy = model;
             model.insert(model.end(), copy.begin(), copy.end());
         }},
        {"AddHead itself and another list",
         [&] {
             list.AddHead(&list);
             const std::list<int> copy = model;
             model.insert(model.begin(), copy.begin(), copy.end());
             list.AddHead(&other);
             model.insert(model.begin(), {41, 42});
         }},
        {"RemoveHead until empty, then add again",
         [&] {
             while (!list.IsEmpty())
                 list.RemoveHead();
             list.AddTail(Tracked(3));
             list.AddTail(list.GetHead());
             model = {3, 3};
         }},
        {"RemoveAll",
         [&] {
             list.RemoveAll();
             model.clear();
         }},
    };
    for (const auto& s : steps)
    {
        s.step();
        const std::vector<int> expected(model.begin(), model.end());
        ASSERT_EQ(ForwardValues(list), expected) << s.what;
        EXPECT_EQ(BackwardValues(list), expected) << s.what;
        EXPECT_EQ(list.GetCount(), static_cast<INT_PTR>(model.size())) << s.what;
        if (!model.empty())
        {
            EXPECT_EQ(list.GetHead().Value(), model.front()) << s.what;
            EXPECT_EQ(list.GetTail().Value(), model.back()) << s.what;
        }
        EXPECT_EQ(Tracked::Live().size(), static_cast<size_t>(list.GetCount() + other.GetCount())) << s.what;
    }
}

// Which elements an iteration removes, by their number 0-9.
const struct
{
    const char* what;
    bool (*remove)(int);
} kRemovals[] = {
    {"every even one", [](int n) { return n % 2 == 0; }},
    {"all", [](int) { return true; }},
    {"none", [](int) { return false; }},
    {"the first", [](int n) { return n == 0; }},
    {"the last", [](int n) { return n == 9; }},
};

TEST_F(List, RemovingTheElementJustReturnedKeepsTheIterationGoing)
{
    for (const auto& r : kRemovals)
    {
        CStringList list;
        std::vector<int> remaining;
        for (int n = 0; n < 10; ++n)
        {
            list.AddTail(Elements<CString>::Make(n));
            if (!r.remove(n))
                remaining.push_back(n);
        }
        int nVisited = 0;
        for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        {
            const POSITION current = pos;
            const int n = Elements<CString>::Value(list.GetNext(pos));
            EXPECT_EQ(n, nVisited++) << r.what;
            if (r.remove(n))
                list.RemoveAt(current);
        }
        EXPECT_EQ(nVisited, 10) << r.what;
        EXPECT_EQ(ForwardValues(list), remaining) << r.what;
        EXPECT_EQ(BackwardValues(list), remaining) << r.what;
    }
}

TEST_F(List, FindAndFindIndex)
{
    CStringList list;
    for (LPCTSTR s : {_T("a"), _T("b"), _T("a"), _T("Ä")})
        list.AddTail(s);
    const POSITION first = list.Find(_T("a"));
    EXPECT_EQ(first, list.FindIndex(0));
    const POSITION second = list.Find(CString(_T("a")), first);
    EXPECT_EQ(second, list.FindIndex(2));
    EXPECT_EQ(list.Find(_T("a"), second), nullptr);
    EXPECT_EQ(list.Find(_T("Ä")), list.FindIndex(3));
    EXPECT_EQ(list.Find(_T("ä")), nullptr);
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST_F(List, EmptyListsAndNullPositionsThrow)
{
    CList<int, int> list;
    POSITION none = nullptr;
    const struct
    {
        const char* what;
        std::function<void()> call;
    } calls[] = {
        {"GetHead", [&] { list.GetHead(); }},
        {"GetTail", [&] { std::as_const(list).GetTail(); }},
        {"RemoveHead", [&] { list.RemoveHead(); }},
        {"RemoveTail", [&] { list.RemoveTail(); }},
        {"GetNext(NULL)", [&] { list.GetNext(none); }},
        {"GetPrev(NULL)", [&] { list.GetPrev(none); }},
        {"GetAt(NULL)", [&] { list.GetAt(nullptr); }},
        {"SetAt(NULL)", [&] { list.SetAt(nullptr, 1); }},
        {"RemoveAt(NULL)", [&] { list.RemoveAt(nullptr); }},
        {"AddTail(NULL list)", [&] { list.AddTail(static_cast<CList<int, int>*>(nullptr)); }},
        {"a block size of 0", [&] { CList<int, int> bad(0); }},
    };
    for (const auto& c : calls)
        EXPECT_TRUE(ThrowsInvalidArg(c.call)) << c.what;
    EXPECT_TRUE(list.IsEmpty());
}

/////////////////////////////////////////////////////////////////////////////

template <class MAP> std::vector<std::pair<int, int>> EntriesOf(const MAP& map)
{
    std::vector<std::pair<int, int>> entries;
    int key;
    Tracked value;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
    {
        map.GetNextAssoc(pos, key, value);
        entries.emplace_back(key, value.Value());
    }
    return entries;
}

TEST_F(Map, IteratesInInsertionOrderWhateverTheHashTable)
{
    typedef CMap<int, int, Tracked, const Tracked&> CMapIntToTracked;
    CMapIntToTracked maps[5];
    maps[1].InitHashTable(1);
    maps[2].InitHashTable(1031);
    maps[3].InitHashTable(7, FALSE);
    maps[4].InitHashTable(3);
    EXPECT_EQ(maps[0].GetHashTableSize(), 17u);
    EXPECT_EQ(maps[3].GetHashTableSize(), 7u);

    // Insertion order: a key keeps its place when set again and goes to the end when it comes
    // back after removal.
    std::vector<std::pair<int, int>> model;
    const auto find = [&](int key) {
        return std::find_if(model.begin(), model.end(), [key](const auto& e) { return e.first == key; });
    };
    std::mt19937 random(20240611);
    for (int i = 0; i < 4000; ++i)
    {
        const int key = static_cast<int>(random() % 61) - 30;
        const int value = static_cast<int>(random() % 1000) + 1;
        const auto it = find(key);
        switch (random() % 4)
        {
        case 0:
        case 1:
            for (auto& map : maps)
                map.SetAt(key, Tracked(value));
            if (it != model.end())
                it->second = value;
            else
                model.emplace_back(key, value);
            break;
        case 2:
            for (auto& map : maps)
                EXPECT_EQ(map.RemoveKey(key) != FALSE, it != model.end()) << key;
            if (it != model.end())
                model.erase(it);
            break;
        default:
            for (auto& map : maps)
                EXPECT_EQ(map[key].Value(), it != model.end() ? it->second : 0) << key;
            if (it == model.end())
                model.emplace_back(key, 0);
            break;
        }
        if (i == 2000)
            maps[4].InitHashTable(257);
        if (i == 3000)
        {
            for (auto& map : maps)
                map.RemoveAll();
            model.clear();
        }
    }
    ASSERT_GT(model.size(), 20u);
    for (const auto& map : maps)
    {
        EXPECT_EQ(EntriesOf(map), model);
        EXPECT_EQ(map.GetCount(), static_cast<INT_PTR>(model.size()));
        for (int key = -31; key <= 31; ++key)
        {
            Tracked value;
            const auto it = find(key);
            ASSERT_EQ(map.Lookup(key, value) != FALSE, it != model.end()) << key;
            if (it != model.end())
            {
                EXPECT_EQ(value.Value(), it->second) << key;
            }
        }
    }
    EXPECT_EQ(Tracked::Live().size(), std::size(maps) * model.size());
    EXPECT_EQ(maps[4].GetHashTableSize(), 257u);
}

// All keys share one hash chain.
struct CollidingKey
{
    int n;
    bool operator==(const CollidingKey& other) const
    {
        return n == other.n;
    }
};
} // namespace

template <> UINT AFXAPI HashKey<const CollidingKey&>(const CollidingKey&)
{
    return 5;
}

namespace
{
TEST_F(Map, KeysSharingAHashChainAreFoundAndRemoved)
{
    CMap<CollidingKey, const CollidingKey&, int, int> map;
    for (int n = 0; n < 8; ++n)
        map[CollidingKey{n}] = n * 10;
    for (int n : {7, 0, 4})
        EXPECT_TRUE(map.RemoveKey(CollidingKey{n})) << n;
    EXPECT_FALSE(map.RemoveKey(CollidingKey{4}));
    for (int n = 0; n < 8; ++n)
    {
        int value = -1;
        EXPECT_EQ(map.Lookup(CollidingKey{n}, value) != FALSE, n != 7 && n != 0 && n != 4) << n;
        EXPECT_EQ(value, n == 7 || n == 0 || n == 4 ? -1 : n * 10) << n;
    }
    std::vector<int> order;
    for (auto* pPair = map.PGetFirstAssoc(); pPair != nullptr; pPair = map.PGetNextAssoc(pPair))
        order.push_back(pPair->key.n);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3, 5, 6}));
}

TEST_F(Map, RemovingTheKeyJustReturnedKeepsTheIterationGoing)
{
    for (const auto& r : kRemovals)
    {
        CMapStringToString map;
        std::vector<int> remaining;
        for (int n = 0; n < 10; ++n)
        {
            map.SetAt(Elements<CString>::Make(n), _T("v") + Elements<CString>::Make(n));
            if (!r.remove(n))
                remaining.push_back(n);
        }
        int nVisited = 0;
        CString key;
        CString value;
        for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
        {
            map.GetNextAssoc(pos, key, value);
            const int n = Elements<CString>::Value(key);
            EXPECT_EQ(n, nVisited++) << r.what;
            EXPECT_EQ(value, _T("v") + key) << r.what;
            if (r.remove(n))
            {
                EXPECT_TRUE(map.RemoveKey(key)) << r.what;
            }
        }
        EXPECT_EQ(nVisited, 10) << r.what;
        std::vector<int> keys;
        for (POSITION pos = map.GetStartPosition(); pos != nullptr;)
        {
            map.GetNextAssoc(pos, key, value);
            keys.push_back(Elements<CString>::Value(key));
        }
        EXPECT_EQ(keys, remaining) << r.what;
        EXPECT_EQ(map.GetCount(), static_cast<INT_PTR>(remaining.size())) << r.what;
    }
}

TEST_F(Map, IndexInsertsAValueInitialisedValue)
{
    CMap<CString, const CString&, int, int> counts;
    for (LPCTSTR word : {_T("b"), _T("a"), _T("b"), _T("c"), _T("b")})
        ++counts[word];
    int value = 0;
    EXPECT_TRUE(counts.Lookup(_T("b"), value));
    EXPECT_EQ(value, 3);
    POSITION pos = counts.GetStartPosition();
    CString first;
    counts.GetNextAssoc(pos, first, value);
    EXPECT_EQ(first, _T("b"));

    CMapStringToPtr pointers;
    EXPECT_EQ(pointers[_T("x")], nullptr);
    EXPECT_EQ(pointers.GetCount(), 1);

    CMap<int, int, CString, LPCTSTR> names;
    EXPECT_TRUE(names[3].IsEmpty());
    names[3] += _T("drei");
    CString name;
    EXPECT_TRUE(names.Lookup(3, name));
    EXPECT_EQ(name, _T("drei"));
}

TEST_F(Map, StringMapsCompareTextExactly)
{
    // Case, composition and surrogate pairs all distinguish keys.
    const LPCTSTR keys[] = {_T("Größe"), _T("größe"),  _T("日本語"), _T("\U0001F600"),
                            _T(""),      _T("\u00e9"), _T("e\u0301")};
    CMapStringToString map;
    for (LPCTSTR key : keys)
        map[key] = CString(_T("<")) + key + _T(">");
    ASSERT_EQ(map.GetCount(), static_cast<INT_PTR>(std::size(keys)));
    for (LPCTSTR key : keys)
    {
        const std::wstring copy(key); // a different buffer with the same text
        CString value;
        EXPECT_TRUE(map.Lookup(copy.c_str(), value)) << static_cast<const void*>(key);
        EXPECT_EQ(value, CString(_T("<")) + key + _T(">"));
    }
    CString value;
    EXPECT_FALSE(map.Lookup(_T("GRÖSSE"), value));

    POSITION pos = map.GetStartPosition();
    for (LPCTSTR key : keys)
    {
        CString found;
        map.GetNextAssoc(pos, found, value);
        EXPECT_EQ(found, key);
    }
    EXPECT_EQ(pos, nullptr);
}

TEST_F(Map, PairsGiveAccessToTheStoredValues)
{
    CMapStringToOb map;
    CStringList object;
    map[_T("one")] = nullptr;
    map[_T("two")] = nullptr;
    for (auto* pPair = map.PGetFirstAssoc(); pPair != nullptr; pPair = map.PGetNextAssoc(pPair))
        pPair->value = &object;
    CObject* pValue = nullptr;
    EXPECT_TRUE(map.Lookup(_T("two"), pValue));
    EXPECT_EQ(pValue, &object);
    ASSERT_NE(std::as_const(map).PLookup(_T("one")), nullptr);
    EXPECT_EQ(std::as_const(map).PLookup(_T("one"))->key, _T("one"));
    EXPECT_EQ(map.PLookup(_T("three")), nullptr);
    EXPECT_EQ(map.PGetNextAssoc(nullptr), nullptr);
}

TEST_F(Map, BadArgumentsThrow)
{
    CMapWordToPtr map;
    map[1] = nullptr;
    POSITION none = nullptr;
    WORD key;
    void* value;
    const struct
    {
        const char* what;
        std::function<void()> call;
    } calls[] = {
        {"InitHashTable(0)", [&] { map.InitHashTable(0); }},
        {"GetNextAssoc(NULL)", [&] { map.GetNextAssoc(none, key, value); }},
        {"a block size of 0", [&] { CMapWordToPtr bad(0); }},
    };
    for (const auto& c : calls)
        EXPECT_TRUE(ThrowsInvalidArg(c.call)) << c.what;
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_EQ(map.GetHashTableSize(), 17u);
}

/////////////////////////////////////////////////////////////////////////////

class CItem : public CObject
{
public:
    explicit CItem(int n) : m_n(n)
    {
    }
    int m_n;
};

TEST(TypedPtr, ArrayListAndMapHandOutTheirType)
{
    CItem one(1);
    CItem two(2);

    CTypedPtrArray<CObArray, CItem*> array;
    array.Add(&one);
    array.SetAtGrow(2, &two);
    EXPECT_EQ(array.GetAt(0)->m_n, 1);
    EXPECT_EQ(array[1], nullptr);
    array.ElementAt(1) = &two;
    EXPECT_EQ(array[1]->m_n, 2);

    CTypedPtrList<CPtrList, CItem*> list;
    list.AddTail(&two);
    list.AddHead(&one);
    POSITION pos = list.GetHeadPosition();
    EXPECT_EQ(list.GetNext(pos)->m_n, 1);
    EXPECT_EQ(list.GetNext(pos)->m_n, 2);
    EXPECT_EQ(pos, nullptr);
    EXPECT_EQ(list.RemoveHead(), &one);
    EXPECT_EQ(list.GetHead(), &two);

    CTypedPtrMap<CMapStringToOb, CString, CItem*> byName;
    byName.SetAt(_T("two"), &two);
    byName[_T("one")] = &one;
    CItem* pItem = nullptr;
    EXPECT_TRUE(byName.Lookup(_T("one"), pItem));
    EXPECT_EQ(pItem, &one);
    CString name;
    pos = byName.GetStartPosition();
    byName.GetNextAssoc(pos, name, pItem);
    EXPECT_EQ(name, _T("two"));
    EXPECT_EQ(pItem, &two);

    CTypedPtrMap<CMapWordToPtr, WORD, CItem*> byNumber;
    byNumber[7] = &two;
    EXPECT_TRUE(byNumber.RemoveKey(7));
    EXPECT_FALSE(byNumber.Lookup(7, pItem));
}

TEST(Collections, ArrayListAndMapClassesAreRegistered)
{
    const struct
    {
        CRuntimeClass* pClass;
        LPCSTR name;
        bool bSerializable;
    } classes[] = {
        {RUNTIME_CLASS(CPtrArray), "CPtrArray", false},
        {RUNTIME_CLASS(CObArray), "CObArray", true},
        {RUNTIME_CLASS(CByteArray), "CByteArray", true},
        {RUNTIME_CLASS(CWordArray), "CWordArray", true},
        {RUNTIME_CLASS(CDWordArray), "CDWordArray", true},
        {RUNTIME_CLASS(CUIntArray), "CUIntArray", false},
        {RUNTIME_CLASS(CStringArray), "CStringArray", true},
        {RUNTIME_CLASS(CPtrList), "CPtrList", false},
        {RUNTIME_CLASS(CObList), "CObList", true},
        {RUNTIME_CLASS(CStringList), "CStringList", true},
        {RUNTIME_CLASS(CMapStringToPtr), "CMapStringToPtr", false},
        {RUNTIME_CLASS(CMapStringToOb), "CMapStringToOb", true},
        {RUNTIME_CLASS(CMapStringToString), "CMapStringToString", true},
        {RUNTIME_CLASS(CMapPtrToPtr), "CMapPtrToPtr", false},
        {RUNTIME_CLASS(CMapPtrToWord), "CMapPtrToWord", false},
        {RUNTIME_CLASS(CMapWordToPtr), "CMapWordToPtr", false},
        {RUNTIME_CLASS(CMapWordToOb), "CMapWordToOb", true},
    };
    for (const auto& c : classes)
    {
        EXPECT_EQ(CRuntimeClass::FromName(c.name), c.pClass) << c.name;
        EXPECT_TRUE(c.pClass->IsDerivedFrom(RUNTIME_CLASS(CObject))) << c.name;
        CObject* pObject = c.pClass->CreateObject();
        EXPECT_EQ(pObject != nullptr, c.bSerializable) << c.name;
        if (pObject != nullptr)
        {
            EXPECT_TRUE(pObject->IsSerializable()) << c.name;
            EXPECT_EQ(pObject->GetRuntimeClass(), c.pClass) << c.name;
            delete pObject;
        }
    }
}
} // namespace
