// The library's handles. A handle is a number, never a pointer: a slot index and the slot's
// generation, so that a closed or made-up handle is recognised and refused instead of being
// followed. Function handles also carry the number of a view below the function (a structure,
// a table or a row), which the function object resolves.
#pragma once

#include <nwrfc/ProcessBarrier.h>
#include <nwrfc/ThreadRecord.h>

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace nwrfc
{

enum class HandleKind
{
    Connection,
    FunctionDesc,
    Function,
};

// The registry's lock. Readers are every field access, writers only the opening and closing of
// handles. A reader marks itself in its own thread record with a plain store on a cache line
// that no other thread writes, then looks for a writer with a plain load. The fence that keeps
// the two in order is the writer's: after raising its flag it makes every thread of the process
// pass a full barrier, so each reader has either shown its mark or will see the flag. The writer
// then waits until no thread is marked.
class CRegistryLock
{
public:
    CRegistryLock();
    // The reader's record, for the matching unlock.
    CThreadRecord& LockShared() const
    {
        return LockShared(CThreadRecord::Current());
    }
    // For a caller that has its thread's record at hand.
    CThreadRecord& LockShared(CThreadRecord& reader) const
    {
        const unsigned depth = reader.m_reading.load(std::memory_order_relaxed);
        Mark(reader, depth + 1);
        // Inside already: a waiting writer waits for the outer guard anyway.
        if (depth == 0)
        {
            while (m_writer.load(std::memory_order_acquire))
            {
                reader.m_reading.store(0, std::memory_order_release);
                while (m_writer.load(std::memory_order_acquire))
                    SwitchToThread();
                Mark(reader, 1);
            }
        }
        return reader;
    }
    static void UnlockShared(CThreadRecord& reader)
    {
        reader.m_reading.store(reader.m_reading.load(std::memory_order_relaxed) - 1, std::memory_order_release);
    }
    void LockExclusive();
    void UnlockExclusive();
    // Excludes the other writers only: for a change that the readers may see at any moment.
    void LockWriters()
    {
        AcquireSRWLockExclusive(&m_writers);
    }
    void UnlockWriters()
    {
        ReleaseSRWLockExclusive(&m_writers);
    }

private:
    // The store stays before the loads that follow it in the program; the processor may still
    // delay it, which the writer's barrier settles.
    static void Mark(CThreadRecord& reader, unsigned depth)
    {
        reader.m_reading.store(depth, std::memory_order_relaxed);
        std::atomic_signal_fence(std::memory_order_seq_cst);
    }

    std::atomic<bool> m_writer{false};
    SRWLOCK m_writers; // one writer at a time
    CProcessBarrier m_barrier;
};

class CHandleRegistry
{
public:
    static CHandleRegistry& Instance()
    {
        static CHandleRegistry registry;
        return registry;
    }

    CHandleRegistry();
    CHandleRegistry(const CHandleRegistry&) = delete;
    CHandleRegistry& operator=(const CHandleRegistry&) = delete;

    // A new handle (with view 0) for the object.
    uintptr_t Add(HandleKind kind, std::shared_ptr<void> object);
    // The object, now unregistered; nullptr for a handle that is not open or has a view. The
    // handle is refused at once, but the registry lets go of the object only when it next waits
    // for its readers: at the next Add, after a batch of removals or with the last open handle.
    // So closing many handles in a row does not make every thread pass a barrier each time.
    std::shared_ptr<void> Remove(uintptr_t handle, HandleKind kind);
    // The object, kept alive by the caller after the registry lets go of it.
    std::shared_ptr<void> Find(uintptr_t handle, HandleKind kind) const;

    // For short calls: while a guard is held, the objects of handles found with Peek stay.
    class CReadGuard
    {
    public:
        explicit CReadGuard(const CHandleRegistry& registry) : m_reader(registry.m_lock.LockShared())
        {
        }
        CReadGuard(const CHandleRegistry& registry, CThreadRecord& reader)
            : m_reader(registry.m_lock.LockShared(reader))
        {
        }
        ~CReadGuard()
        {
            CRegistryLock::UnlockShared(m_reader);
        }
        CReadGuard(const CReadGuard&) = delete;
        CReadGuard& operator=(const CReadGuard&) = delete;

    private:
        CThreadRecord& m_reader;
    };
    // The object of any view of the handle; nullptr when the handle is not open.
    void* Peek(uintptr_t handle, HandleKind kind) const
    {
        const CSlot* slot = Slot(handle, kind);
        return slot != nullptr ? slot->object.get() : nullptr;
    }

    // Connections and functions that the caller still has to close or destroy.
    size_t OpenCount() const;

    static unsigned ViewOf(uintptr_t handle)
    {
        return static_cast<unsigned>(handle >> kViewShift);
    }
    static uintptr_t WithView(uintptr_t handle, unsigned view)
    {
        return (handle & kObjectMask) | (static_cast<uintptr_t>(view) << kViewShift);
    }
    static constexpr unsigned kMaxView = (1u << 24) - 1;

private:
    static constexpr int kSlotBits = 20;
    static constexpr int kViewShift = 40;
    static constexpr uintptr_t kObjectMask = (uintptr_t(1) << kViewShift) - 1;

    struct CSlot
    {
        // Odd while the slot is in use; Remove changes it beside the readers, so it is read and
        // written whole.
        uint32_t generation = 0;
        HandleKind kind = HandleKind::Connection;
        std::shared_ptr<void> object;

        std::atomic_ref<uint32_t> Generation() const
        {
            return std::atomic_ref<uint32_t>(const_cast<uint32_t&>(generation));
        }
    };

    const CSlot* Slot(uintptr_t handle, HandleKind kind) const
    {
        const size_t index = handle & ((uintptr_t(1) << kSlotBits) - 1);
        const uint32_t generation = static_cast<uint32_t>((handle & kObjectMask) >> kSlotBits);
        if (index >= m_slots.size())
            return nullptr;
        const CSlot& slot = m_slots[index];
        return slot.Generation().load(std::memory_order_relaxed) == generation && (generation & 1) != 0 &&
                       slot.kind == kind
                   ? &slot
                   : nullptr;
    }

    static constexpr size_t kRemovedBatch = 64;
    // With the lock held exclusively: frees the removed slots and hands their objects over, to be
    // destroyed once the lock is given back.
    std::vector<std::shared_ptr<void>> ReleaseRemoved();

    mutable CRegistryLock m_lock;
    std::vector<CSlot> m_slots;
    std::vector<uint32_t> m_free;
    std::vector<uint32_t> m_removed; // slots whose objects the next Add lets go of
    std::atomic<size_t> m_open = 0;
};

} // namespace nwrfc
