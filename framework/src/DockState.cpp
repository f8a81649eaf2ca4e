// Dock state records: the profile and archive forms, and scaling to the current screen.
#include <afxpriv.h>

#include <algorithm>

namespace
{
const TCHAR szBarID[] = _T("BarID");
const TCHAR szVisible[] = _T("Visible");
const TCHAR szHorz[] = _T("Horz");
const TCHAR szFloating[] = _T("Floating");
const TCHAR szXPos[] = _T("XPos");
const TCHAR szYPos[] = _T("YPos");
const TCHAR szMRUWidth[] = _T("MRUWidth");
const TCHAR szDocking[] = _T("Docking");
const TCHAR szMRUDockID[] = _T("MRUDockID");
const TCHAR szMRUDockLeftPos[] = _T("MRUDockLeftPos");
const TCHAR szMRUDockTopPos[] = _T("MRUDockTopPos");
const TCHAR szMRUDockRightPos[] = _T("MRUDockRightPos");
const TCHAR szMRUDockBottomPos[] = _T("MRUDockBottomPos");
const TCHAR szMRUFloatStyle[] = _T("MRUFloatStyle");
const TCHAR szMRUFloatXPos[] = _T("MRUFloatXPos");
const TCHAR szMRUFloatYPos[] = _T("MRUFloatYPos");
const TCHAR szBars[] = _T("Bars");
const TCHAR szScreenCX[] = _T("ScreenCX");
const TCHAR szScreenCY[] = _T("ScreenCY");

constexpr UINT defaultMRUWidth = 32767;
// Ids of a damaged count are read in blocks, so that the archive runs out before memory does.
constexpr DWORD idBlock = 4096;

CString BarKey(int nIndex)
{
    CString key;
    key.Format(_T("Bar#%d"), nIndex);
    return key;
}

CWinApp& App()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        AfxThrowNotSupportedException();
    return *pApp;
}

void StorePoint(CArchive& ar, const CPoint& pt)
{
    ar << static_cast<LONG>(pt.x) << static_cast<LONG>(pt.y);
}

void LoadPoint(CArchive& ar, CPoint& pt)
{
    LONG x = 0, y = 0;
    ar >> x >> y;
    pt = CPoint(x, y);
}
} // namespace

BOOL CProfileDockStateValues::WriteInt(LPCTSTR lpszKey, int nValue)
{
    return App().WriteProfileInt(m_strSection, lpszKey, nValue);
}

BOOL CProfileDockStateValues::WriteBool(LPCTSTR lpszKey, BOOL bValue)
{
    return WriteInt(lpszKey, bValue);
}

BOOL CProfileDockStateValues::WriteString(LPCTSTR lpszKey, LPCTSTR lpszValue)
{
    return App().WriteProfileString(m_strSection, lpszKey, lpszValue);
}

BOOL CProfileDockStateValues::WriteBinary(LPCTSTR lpszKey, const BYTE* pData, UINT nBytes)
{
    return App().WriteProfileBinary(m_strSection, lpszKey, const_cast<LPBYTE>(pData), nBytes);
}

int CProfileDockStateValues::ReadInt(LPCTSTR lpszKey, int nDefault)
{
    return static_cast<int>(App().GetProfileInt(m_strSection, lpszKey, nDefault));
}

BOOL CProfileDockStateValues::ReadBool(LPCTSTR lpszKey, BOOL bDefault)
{
    return ReadInt(lpszKey, bDefault);
}

CString CProfileDockStateValues::ReadString(LPCTSTR lpszKey, LPCTSTR lpszDefault)
{
    return App().GetProfileString(m_strSection, lpszKey, lpszDefault);
}

BOOL CProfileDockStateValues::ReadBinary(LPCTSTR lpszKey, BYTE** ppData, UINT* pBytes)
{
    return App().GetProfileBinary(m_strSection, lpszKey, ppData, pBytes);
}

BOOL CProfileDockStateValues::HasValue(LPCTSTR lpszKey)
{
    // A number reads back whatever the default; text differs from an unlikely default.
    const TCHAR szAbsent[] = _T("\x01");
    return ReadInt(lpszKey, 0) != 0 || ReadInt(lpszKey, 1) != 1 || ReadString(lpszKey, szAbsent) != szAbsent;
}

BOOL CProfileDockStateValues::Clear()
{
    return App().WriteProfileString(m_strSection, nullptr, nullptr);
}

CControlBarInfo::CControlBarInfo()
    : m_nBarID(0), m_bVisible(FALSE), m_bFloating(FALSE), m_bHorz(FALSE), m_bDockBar(FALSE), m_pointPos(-1, -1),
      m_nMRUWidth(defaultMRUWidth), m_bDocking(FALSE), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_dwMRUFloatStyle(0), m_ptMRUFloatPos(0, 0), m_pBar(nullptr)
{
}

BOOL CControlBarInfo::IsEmptyDockBar() const
{
    return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos == CPoint(-1, -1) && m_arrBarID.GetSize() <= 1;
}

CString CControlBarInfo::SectionName(LPCTSTR lpszProfileName, int nIndex)
{
    CString section;
    section.Format(_T("%s-Bar%d"), lpszProfileName, nIndex);
    return section;
}

BOOL CControlBarInfo::IsStored(LPCTSTR lpszProfileName, int nIndex)
{
    CProfileDockStateValues values(SectionName(lpszProfileName, nIndex));
    return values.HasValue(szBarID);
}

void CControlBarInfo::SaveValues(CDockStateValues& values) const
{
    values.WriteInt(szBarID, static_cast<int>(m_nBarID));
    if (!m_bVisible)
        values.WriteBool(szVisible, m_bVisible);
    if (m_bFloating)
    {
        values.WriteBool(szHorz, m_bHorz);
        values.WriteBool(szFloating, m_bFloating);
    }
    if (m_pointPos.x != -1)
        values.WriteInt(szXPos, m_pointPos.x);
    if (m_pointPos.y != -1)
        values.WriteInt(szYPos, m_pointPos.y);
    if (m_nMRUWidth != defaultMRUWidth)
        values.WriteInt(szMRUWidth, static_cast<int>(m_nMRUWidth));
    if (m_bDocking)
    {
        values.WriteBool(szDocking, m_bDocking);
        values.WriteInt(szMRUDockID, static_cast<int>(m_uMRUDockID));
        values.WriteInt(szMRUDockLeftPos, m_rectMRUDockPos.left);
        values.WriteInt(szMRUDockTopPos, m_rectMRUDockPos.top);
        values.WriteInt(szMRUDockRightPos, m_rectMRUDockPos.right);
        values.WriteInt(szMRUDockBottomPos, m_rectMRUDockPos.bottom);
        values.WriteInt(szMRUFloatStyle, static_cast<int>(m_dwMRUFloatStyle));
        values.WriteInt(szMRUFloatXPos, m_ptMRUFloatPos.x);
        values.WriteInt(szMRUFloatYPos, m_ptMRUFloatPos.y);
    }
    const INT_PTR nBars = m_arrBarID.GetSize();
    if (nBars > 1)
    {
        values.WriteInt(szBars, static_cast<int>(nBars));
        for (INT_PTR i = 0; i < nBars; ++i)
            values.WriteInt(BarKey(static_cast<int>(i)), static_cast<int>(GetBarID(i)));
    }
}

void CControlBarInfo::LoadValues(CDockStateValues& values, CDockState* pDockState, BOOL bScaleX)
{
    m_nBarID = static_cast<UINT>(values.ReadInt(szBarID, 0));
    m_bVisible = values.ReadBool(szVisible, TRUE);
    m_bHorz = values.ReadBool(szHorz, TRUE);
    m_bFloating = values.ReadBool(szFloating, FALSE);
    const CPoint pointStored(values.ReadInt(szXPos, -1), values.ReadInt(szYPos, -1));
    m_pointPos = pointStored;
    pDockState->ScalePoint(m_pointPos);
    if (!bScaleX)
        m_pointPos.x = pointStored.x;
    m_nMRUWidth = static_cast<UINT>(values.ReadInt(szMRUWidth, defaultMRUWidth));
    m_bDocking = values.ReadBool(szDocking, FALSE);
    if (m_bDocking)
    {
        m_uMRUDockID = static_cast<UINT>(values.ReadInt(szMRUDockID, 0));
        m_rectMRUDockPos.SetRect(values.ReadInt(szMRUDockLeftPos, 0), values.ReadInt(szMRUDockTopPos, 0),
                                 values.ReadInt(szMRUDockRightPos, 0), values.ReadInt(szMRUDockBottomPos, 0));
        pDockState->ScaleRectPos(m_rectMRUDockPos);
        m_dwMRUFloatStyle = static_cast<DWORD>(values.ReadInt(szMRUFloatStyle, 0));
        m_ptMRUFloatPos = CPoint(values.ReadInt(szMRUFloatXPos, 0), values.ReadInt(szMRUFloatYPos, 0));
        pDockState->ScalePoint(m_ptMRUFloatPos);
    }
    // Saves write every id; a damaged count ends where the stored ids do.
    m_arrBarID.RemoveAll();
    const int nBars = values.ReadInt(szBars, 0);
    for (int i = 0; i < nBars; ++i)
    {
        const CString key = BarKey(i);
        if (!values.HasValue(key))
            break;
        AddBarID(static_cast<DWORD>(values.ReadInt(key, 0)));
    }
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    // Keys of an earlier save would read back over the defaults that this one leaves out.
    CProfileDockStateValues values(SectionName(lpszProfileName, nIndex));
    values.Clear();
    if (IsEmptyDockBar())
        return FALSE;
    SaveValues(values);
    return TRUE;
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CProfileDockStateValues values(SectionName(lpszProfileName, nIndex));
    LoadValues(values, pDockState);
    return m_nBarID != 0;
}

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    SerializeBase(ar, pDockState);
    SerializeBarIDs(ar);
}

void CControlBarInfo::SerializeBase(CArchive& ar, CDockState* pDockState)
{
    const BOOL bMRU = pDockState->GetVersion() > 1;
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_nBarID) << static_cast<DWORD>(m_bVisible) << static_cast<DWORD>(m_bFloating)
           << static_cast<DWORD>(m_bHorz);
        StorePoint(ar, m_pointPos);
        if (!bMRU)
            return;
        ar << static_cast<DWORD>(m_nMRUWidth) << static_cast<DWORD>(m_bDocking);
        if (!m_bDocking)
            return;
        ar << static_cast<DWORD>(m_uMRUDockID);
        StorePoint(ar, m_rectMRUDockPos.TopLeft());
        StorePoint(ar, m_rectMRUDockPos.BottomRight());
        ar << m_dwMRUFloatStyle;
        StorePoint(ar, m_ptMRUFloatPos);
        return;
    }
    DWORD dwValue = 0;
    ar >> dwValue;
    m_nBarID = dwValue;
    ar >> dwValue;
    m_bVisible = static_cast<BOOL>(dwValue);
    ar >> dwValue;
    m_bFloating = static_cast<BOOL>(dwValue);
    ar >> dwValue;
    m_bHorz = static_cast<BOOL>(dwValue);
    LoadPoint(ar, m_pointPos);
    if (!bMRU)
        return;
    pDockState->ScalePoint(m_pointPos);
    ar >> dwValue;
    m_nMRUWidth = dwValue;
    ar >> dwValue;
    m_bDocking = static_cast<BOOL>(dwValue);
    if (!m_bDocking)
        return;
    ar >> dwValue;
    m_uMRUDockID = dwValue;
    CPoint topLeft, bottomRight;
    LoadPoint(ar, topLeft);
    LoadPoint(ar, bottomRight);
    m_rectMRUDockPos = CRect(topLeft, bottomRight);
    pDockState->ScaleRectPos(m_rectMRUDockPos);
    ar >> m_dwMRUFloatStyle;
    LoadPoint(ar, m_ptMRUFloatPos);
    pDockState->ScalePoint(m_ptMRUFloatPos);
}

void CControlBarInfo::SerializeBarIDs(CArchive& ar)
{
    if (ar.IsStoring())
    {
        const INT_PTR nCount = m_arrBarID.GetSize();
        ar << static_cast<LONG>(nCount);
        for (INT_PTR i = 0; i < nCount; ++i)
            ar << GetBarID(i);
        return;
    }
    LONG nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowInvalidArgException();
    m_arrBarID.RemoveAll();
    DWORD block[idBlock];
    for (DWORD nLeft = static_cast<DWORD>(nCount); nLeft > 0;)
    {
        const DWORD nRead = std::min(nLeft, idBlock);
        ar.EnsureRead(block, nRead * sizeof(DWORD));
        for (DWORD i = 0; i < nRead; ++i)
            AddBarID(block[i]);
        nLeft -= nRead;
    }
}

IMPLEMENT_SERIAL(CDockState, CObject, 0)

CDockState::CDockState() : m_bScaling(FALSE), m_sizeLogical(0, 0), m_dwVersion(2)
{
    m_rectDevice.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    m_rectClip = m_rectDevice;
    m_rectClip.right -= ::GetSystemMetrics(SM_CXICON);
    m_rectClip.bottom -= ::GetSystemMetrics(SM_CYICON);
}

CDockState::~CDockState()
{
    Clear();
}

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete static_cast<CControlBarInfo*>(m_arrBarInfo[i]);
    m_arrBarInfo.RemoveAll();
}

CSize CDockState::GetScreenSize() const
{
    return m_rectDevice.Size();
}

void CDockState::SetScreenSize(const CSize& size)
{
    m_sizeLogical = size;
    m_bScaling = size.cx != 0 && size.cy != 0 && size != m_rectDevice.Size();
}

void CDockState::ScalePoint(CPoint& pt) const
{
    if (m_bScaling)
    {
        const CSize sizeDevice = m_rectDevice.Size();
        pt.x = ::MulDiv(pt.x, sizeDevice.cx, m_sizeLogical.cx);
        pt.y = ::MulDiv(pt.y, sizeDevice.cy, m_sizeLogical.cy);
    }
    pt.x = std::min(pt.x, m_rectClip.right);
    pt.y = std::min(pt.y, m_rectClip.bottom);
}

void CDockState::ScaleRectPos(CRect& rect) const
{
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    rect.OffsetRect(pt - rect.TopLeft());
}

CString CDockState::SummarySection(LPCTSTR lpszProfileName)
{
    CString section;
    section.Format(_T("%s-Summary"), lpszProfileName);
    return section;
}

void CDockState::SaveProfile(LPCTSTR lpszProfileName, const std::function<BOOL(void*, int)>& saveInfo)
{
    int nIndex = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        if (saveInfo(m_arrBarInfo[i], nIndex))
            ++nIndex;
    CProfileDockStateValues summary(SummarySection(lpszProfileName));
    const CSize size = GetScreenSize();
    summary.WriteInt(szBars, nIndex);
    summary.WriteInt(szScreenCX, size.cx);
    summary.WriteInt(szScreenCY, size.cy);
}

void CDockState::LoadProfile(LPCTSTR lpszProfileName, const NewInfoFn& newInfo,
                             const std::function<void(void*, int)>& loadInfo)
{
    CProfileDockStateValues summary(SummarySection(lpszProfileName));
    const int nBars = summary.ReadInt(szBars, 0);
    SetScreenSize(CSize(summary.ReadInt(szScreenCX, 0), summary.ReadInt(szScreenCY, 0)));
    // Saves are dense from 0: a damaged count ends at the first index that was never saved.
    for (int i = 0; i < nBars && CControlBarInfo::IsStored(lpszProfileName, i); ++i)
    {
        void* pInfo = newInfo();
        m_arrBarInfo.Add(pInfo);
        loadInfo(pInfo, i);
    }
}

void CDockState::SerializeInfos(CArchive& ar, const NewInfoFn& newInfo,
                                const std::function<void(void*)>& serializeInfo)
{
    if (ar.IsStoring())
    {
        ar << m_dwVersion;
        if (m_dwVersion > 1)
        {
            const CSize size = GetScreenSize();
            ar << static_cast<LONG>(size.cx) << static_cast<LONG>(size.cy);
        }
        ar << static_cast<WORD>(m_arrBarInfo.GetSize());
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            serializeInfo(m_arrBarInfo[i]);
        return;
    }
    ar >> m_dwVersion;
    if (m_dwVersion > 1)
    {
        LONG cx = 0, cy = 0;
        ar >> cx >> cy;
        SetScreenSize(CSize(cx, cy));
    }
    WORD nCount = 0;
    ar >> nCount;
    for (WORD i = 0; i < nCount; ++i)
    {
        void* pInfo = newInfo();
        m_arrBarInfo.Add(pInfo);
        serializeInfo(pInfo);
    }
    // Records read from version 1 are complete once stored again.
    m_dwVersion = 2;
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    SaveProfile(lpszProfileName, [lpszProfileName](void* pInfo, int nIndex) {
        return static_cast<CControlBarInfo*>(pInfo)->SaveState(lpszProfileName, nIndex);
    });
}

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    LoadProfile(
        lpszProfileName, []() -> void* { return new CControlBarInfo; },
        [this, lpszProfileName](void* pInfo, int nIndex) {
            static_cast<CControlBarInfo*>(pInfo)->LoadState(lpszProfileName, nIndex, this);
        });
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
        Clear();
    SerializeInfos(
        ar, []() -> void* { return new CControlBarInfo; },
        [this, &ar](void* pInfo) { static_cast<CControlBarInfo*>(pInfo)->Serialize(ar, this); });
}
