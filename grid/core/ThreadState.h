// The grid's per-thread state objects: each thread makes its own on first use and keeps it
// until the thread ends. The objects live in a fiber-local slot, whose callback deletes them
// when their thread ends (the compiler's thread_local destructors run after the thread's
// storage is gone in this runtime).
#pragma once

#include <afx.h>

#include <new>

template <class TYPE> void WINAPI GXDeleteThreadState(PVOID pState)
{
    delete static_cast<TYPE*>(pState);
}

template <class TYPE> TYPE* GXGetThreadState()
{
    static const DWORD dwSlot = ::FlsAlloc(GXDeleteThreadState<TYPE>);
    if (dwSlot == FLS_OUT_OF_INDEXES)
        AfxThrowInvalidArgException();
    auto* pState = static_cast<TYPE*>(::FlsGetValue(dwSlot));
    if (pState == nullptr)
    {
        pState = new (std::nothrow) TYPE;
        if (pState == nullptr || !::FlsSetValue(dwSlot, pState))
        {
            delete pState;
            AfxThrowInvalidArgException();
        }
    }
    return pState;
}
