// A frame's docking layout as records, one per control bar: where the bar stands, and for a dock
// bar the ids of the bars it holds in rows. It is kept in the application profile or an archive
// and scaled to the screen it comes back on.
#pragma once

#include <functional>

class CDockState;

// The named values of one bar's record in a store: a profile section or a tree node. Reads of a
// missing key answer the default; HasValue tells a missing key from a stored one.
class CDockStateValues
{
public:
    virtual ~CDockStateValues() = default;
    virtual BOOL WriteInt(LPCTSTR lpszKey, int nValue) = 0;
    virtual BOOL WriteBool(LPCTSTR lpszKey, BOOL bValue) = 0;
    virtual BOOL WriteString(LPCTSTR lpszKey, LPCTSTR lpszValue) = 0;
    virtual BOOL WriteBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes) = 0;
    virtual int ReadInt(LPCTSTR lpszKey, int nDefault) = 0;
    virtual BOOL ReadBool(LPCTSTR lpszKey, BOOL bDefault) = 0;
    virtual CString ReadString(LPCTSTR lpszKey, LPCTSTR lpszDefault) = 0;
    // FALSE when the key is missing; the caller frees the bytes with delete[].
    virtual BOOL ReadBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes) = 0;
    virtual BOOL HasValue(LPCTSTR lpszKey) = 0;
};

// The application profile's section as such a store; booleans are integers there.
class CProfileDockStateValues : public CDockStateValues
{
public:
    explicit CProfileDockStateValues(const CString& strSection) : m_strSection(strSection)
    {
    }
    BOOL WriteInt(LPCTSTR lpszKey, int nValue) override;
    BOOL WriteBool(LPCTSTR lpszKey, BOOL bValue) override;
    BOOL WriteString(LPCTSTR lpszKey, LPCTSTR lpszValue) override;
    BOOL WriteBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes) override;
    int ReadInt(LPCTSTR lpszKey, int nDefault) override;
    BOOL ReadBool(LPCTSTR lpszKey, BOOL bDefault) override;
    CString ReadString(LPCTSTR lpszKey, LPCTSTR lpszDefault) override;
    BOOL ReadBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes) override;
    BOOL HasValue(LPCTSTR lpszKey) override;
    // Removes the section with every value in it.
    BOOL Clear();
    const CString& GetSection() const
    {
        return m_strSection;
    }

private:
    CString m_strSection;
};

// One bar's record. Dock bars list what they hold in m_arrBarID: 0 opens the list and ends each
// row, a bar is its control id, a placeholder (a hidden bar's kept place) its id | placeHolderID.
class CControlBarInfo
{
public:
    CControlBarInfo();

    enum
    {
        placeHolderID = 0x10000
    };

    UINT m_nBarID;
    BOOL m_bVisible;
    BOOL m_bFloating;
    BOOL m_bHorz;
    BOOL m_bDockBar;
    // The bar's top-left in its dock bar, or its floating frame's on the screen; (-1, -1) unset.
    CPoint m_pointPos;
    UINT m_nMRUWidth;
    // The bar may dock, and where it docked and floated last.
    BOOL m_bDocking;
    UINT m_uMRUDockID;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle;
    CPoint m_ptMRUFloatPos;
    CPtrArray m_arrBarID;
    // The bar the record was taken from or is applied to; not stored.
    CControlBar* m_pBar;

    // Section "<profile>-Bar<index>", emptied first: the keys that differ from the read defaults.
    // FALSE, with nothing written, for a dock bar with nothing in it.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);
    // Positions scaled by pDockState; FALSE when the section names no bar.
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    void Serialize(CArchive& ar, CDockState* pDockState);

    // The platform's keys in a store: written where they differ from the read defaults, read
    // with the positions scaled by pDockState (bScaleX FALSE keeps the stored x as it is).
    void SaveValues(CDockStateValues& values) const;
    void LoadValues(CDockStateValues& values, CDockState* pDockState, BOOL bScaleX = TRUE);

    // A visible docked dock bar at no position that holds no bar: not worth a record.
    BOOL IsEmptyDockBar() const;
    // The section of a record and whether a save wrote one there.
    static CString SectionName(LPCTSTR lpszProfileName, int nIndex);
    static BOOL IsStored(LPCTSTR lpszProfileName, int nIndex);
    // The contained ids as stored: 32-bit values.
    DWORD GetBarID(INT_PTR nIndex) const
    {
        return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(m_arrBarID[nIndex]));
    }
    void AddBarID(DWORD dwID)
    {
        m_arrBarID.Add(reinterpret_cast<void*>(static_cast<UINT_PTR>(dwID)));
    }

protected:
    // The archive's leading fields (ids, flags, position, docking) and its trailing id list;
    // the toolkit's record puts its own fields between them.
    void SerializeBase(CArchive& ar, CDockState* pDockState);
    void SerializeBarIDs(CArchive& ar);
};

class CDockState : public CObject
{
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    ~CDockState() override;

    // CControlBarInfo* records, owned.
    CPtrArray m_arrBarInfo;
    BOOL m_bScaling;
    // The current screen, and the area that restored positions are kept within.
    CRect m_rectDevice;
    CRect m_rectClip;
    // The screen the state was saved on.
    CSize m_sizeLogical;
    DWORD m_dwVersion;

    // Deletes the records.
    void Clear();
    DWORD GetVersion() const
    {
        return m_dwVersion;
    }
    CSize GetScreenSize() const;
    // The screen of a stored state: positions scale from it when it is known and differs.
    void SetScreenSize(const CSize& size);
    // Scaled from the stored screen to this one, then kept at or left of the clip rectangle's
    // right edge and at or above its bottom.
    void ScalePoint(CPoint& pt) const;
    // The top-left moved as ScalePoint moves a point; the size kept.
    void ScaleRectPos(CRect& rect) const;

    // Plain profile form: "<profile>-Summary" with "Bars", "ScreenCX", "ScreenCY".
    virtual void SaveState(LPCTSTR lpszProfileName);
    virtual void LoadState(LPCTSTR lpszProfileName);
    void Serialize(CArchive& ar) override;

    static CString SummarySection(LPCTSTR lpszProfileName);

protected:
    // The forms' walks over the records, with the operations of the derived state's records,
    // which see the array's entries as the derived state added them: saved indices are dense (a
    // record that declines uses none); a load adds the entries newInfo makes and ends at the
    // first index never saved.
    using NewInfoFn = std::function<void*()>;
    void SaveProfile(LPCTSTR lpszProfileName, const std::function<BOOL(void*, int)>& saveInfo);
    void LoadProfile(LPCTSTR lpszProfileName, const NewInfoFn& newInfo, const std::function<void(void*, int)>& loadInfo);
    void SerializeInfos(CArchive& ar, const NewInfoFn& newInfo, const std::function<void(void*)>& serializeInfo);
};
