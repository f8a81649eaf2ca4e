#include <sapsim/Session.h>

namespace sapsim
{
namespace
{
std::atomic<unsigned long> g_nextConversation{10000001};
}

CSession::CSession(std::shared_ptr<const CTopology> topology, const CSystemInfo& system, const CInstanceInfo& instance,
                   const CString& user, const CString& client, const CString& language)
    : m_topology(std::move(topology)), m_system(&system), m_instance(&instance),
      m_host(m_topology->FindHost(instance.host)), m_instanceName(system.InstanceName(instance)), m_user(user),
      m_client(client), m_language(language), m_conversationId(g_nextConversation++)
{
    m_user.MakeUpper();
}

void CSession::Close()
{
    m_closed.store(true);
    m_closeEvent.SetEvent();
}

bool CSession::Wait(DWORD milliseconds)
{
    return !m_closed.load() && WaitForSingleObject(m_closeEvent, milliseconds) == WAIT_TIMEOUT;
}

} // namespace sapsim
