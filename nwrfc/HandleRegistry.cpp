#include <nwrfc/HandleRegistry.h>

#include <new>

namespace nwrfc
{
namespace
{
// Holds the lock one way for a scope.
template <void (CRegistryLock::*Lock)(), void (CRegistryLock::*Unlock)()> class CLockGuard
{
public:
    explicit CLockGuard(CRegistryLock& lock) : m_lock(lock)
    {
        (m_lock.*Lock)();
    }
    ~CLockGuard()
    {
        (m_lock.*Unlock)();
    }
    CLockGuard(const CLockGuard&) = delete;
    CLockGuard& operator=(const CLockGuard&) = delete;

private:
    CRegistryLock& m_lock;
};
// Excludes the readers and the other writers.
using CWriteGuard = CLockGuard<&CRegistryLock::LockExclusive, &CRegistryLock::UnlockExclusive>;
// Excludes the other writers only.
using CWritersGuard = CLockGuard<&CRegistryLock::LockWriters, &CRegistryLock::UnlockWriters>;
} // namespace

CRegistryLock::CRegistryLock()
{
    InitializeSRWLock(&m_writers);
}

void CRegistryLock::LockExclusive()
{
    LockWriters();
    m_writer.store(true, std::memory_order_relaxed);
    if (!m_barrier.Pass())
    {
        UnlockExclusive();
        throw std::bad_alloc();
    }
    CThreadRecord::ForEach([](const CThreadRecord& record) {
        while (record.m_reading.load(std::memory_order_acquire) != 0)
            SwitchToThread();
    });
}

void CRegistryLock::UnlockExclusive()
{
    m_writer.store(false, std::memory_order_release);
    UnlockWriters();
}

CHandleRegistry::CHandleRegistry() = default;

uintptr_t CHandleRegistry::Add(HandleKind kind, std::shared_ptr<void> object)
{
    std::vector<std::shared_ptr<void>> released; // destroyed after the guard
    CWriteGuard guard(m_lock);
    released = ReleaseRemoved();
    uint32_t index;
    if (!m_free.empty())
    {
        index = m_free.back();
        m_free.pop_back();
    }
    else
    {
        if (m_slots.size() >= (size_t(1) << kSlotBits))
            throw std::bad_alloc();
        index = static_cast<uint32_t>(m_slots.size());
        m_slots.emplace_back();
    }
    CSlot& slot = m_slots[index];
    slot.Generation().store(slot.generation + 1, std::memory_order_relaxed);
    slot.kind = kind;
    slot.object = std::move(object);
    if (kind != HandleKind::FunctionDesc)
        ++m_open;
    return index | (static_cast<uintptr_t>(slot.generation) << kSlotBits);
}

std::shared_ptr<void> CHandleRegistry::Remove(uintptr_t handle, HandleKind kind)
{
    std::shared_ptr<void> object;
    bool bRelease = false;
    {
        const CWritersGuard guard(m_lock);
        if (ViewOf(handle) != 0 || Slot(handle, kind) == nullptr)
            return object;
        const uint32_t index = static_cast<uint32_t>(handle & ((uintptr_t(1) << kSlotBits) - 1));
        CSlot& slot = m_slots[index];
        m_removed.push_back(index);
        object = slot.object;
        // An even generation marks the slot free; the 20 bits wrap only after a million reuses.
        slot.Generation().store((slot.generation + 1) & ((1u << 20) - 1), std::memory_order_release);
        if (kind != HandleKind::FunctionDesc)
            --m_open;
        // The objects of many closed handles, or of the last one, are not kept waiting.
        bRelease = m_removed.size() >= kRemovedBatch || m_open == 0;
    }
    if (bRelease)
    {
        std::vector<std::shared_ptr<void>> released;
        CWriteGuard guard(m_lock);
        released = ReleaseRemoved();
    }
    return object;
}

std::vector<std::shared_ptr<void>> CHandleRegistry::ReleaseRemoved()
{
    std::vector<std::shared_ptr<void>> released;
    released.reserve(m_removed.size());
    m_free.reserve(m_free.size() + m_removed.size());
    for (const uint32_t removed : m_removed)
    {
        released.push_back(std::move(m_slots[removed].object));
        m_free.push_back(removed);
    }
    m_removed.clear();
    return released;
}

std::shared_ptr<void> CHandleRegistry::Find(uintptr_t handle, HandleKind kind) const
{
    CReadGuard guard(*this);
    const CSlot* slot = Slot(handle, kind);
    return slot != nullptr ? slot->object : nullptr;
}

size_t CHandleRegistry::OpenCount() const
{
    CReadGuard guard(*this);
    return m_open;
}

} // namespace nwrfc
