#include <afxpriv.h>

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    thread_local _AFX_THREAD_STATE state{};
    return &state;
}
