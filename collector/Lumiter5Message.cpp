#include <collector/Lumiter5Message.h>

IMPLEMENT_DYNCREATE(CLumiter5Message, CObject)

CLumiter5Message::CLumiter5Message(LPCTSTR lpszSource, LPCTSTR lpszTime, LPCTSTR lpszText)
    : m_strSource(lpszSource), m_strTime(lpszTime), m_strText(lpszText)
{
}
