// A thread-local slot that is read without a call and without touching the thread's last error
// (TlsGetValue clears it, and a caller may be about to read it), for the paths that read their
// slot on every allocation or every field.
#pragma once

#include <windows.h>

#include <winternl.h>

class CTlsSlot
{
public:
    CTlsSlot() : m_nIndex(::TlsAlloc())
    {
    }
    CTlsSlot(const CTlsSlot&) = delete;
    CTlsSlot& operator=(const CTlsSlot&) = delete;

    bool IsValid() const
    {
        return m_nIndex != TLS_OUT_OF_INDEXES;
    }
    // Null until the thread sets it.
    void* GetValue() const
    {
        if (m_nIndex < TLS_MINIMUM_AVAILABLE)
            return CurrentTeb()->TlsSlots[m_nIndex];
        const DWORD dwError = ::GetLastError();
        void* pValue = ::TlsGetValue(m_nIndex);
        ::SetLastError(dwError);
        return pValue;
    }
    void SetValue(void* pValue)
    {
        const DWORD dwError = ::GetLastError();
        ::TlsSetValue(m_nIndex, pValue);
        ::SetLastError(dwError);
    }

private:
    // As NtCurrentTeb, whose intrinsic the compiler takes for an access out of bounds.
    static TEB* CurrentTeb()
    {
        TEB* pTeb;
        __asm__("movq %%gs:0x30, %0" : "=r"(pTeb));
        return pTeb;
    }

    DWORD m_nIndex;
};
