// The extended system commands: filters that let a document window switch between MDI child,
// docked and floating forms from its caption, and the registered message that carries them.
#pragma once

#include <toolkit/frames/CaptionMsgFilter.h>
#include <toolkit/frames/DockBar.h>
#include <toolkit/frames/MDIFrameWnd.h>
#include <toolkit/frames/MultiDocTemplate.h>

namespace tarnwick::frames::nsSysCommandEx
{
// "Tarnwick::WM_SYSCOMMANDEX", registered on first use.
UINT GetSysCommandExMessage();

// A frame's default processing of the registered message: its filters' answer. FALSE for
// any other message.
BOOL DispatchSysCommandEx(SECMsgFilter& filters, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

// The kinds of the frames' filters in their descriptor tables.
constexpr UINT FILTER_CAPTION_LIST = 256;
constexpr UINT FILTER_SYSCOMMANDEX = 257;
constexpr UINT FILTER_CHILD_BUTTON = 258;
constexpr UINT FILTER_CAPTION_DBLCLK = 259;
constexpr UINT FILTER_MAXCHILD_BUTTON = 260;
constexpr UINT FILTER_MAXCHILD_DBLCLK = 261;
constexpr UINT FILTER_CONTEXT_MENU = 262;

// The filters of a document frame (an MDI child or a dockable frame) in table order, with
// pButtonClass as the extra caption button.
constexpr int DOCUMENT_FRAME_FILTERS = 5;
void AddDocumentFrameFilters(SECMsgFilter::DescriptorTable& table, CRuntimeClass* pButtonClass);
// Bit 0 of the mask switches every filter on; bit 1 then keeps the caption buttons off, bit 2
// the right double-click and bit 3 the context menu. The caption row is laid out afterwards.
void InstallDocumentFrameFilters(SECMsgFilter& manager, const SECMsgFilter::DescriptorTable& table, UINT nMask);
// Lays out the manager's caption button row, when it has one.
void LayoutCaptionRow(SECMsgFilter& manager);

// What a request of the registered message concerns; lParam carries its address. Every field
// is zero in a new record.
struct SysCommandExRecord
{
    HWND hWnd;
    // SCX_POSITION, SCX_SIZE.
    DWORD dwFlags;
    // Screen point: where the menu goes, or the window's new place.
    int x;
    int y;
    int cx;
    int cy;
    // The screen rectangle of the caption button that sent the request.
    RECT rectButton;
    // The answer to a menu query.
    HMENU hMenu;
    // The state to go to; STATE_TOGGLE toggles.
    int nCommand;
    // Where and how to dock, with SCX_POSITION and SCX_SIZE.
    SECDockPlacement* pDockPosition;
    SECDockLayout* pDockSize;
};
// The record's position is given (the handler also repaints the window's frame afterwards);
// its size is given.
constexpr DWORD SCX_POSITION = 0x1;
constexpr DWORD SCX_SIZE = 0x2;

// The message's codes (wParam & 0xFFF0): carry out the record's command; answer a menu of the
// forms in the record (the result is TRUE when there is one); show that menu and carry out
// the choice.
constexpr WPARAM SCX_EXECUTE = 0xC000;
constexpr WPARAM SCX_QUERYMENU = 0xC010;
constexpr WPARAM SCX_TRACKMENU = 0xC020;

// The forms of a document window, also the menu's item ids. A state's class is 1 for the MDI
// child states, 5 for the docked ones, 10 for floating.
constexpr int STATE_TOGGLE = -1;
constexpr int STATE_NONE = 0;
constexpr int STATE_MDICHILD = 1;
constexpr int STATE_MINIMIZED = 2;
constexpr int STATE_MAXIMIZED = 3;
constexpr int STATE_RESTORED = 4;
constexpr int STATE_DOCKED = 5;
constexpr int STATE_LEFT = 6;
constexpr int STATE_TOP = 7;
constexpr int STATE_RIGHT = 8;
constexpr int STATE_BOTTOM = 9;
constexpr int STATE_FLOATING = 10;

// Sends the registered message with the code and the record to the record's window.
LRESULT SendSysCommandExMessage(WPARAM nCode, SysCommandExRecord& record);

// Carries out the extended commands for its owner, with the help of the document template
// that owns the owner's document.
class ScxMsgFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    explicit ScxMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECMsgFilter(pOwner, nID), m_bWorkingCopy(FALSE)
    {
    }
    // The registered message only (answering 15 when a handler ran); commands that may rebuild
    // the window run on a private copy of this filter.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual DWORD OnSysCommandMenu(SysCommandExRecord& record, LRESULT* pResult);
    virtual DWORD OnSysCommandQuery(SysCommandExRecord& record, LRESULT* pResult);
    virtual DWORD OnSysCommand(SysCommandExRecord& record, LRESULT* pResult);
    // The record's menu, else the one the window answers to a query.
    virtual HMENU SendSysCommandEx(const SysCommandExRecord& record);
    // The chosen id, 0 for none; at the record's point, or the window's centre when x < 0.
    virtual UINT TrackMenu(HMENU hMenu, const SysCommandExRecord& record);
    // Asks the window to go to state nID; FALSE for 0.
    virtual BOOL SendCommand(UINT nID, const SysCommandExRecord& record);
    // A new popup (the caller destroys it) with the forms, the docking sides and the MDI child
    // states, the current ones checked.
    virtual HMENU BuildContextMenu(CFrameWnd* pFrame, int nCurrentState);
    // The menu for the record's window; null without a dockable template.
    virtual HMENU GetContextMenu(const SysCommandExRecord& record);
    // Each answers the frame that now shows the view, or null when nothing was done.
    virtual CFrameWnd* ToMDIChild(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                  SysCommandExRecord& record);
    virtual CFrameWnd* ToDocked(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                SysCommandExRecord& record);
    virtual CFrameWnd* ToFloating(CFrameWnd* pFrame, int nCurrent, int nTarget, SECMultiDocTemplate* pTemplate,
                                  SysCommandExRecord& record);
    virtual CFrameWnd* TemplateToggle(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate);
    // The hosting bar floats or docks back, at the record's point and size where given.
    virtual BOOL ToggleBarDocking(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, SysCommandExRecord& record);
    virtual CFrameWnd* TemplateDockAt(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, UINT nDockBarID,
                                      SECDockPlacement* pPosition, SECDockLayout* pSize);
    virtual int GetStateClass(int nState);
    virtual int GetToggleTarget(int nCurrent);
    virtual int GetCurrentState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, const SysCommandExRecord& record);
    // The template holding the document of the record window's active view, when it is of
    // pClass (or any class for null).
    virtual CDocTemplate* FindDocTemplate(const SysCommandExRecord& record, CRuntimeClass* pClass);
    virtual BOOL IsCopyCommand(WPARAM nCode);

private:
    // Set on the private copy that runs a command.
    BOOL m_bWorkingCopy;

    // The frame of the record's window, or null.
    static CFrameWnd* GetRecordFrame(const SysCommandExRecord& record);
    // The record's point and size applied to the frame as its flags say.
    static void ApplyPlacement(CWnd* pWnd, const SysCommandExRecord& record);
};

// The extra caption button with the diamond glyph: a click toggles between MDI child and
// docked, a hold or a right click drops the menu of all forms.
class ScxButtonMsgFilter : public SECCaptionControlMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    static constexpr UINT DEFAULT_ID = 5120;
    static constexpr int HOLD_DELAY = 400;
    explicit ScxButtonMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID);

    // As a caption button; a press or release it took stops its siblings.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsButtonVisible(BOOL& bDisabled) override;
    // Sends what GetCommand builds, for clicks, right clicks and holds alike.
    void Execute(UINT nFlags, int x, int y) override;
    // The registered message for the window the button serves, with a fresh record: a click
    // toggles at the point, a right click or a hold asks for the menu below the button.
    BOOL GetCommand(UINT nFlags, int x, int y, CWnd*& pTarget, UINT& message, WPARAM& wParam,
                    LPARAM& lParam) override;

protected:
    // The raised square with the diamond.
    void Draw(CDC* pDC) override;
    // The window whose form the button switches.
    virtual CWnd* GetTargetWnd();

private:
    SysCommandExRecord m_record;
};

// The button on an MDI child's own caption; a zoomed child shows its buttons in the frame.
class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
public:
    explicit ScxButtonMDIChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID) : ScxButtonMsgFilter(pOwner, nID)
    {
    }
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsButtonVisible(BOOL& bDisabled) override;
};

// The button in the MDI frame's menu row for its maximized child; its commands address the
// child.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
public:
    explicit ScxButtonMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID)
        : ScxButtonMsgFilter(pOwner, nID)
    {
    }
    // The owner MDI frame's active child while it is zoomed.
    virtual CMDIChildWnd* GetMaximizedChild();
    // Presses on the menu row (HTMENU) as a caption button takes them on the caption.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsButtonVisible(BOOL& bDisabled) override;

protected:
    CWnd* GetTargetWnd() override;

private:
    // The zoomed child when it is a toolkit child with its own caption button on.
    CMDIChildWnd* GetServedChild();
};

// A right double-click on the caption toggles.
class ScxCaptionNCRDBLClkFilter : public SECCaptionMsgFilter
{
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    explicit ScxCaptionNCRDBLClkFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECCaptionMsgFilter(pOwner, nID)
    {
    }
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A right double-click on a maximized child's menu row in the MDI frame toggles the child.
class ScxNCRDBLClkMDIMaxChildMsgFilter : public SECNcMsgFilter
{
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
public:
    explicit ScxNCRDBLClkMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECNcMsgFilter(pOwner, nID)
    {
    }
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The right button released on the caption drops the menu of all forms.
class ScxContextMenuFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    explicit ScxContextMenuFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1)) : SECMsgFilter(pOwner, nID)
    {
    }
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
} // namespace tarnwick::frames::nsSysCommandEx
