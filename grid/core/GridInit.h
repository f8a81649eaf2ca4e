// Start-up of the grid library: the application-wide data, the texts, the window classes and
// the clipboard format; and the grid's per-thread cursor and class-registration state.
#pragma once

#include <afxwin.h>

class CGXAbstractControlFactory;

// GXInit with the standard control factory (defined beside it among the services); called once
// by the application's start-up.
void GXInitLibraryDefault();
// Initialises the library with the factory, which CGXAppData then owns. A second call
// replaces the factory and registers nothing twice.
void GXInit(CGXAbstractControlFactory* pFactory);
// The grid's window classes for the instance; a class that exists already is kept.
void GXRegisterWndClasses(HINSTANCE hInstance);

BOOL GXIsWndClassRegistered(HINSTANCE hInstance, LPCWSTR pszName);
// Registers the global window class pszName (double clicks, the given cursor) once; throws
// CResourceException when the system refuses it.
void GXRegisterWndClass(HINSTANCE hInstance, LPCWSTR pszName, WNDPROC pfnWndProc, HCURSOR hCursor = nullptr);
// The class procedure of such a class: a window made by class name (a dialog template's control)
// gets the object pfnMake makes, attached, and from then on routes through the framework; a
// window made through its object is already routed, so it gets the default processing.
LRESULT GXAttachToClassWindow(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, CWnd* (*pfnMake)());

// The main frame's active view, else that of its active child frame.
CView* GXGetActiveView();
// The window's parent when it is of the class; without bAllowIconic only while no window
// from the grid window up to the top is minimised.
CWnd* GXGetParentOfKind(const CWnd* pWnd, CRuntimeClass* pClass, BOOL bAllowIconic);

// The calling thread's cursor cache of the grid.
struct GX_CURSOR_STATE
{
    UINT_PTR m_nCursorId = 0;
    HCURSOR m_hcurCurrent = nullptr;
    // The cursor loaded from the resources, destroyed when the next one replaces it.
    HCURSOR m_hcurLoaded = nullptr;
};

// Exists once the thread has registered the grid's window classes.
class CGXClassRegState
{
};
