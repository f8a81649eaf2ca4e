// CZipActionCallback: progress of a long archive operation, registered with the archive per
// callback type. Its answer false stops the operation.
#pragma once

#include <afx.h>

class CZipActionCallback
{
public:
    // Callback types: the operations that report progress.
    enum CallbackType
    {
        cbAdd = 0x0001,
        cbAddTmp = 0x0002,   // copying an entry out of a temporary archive
        cbAddStore = 0x0004, // adding a file again, stored, after the efficiency check
        cbSave = 0x0080,     // writing the central directory
        cbMoveData = 0x0200, // moving data while committing changed headers
        cbReplace = 0x0400,  // moving data to make room for a replacing entry
    };

    CZipActionCallback() = default;
    CZipActionCallback(const CZipActionCallback&) = delete;
    CZipActionCallback& operator=(const CZipActionCallback&) = delete;
    virtual ~CZipActionCallback() = default;

    // An operation starts: the entry's name and the file outside the archive, either may be null.
    virtual void Init(LPCTSTR lpszFileInZip = nullptr, LPCTSTR lpszExternalFile = nullptr);
    virtual void SetTotal(ULONGLONG uTotalToDo);
    // False stops the operation.
    bool RequestCallback(ULONGLONG uProgress = 1);
    // Hands over what is accumulated together with uProgress.
    bool RequestLastCallback(ULONGLONG uProgress = 0);
    virtual void CallbackEnd()
    {
    }
    // Every step-th request reaches the callback, with the sum of the amounts since the last one.
    void SetStep(int iStep)
    {
        m_iStep = iStep < 1 ? 1 : iStep;
    }

    int m_iType = 0; // the type the archive last looked this callback up for
    CString m_szFileInZip;
    CString m_szExternalFile;
    ULONGLONG m_uTotalToProcess = 0;

protected:
    // The progress since the last call; false stops the operation.
    virtual bool Callback(ULONGLONG uProgress) = 0;

private:
    int m_iStep = 1;
    int m_iCachedStepCount = 0;
    ULONGLONG m_uAccumulatedProgress = 0;
};
