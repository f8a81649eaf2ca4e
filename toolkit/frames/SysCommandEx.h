// The extended system commands: filters that let a document window switch between MDI child,
// docked and floating forms from its caption, and the registered message that carries them.
#pragma once

#include <toolkit/frames/CaptionMsgFilter.h>

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

// Carries out the extended commands for its owner.
class ScxMsgFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    explicit ScxMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECMsgFilter(pOwner, nID), m_bWorkingCopy(FALSE)
    {
    }
    // No window form is switched yet: nothing is taken over.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // Set on the private copy that runs a command.
    BOOL m_bWorkingCopy;
};

// The extra caption button with the diamond glyph.
class ScxButtonMsgFilter : public SECCaptionControlMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    static constexpr UINT DEFAULT_ID = 5120;
    static constexpr int HOLD_DELAY = 400;
    explicit ScxButtonMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID);
};

// The button on an MDI child's own caption.
class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
public:
    explicit ScxButtonMDIChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID) : ScxButtonMsgFilter(pOwner, nID)
    {
    }
};

// The button in the MDI frame's menu row for its maximized child.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter
{
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
public:
    explicit ScxButtonMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = DEFAULT_ID)
        : ScxButtonMsgFilter(pOwner, nID)
    {
    }
};

// A right double-click on the caption.
class ScxCaptionNCRDBLClkFilter : public SECCaptionMsgFilter
{
    DECLARE_DYNCREATE(ScxCaptionNCRDBLClkFilter)
public:
    explicit ScxCaptionNCRDBLClkFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECCaptionMsgFilter(pOwner, nID)
    {
    }
};

// A right double-click on a maximized child's menu row in the MDI frame.
class ScxNCRDBLClkMDIMaxChildMsgFilter : public SECNcMsgFilter
{
    DECLARE_DYNCREATE(ScxNCRDBLClkMDIMaxChildMsgFilter)
public:
    explicit ScxNCRDBLClkMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1))
        : SECNcMsgFilter(pOwner, nID)
    {
    }
    // No MDI child is switched yet: nothing is taken over.
    DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// The right button released on the caption.
class ScxContextMenuFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(ScxContextMenuFilter)
public:
    explicit ScxContextMenuFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1)) : SECMsgFilter(pOwner, nID)
    {
    }
};
} // namespace tarnwick::frames::nsSysCommandEx
