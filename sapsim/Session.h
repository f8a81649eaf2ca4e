// One logged-on connection to an instance of the simulated landscape. The RFC library holds it
// while the caller's connection handle is open; closing it ends a slow call at once.
#pragma once

#include <sapsim/Topology.h>

#include <afxmt.h>

#include <atomic>
#include <memory>

namespace sapsim
{

class CSession
{
public:
    CSession(std::shared_ptr<const CTopology> topology, const CSystemInfo& system, const CInstanceInfo& instance,
             const CString& user, const CString& client, const CString& language);
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;

    const CTopology& Topology() const
    {
        return *m_topology;
    }
    const CSystemInfo& System() const
    {
        return *m_system;
    }
    const CInstanceInfo& Instance() const
    {
        return *m_instance;
    }
    const CHostInfo& Host() const
    {
        return *m_host;
    }
    const CString& InstanceName() const
    {
        return m_instanceName;
    }
    const CString& User() const
    {
        return m_user;
    }
    const CString& Client() const
    {
        return m_client;
    }
    const CString& Language() const
    {
        return m_language;
    }
    // A number that identifies the conversation, as the partner reports it.
    unsigned long ConversationId() const
    {
        return m_conversationId;
    }

    void Close();
    bool IsClosed() const
    {
        return m_closed.load();
    }
    // The network broke: every later call fails until the caller opens a new connection.
    void Drop()
    {
        m_dropped.store(true);
    }
    bool IsDropped() const
    {
        return m_dropped.load();
    }
    // Waits the given time; false when the session was closed first.
    bool Wait(DWORD milliseconds);

private:
    std::shared_ptr<const CTopology> m_topology;
    const CSystemInfo* m_system;
    const CInstanceInfo* m_instance;
    const CHostInfo* m_host;
    CString m_instanceName;
    CString m_user;
    CString m_client;
    CString m_language;
    unsigned long m_conversationId;
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_dropped{false};
    CEvent m_closeEvent{FALSE, TRUE};
};

} // namespace sapsim
