#include <zip/ActionCallback.h>

void CZipActionCallback::Init(LPCTSTR lpszFileInZip, LPCTSTR lpszExternalFile)
{
    m_szFileInZip = lpszFileInZip;
    m_szExternalFile = lpszExternalFile;
    m_uTotalToProcess = 0;
    m_iCachedStepCount = 0;
    m_uAccumulatedProgress = 0;
}

void CZipActionCallback::SetTotal(ULONGLONG uTotalToDo)
{
    m_uTotalToProcess = uTotalToDo;
}

bool CZipActionCallback::RequestCallback(ULONGLONG uProgress)
{
    if (uProgress == 0)
        return true;
    if (m_iStep == 1)
        return Callback(uProgress);
    m_uAccumulatedProgress += uProgress;
    if (++m_iCachedStepCount < m_iStep)
        return true;
    const ULONGLONG uSum = m_uAccumulatedProgress;
    m_iCachedStepCount = 0;
    m_uAccumulatedProgress = 0;
    return Callback(uSum);
}

bool CZipActionCallback::RequestLastCallback(ULONGLONG uProgress)
{
    const ULONGLONG uSum = m_uAccumulatedProgress + uProgress;
    m_iCachedStepCount = 0;
    m_uAccumulatedProgress = 0;
    return uSum == 0 || Callback(uSum);
}
