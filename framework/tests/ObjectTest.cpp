#include <afx.h>

#include <memory>

#include <gtest/gtest.h>

namespace
{
class CAnimal : public CObject
{
    DECLARE_DYNAMIC(CAnimal)
};

class CBird : public CAnimal
{
    DECLARE_SERIAL(CBird)
};

class CRaven : public CBird
{
    DECLARE_DYNCREATE(CRaven)
public:
    int m_nFeathers = 7;
};

class CStone : public CObject
{
    DECLARE_DYNCREATE(CStone)
};
} // namespace

IMPLEMENT_DYNAMIC(CAnimal, CObject)
IMPLEMENT_SERIAL(CBird, CAnimal, VERSIONABLE_SCHEMA | 3)
IMPLEMENT_DYNCREATE(CRaven, CBird)
IMPLEMENT_DYNCREATE(CStone, CObject)

TEST(RuntimeClass, IsKindOfFollowsTheWholeChain)
{
    CRaven raven;
    const CObject& object = raven;
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CRaven)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CBird)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CAnimal)));
    EXPECT_TRUE(object.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(object.IsKindOf(RUNTIME_CLASS(CStone)));

    CBird bird;
    EXPECT_FALSE(bird.IsKindOf(RUNTIME_CLASS(CRaven)));
    EXPECT_EQ(object.GetRuntimeClass(), RUNTIME_CLASS(CRaven));
    EXPECT_STREQ(object.GetRuntimeClass()->m_lpszClassName, "CRaven");
    EXPECT_EQ(RUNTIME_CLASS(CRaven)->m_nObjectSize, static_cast<int>(sizeof(CRaven)));
}

TEST(RuntimeClass, CreatesObjectsByClassAndByName)
{
    std::unique_ptr<CObject> byClass(RUNTIME_CLASS(CRaven)->CreateObject());
    ASSERT_NE(byClass, nullptr);
    EXPECT_EQ(byClass->GetRuntimeClass(), RUNTIME_CLASS(CRaven));
    EXPECT_EQ(static_cast<CRaven*>(byClass.get())->m_nFeathers, 7);

    std::unique_ptr<CObject> byWideName(CRuntimeClass::CreateObject(L"CBird"));
    ASSERT_NE(byWideName, nullptr);
    EXPECT_EQ(byWideName->GetRuntimeClass(), RUNTIME_CLASS(CBird));

    std::unique_ptr<CObject> byNarrowName(CRuntimeClass::CreateObject("CStone"));
    ASSERT_NE(byNarrowName, nullptr);
    EXPECT_TRUE(byNarrowName->IsKindOf(RUNTIME_CLASS(CStone)));
}

TEST(RuntimeClass, LookupIsExactAndCreationNeedsDynCreate)
{
    EXPECT_EQ(CRuntimeClass::FromName("CRaven"), RUNTIME_CLASS(CRaven));
    EXPECT_EQ(CRuntimeClass::FromName(L"CObject"), RUNTIME_CLASS(CObject));
    EXPECT_EQ(CRuntimeClass::FromName("craven"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CRave"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(L"CRäven"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName(static_cast<LPCSTR>(nullptr)), nullptr);

    // Dynamic but not creatable.
    EXPECT_NE(CRuntimeClass::FromName("CAnimal"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject("CAnimal"), nullptr);
    EXPECT_EQ(CRuntimeClass::CreateObject(L"NoSuchClass"), nullptr);
}

TEST(RuntimeClass, SchemaMarksSerializableClasses)
{
    CBird bird;
    CRaven raven;
    EXPECT_TRUE(bird.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CBird)->m_wSchema, VERSIONABLE_SCHEMA | 3);
    EXPECT_FALSE(raven.IsSerializable());
    EXPECT_EQ(RUNTIME_CLASS(CRaven)->m_pBaseClass, RUNTIME_CLASS(CBird));
}
