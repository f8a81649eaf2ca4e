// The document template whose documents' frames may dock and float beside the MDI children;
// its presence switches the MDI frame's caption buttons on. A view changes form by moving,
// the same object with its contents and document, into a frame of the other kind.
#pragma once

#include <toolkit/frames/DockBar.h>

#include <afxwin.h>

namespace tarnwick::frames
{
class SECDockableFrame;
class SECFrameBar;
class SECMDIFrameWnd;
struct SECDockLayout;

class SECMultiDocTemplate : public CMultiDocTemplate
{
    DECLARE_DYNAMIC(SECMultiDocTemplate)
public:
    // pDockableFrameClass: the frame a docked or floating view lives in (SECDockableFrame when
    // null).
    SECMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                        CRuntimeClass* pViewClass, CRuntimeClass* pDockableFrameClass = nullptr);

    CRuntimeClass* GetDockableFrameClass() const
    {
        return m_pDockableFrameClass;
    }

    // The frame that now shows pFrame's view: an MDI child becomes docked at the MDI frame's
    // next dock position, a docked or floating frame an MDI child. Null, with nothing changed,
    // for a frame without view or document or outside a toolkit MDI frame.
    virtual CFrameWnd* ToggleDockedFrame(CFrameWnd* pFrame);
    // The MDI child's view docked into the dock bar nDockBarID at pPosition with pLayout (either
    // null: the next dock position's); the docked frame, or null.
    virtual CFrameWnd* DockFrameAt(CFrameWnd* pChild, UINT nDockBarID, const SECDockPlacement* pPosition,
                                   const SECDockLayout* pLayout);
    static constexpr int SIDE_TOP = 0;
    static constexpr int SIDE_LEFT = 1;
    static constexpr int SIDE_BOTTOM = 2;
    static constexpr int SIDE_RIGHT = 3;
    static constexpr int SIDE_FLOATING = 4;
    static constexpr int SIDE_NONE = -1;
    // Where the frame's bar is: SIDE_TOP ... SIDE_FLOATING, SIDE_NONE outside a frame bar.
    virtual int GetDockingSide(CFrameWnd* pFrame) const;
    // Opens the document (a new one for a null path) with its view docked in the frame bar
    // nBarID (0: a free id); null when it cannot be read or shown. The framework keeps no
    // recent-file list, so bAddToMRU has nothing to add to.
    virtual CDocument* OpenDockedDocumentFile(LPCTSTR lpszPathName, BOOL bAddToMRU, BOOL bMakeVisible, UINT nBarID);
    // A further docked frame with a new view of the open document, in the frame bar nBarID.
    virtual CFrameWnd* CreateDockedFrame(CDocument* pDoc, UINT nBarID);
    // Where a frame docked at a side without a given place goes: the end of the last row at
    // the top and left, a new first row at the right and bottom.
    static SECDockPlacement GetDefaultPlacement(UINT nDockBarID);

private:
    CRuntimeClass* m_pDockableFrameClass;

    // The frame bar nBarID of the MDI frame: an empty one a restored layout made, else a new
    // one (a free id for 0), docked at the given place or the next dock position.
    SECFrameBar* MakeFrameBar(SECMDIFrameWnd& frame, UINT nBarID, UINT nDockBarID, const SECDockPlacement* pPosition,
                              const SECDockLayout* pLayout);
    // A dockable frame in the bar for the document, with a new view of the template's class
    // (pViewClass) or none.
    SECDockableFrame* LoadDockableFrame(SECFrameBar& bar, CDocument* pDoc, CRuntimeClass* pViewClass);
    // The view of pFrom docked in a new frame bar; null when it cannot be made.
    CFrameWnd* DockView(CFrameWnd* pFrom, UINT nDockBarID, const SECDockPlacement* pPosition,
                        const SECDockLayout* pLayout);
    // The view of pFrom in a new MDI child.
    CFrameWnd* ViewToMDIChild(CFrameWnd* pFrom);
};
} // namespace tarnwick::frames
