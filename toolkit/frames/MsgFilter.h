// Message filters: small objects that see a window's messages before its default processing
// and may take them over. Filters form a tree; a parent offers each message to its children in
// order, and a table of descriptors says which filters a frame installs.
#pragma once

#include <afxtempl.h>
#include <afxwin.h>

namespace tarnwick::frames
{
class SECMsgFilter : public CObject
{
    DECLARE_DYNCREATE(SECMsgFilter)
public:
    // Answer bits of Filter: the caller skips its default processing; no further sibling sees
    // the message.
    static constexpr DWORD FILTER_HANDLED = 0x1;
    static constexpr DWORD FILTER_STOP = 0x8;

    // Which filter to make (or find) and where: nParentID -1 is the filter that applies it.
    struct Descriptor
    {
        UINT nID;
        UINT nParentID;
        CRuntimeClass* pClass;
        DWORD dwFlags;
    };
    // A descriptor flag: a request to switch the filter off leaves it as it is.
    static constexpr DWORD DESCRIPTOR_KEEP_ON = 0x1;

    // Owns its descriptors.
    class DescriptorTable : public CArray<Descriptor*, Descriptor*>
    {
    public:
        DescriptorTable() = default;
        DescriptorTable(const DescriptorTable& other);
        DescriptorTable& operator=(const DescriptorTable&) = delete;
        ~DescriptorTable() override;
        void Add(UINT nID, UINT nParentID, CRuntimeClass* pClass, DWORD dwFlags = 0);
        void RemoveAll();
    };

    explicit SECMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1));
    ~SECMsgFilter() override;
    SECMsgFilter(const SECMsgFilter&) = delete;
    SECMsgFilter& operator=(const SECMsgFilter&) = delete;

    // A new filter of the same class with the same id and switch, owning clones of the
    // children, all for the same owner.
    virtual SECMsgFilter* Clone() const;
    virtual CWnd* GetWnd() const;
    virtual void SetWnd(CWnd* pOwner, BOOL bRecursive);
    // 0 while switched off, else FilterMessage.
    virtual DWORD Filter(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The filter's own handling; the base offers the message to the children.
    virtual DWORD FilterMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The answers of the switched-on children ORed, up to the first that says stop.
    virtual DWORD FilterChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A direct child with the id, else (nDepth not 0) one further down, -1 searching the whole
    // tree; failing both, a new child of pClass when one is given.
    virtual SECMsgFilter* FindFilter(UINT nID, CRuntimeClass* pClass, int nDepth);
    // Switching on makes missing filters; switching off never does.
    virtual SECMsgFilter* ApplyDescriptor(const Descriptor& descriptor, BOOL bOn);
    virtual void ApplyDescriptors(const DescriptorTable& table, const BOOL* pbOn);
    virtual void ApplyDescriptorsAll(const DescriptorTable& table, BOOL bOn);

    UINT GetID() const
    {
        return m_nID;
    }
    void SetID(UINT nID)
    {
        m_nID = nID;
    }
    BOOL IsEnabled() const
    {
        return m_bEnabled;
    }
    void Enable(BOOL bEnable)
    {
        m_bEnabled = bEnable;
    }
    INT_PTR GetChildCount() const
    {
        return m_children.GetSize();
    }
    SECMsgFilter* GetChild(INT_PTR nIndex) const
    {
        return m_children[nIndex];
    }
    // The filter takes the child (which may be null) as its last one.
    void AddChild(SECMsgFilter* pChild);

    // For the owner: TRUE with the filters' result when they handled the message.
    BOOL Offer(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    static BOOL IsNcButtonMessage(UINT message)
    {
        return message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK;
    }

private:
    UINT m_nID;
    BOOL m_bEnabled;
    BOOL m_bOwnsChildren;
    CArray<SECMsgFilter*, SECMsgFilter*> m_children;
    CWnd* m_pOwner;
};

// The base of the filters that work on the non-client area.
class SECNcMsgFilter : public SECMsgFilter
{
    DECLARE_DYNCREATE(SECNcMsgFilter)
public:
    explicit SECNcMsgFilter(CWnd* pOwner = nullptr, UINT nID = static_cast<UINT>(-1)) : SECMsgFilter(pOwner, nID)
    {
    }
};
} // namespace tarnwick::frames
