#include <nwrfc/HandleRegistry.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using nwrfc::CHandleRegistry;
using nwrfc::HandleKind;

namespace
{
std::shared_ptr<void> Object()
{
    return std::make_shared<int>(0);
}
} // namespace

TEST(HandleRegistryTest, AClosedHandleIsRefusedAtOnceAndItsObjectGoesWithTheLastOpenOne)
{
    CHandleRegistry registry;
    std::weak_ptr<void> first, second;
    uintptr_t hFirst = 0, hSecond = 0;
    {
        const std::shared_ptr<void> a = Object(), b = Object();
        first = a;
        second = b;
        hFirst = registry.Add(HandleKind::Connection, a);
        hSecond = registry.Add(HandleKind::Connection, b);
    }
    EXPECT_EQ(2u, registry.OpenCount());
    EXPECT_EQ(first.lock(), registry.Remove(hFirst, HandleKind::Connection));
    EXPECT_EQ(nullptr, registry.Find(hFirst, HandleKind::Connection));
    EXPECT_EQ(nullptr, registry.Remove(hFirst, HandleKind::Connection));
    EXPECT_EQ(1u, registry.OpenCount());
    EXPECT_NE(nullptr, registry.Find(hSecond, HandleKind::Connection));

    // Closing the last open handle lets go of every closed one's object.
    EXPECT_NE(nullptr, registry.Remove(hSecond, HandleKind::Connection));
    EXPECT_EQ(0u, registry.OpenCount());
    EXPECT_TRUE(first.expired());
    EXPECT_TRUE(second.expired());

    // The slot serves again under a new handle; the old one stays refused.
    const uintptr_t hThird = registry.Add(HandleKind::Connection, Object());
    EXPECT_NE(hFirst, hThird);
    EXPECT_NE(hSecond, hThird);
    EXPECT_EQ(nullptr, registry.Find(hFirst, HandleKind::Connection));
    EXPECT_EQ(nullptr, registry.Find(hSecond, HandleKind::Connection));
    EXPECT_NE(nullptr, registry.Find(hThird, HandleKind::Connection));
}

TEST(HandleRegistryTest, ObjectsOfClosedHandlesGoInBatchesWhileOthersStayOpen)
{
    CHandleRegistry registry;
    const uintptr_t hConnection = registry.Add(HandleKind::Connection, Object());
    std::vector<std::weak_ptr<void>> objects;
    std::vector<uintptr_t> handles;
    for (int i = 0; i < 100; ++i)
    {
        const std::shared_ptr<void> object = Object();
        objects.push_back(object);
        handles.push_back(registry.Add(HandleKind::Function, object));
    }
    for (const uintptr_t handle : handles)
        EXPECT_NE(nullptr, registry.Remove(handle, HandleKind::Function));
    // Not one object kept per closed handle: at most a batch waits for the next writer.
    size_t nKept = 0;
    for (const std::weak_ptr<void>& object : objects)
        nKept += !object.expired();
    EXPECT_LT(nKept, 64u);
    // The next handle lets go of the rest.
    registry.Add(HandleKind::Function, Object());
    for (const std::weak_ptr<void>& object : objects)
        EXPECT_TRUE(object.expired());
    EXPECT_NE(nullptr, registry.Find(hConnection, HandleKind::Connection));
}
