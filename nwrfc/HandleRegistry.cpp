#include <nwrfc/HandleRegistry.h>

#include <new>

namespace nwrfc
{
namespace
{
class CWriteGuard
{
public:
    explicit CWriteGuard(CRegistryLock& lock) : m_lock(lock)
    {
        m_lock.LockExclusive();
    }
    ~CWriteGuard()
    {
        m_lock.UnlockExclusive();
    }
    CWriteGuard(const CWriteGuard&) = delete;
    CWriteGuard& operator=(const CWriteGuard&) = delete;

private:
    CRegistryLock& m_lock;
};
} // namespace

CRegistryLock::CRegistryLock()
{
    InitializeSRWLock(&m_writers);
}

void CRegistryLock::LockExclusive()
{
    AcquireSRWLockExclusive(&m_writers);
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
    ReleaseSRWLockExclusive(&m_writers);
}

CHandleRegistry::CHandleRegistry() = default;

uintptr_t CHandleRegistry::Add(HandleKind kind, std::shared_ptr<void> object)
{
    CWriteGuard guard(m_lock);
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
    ++slot.generation;
    slot.kind = kind;
    slot.object = std::move(object);
    if (kind != HandleKind::FunctionDesc)
        ++m_open;
    return index | (static_cast<uintptr_t>(slot.generation) << kSlotBits);
}

std::shared_ptr<void> CHandleRegistry::Remove(uintptr_t handle, HandleKind kind)
{
    std::shared_ptr<void> object;
    CWriteGuard guard(m_lock);
    if (ViewOf(handle) != 0 || Slot(handle, kind) == nullptr)
        return object;
    const uint32_t index = static_cast<uint32_t>(handle & ((uintptr_t(1) << kSlotBits) - 1));
    CSlot& slot = m_slots[index];
    object = std::move(slot.object);
    // An even generation marks the slot free; the 20 bits wrap only after a million reuses.
    slot.generation = (slot.generation + 1) & ((1u << 20) - 1);
    m_free.push_back(index);
    if (kind != HandleKind::FunctionDesc)
        --m_open;
    return object;
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
