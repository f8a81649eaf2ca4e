// The program's entry: a Windows executable with a CWinApp object runs it from here. Kept
// apart so that executables with a main of their own do not take this entry in.
#include <afxwin.h>

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinThread* pThread = AfxGetThread();
    if (pThread == nullptr || !AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow))
        return -1;
    if (pThread->InitInstance())
        return pThread->Run();
    if (pThread->m_pMainWnd != nullptr)
        pThread->m_pMainWnd->DestroyWindow();
    return pThread->ExitInstance();
}

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
