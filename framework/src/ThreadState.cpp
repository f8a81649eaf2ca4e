#include <afxpriv.h>

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    thread_local _AFX_THREAD_STATE state{};
    return &state;
}

void AFXAPI AfxAtThreadTerm(void (*pfnTerm)())
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    pState->m_pTermFuncs = new _AFX_THREAD_STATE::TermFunc{pfnTerm, pState->m_pTermFuncs};
}
