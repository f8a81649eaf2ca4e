// SECWsMgrDialogEx and its list editor: choosing, renaming, reordering and deleting workspaces.
#include <toolkit/workspace/WsMgrDialog.h>

#include <toolkit/foundation/ToolkitRes.h>

namespace tarnwick::workspace
{
namespace
{
// A message of the string table, with the name put in, captioned "Workspace Manager".
int ShowWorkspaceMessage(CWnd* pOwner, UINT nID, const CString& strName, UINT nType)
{
    CString strFormat;
    strFormat.LoadString(nID);
    CString strMessage;
    strMessage.Format(strFormat, LPCTSTR(strName));
    CString strCaption;
    strCaption.LoadString(IDS_SEC_WS_MANAGER);
    return ::MessageBox(pOwner->GetSafeHwnd(), strMessage, strCaption, nType);
}

void EnableItem(CWnd& dialog, int nID, BOOL bEnable)
{
    if (CWnd* pItem = dialog.GetDlgItem(nID))
        pItem->EnableWindow(bEnable);
}
} // namespace

SECWSLBEditorEx::SECWSLBEditorEx(CStringList& mruList, CStringList& edited, CStringList& deleted,
                                 SECWsMgrDialogEx& dialog)
    : m_mruList(mruList), m_edited(edited), m_deleted(deleted), m_dialog(dialog)
{
}

BOOL SECWSLBEditorEx::IsValidName(const CString& strName)
{
    CString strTrimmed = strName;
    strTrimmed.Trim();
    return !strTrimmed.IsEmpty() && strName.Find(_T('\\')) < 0;
}

int SECWSLBEditorEx::FindEdited(const CString& strName, int nSkip) const
{
    int nIndex = 0;
    for (POSITION pos = m_edited.GetHeadPosition(); pos != nullptr; ++nIndex)
        if (m_edited.GetNext(pos).CompareNoCase(strName) == 0 && nIndex != nSkip)
            return nIndex;
    return -1;
}

int SECWSLBEditorEx::ShowMessage(UINT nID, const CString& strName, UINT nType) const
{
    return ShowWorkspaceMessage(&m_dialog, nID, strName, nType);
}

void SECWSLBEditorEx::OnEditStarted()
{
    EnableItem(m_dialog, IDC_SEC_WS_OPEN, FALSE);
    EnableItem(m_dialog, IDC_SEC_WS_SAVE, FALSE);
    EnableItem(m_dialog, IDC_SEC_WS_DONE, FALSE);
}

void SECWSLBEditorEx::OnEditEnded()
{
    EnableItem(m_dialog, IDC_SEC_WS_OPEN, m_dialog.IsOpenAllowed());
    EnableItem(m_dialog, IDC_SEC_WS_SAVE, m_dialog.IsSaveAllowed());
    EnableItem(m_dialog, IDC_SEC_WS_DONE, TRUE);
}

void SECWSLBEditorEx::OnItemRenamed(int nIndex, CString strOldText, CString strNewText)
{
    UINT nRefusal = 0;
    if (!IsValidName(strNewText))
        nRefusal = IDS_SEC_WS_INVALID_RENAME;
    else if (FindEdited(strNewText, nIndex) >= 0)
        nRefusal = IDS_SEC_WS_EXISTS_RENAME;
    if (nRefusal != 0)
    {
        ShowMessage(nRefusal, strNewText, MB_OK | MB_ICONEXCLAMATION);
        GetListBox()->DeleteString(nIndex);
        GetListBox()->InsertString(nIndex, strOldText);
        GetListBox()->SetCurSel(nIndex);
        return;
    }
    if (POSITION pos = m_edited.FindIndex(nIndex))
        m_edited.SetAt(pos, strNewText);
}

void SECWSLBEditorEx::OnItemAdded(int nIndex, CString strText)
{
    CString strTrimmed = strText;
    strTrimmed.Trim();
    // The trailing item left empty: nothing was added.
    if (strTrimmed.IsEmpty() && nIndex == GetListBox()->GetCount() - 1)
        return;
    UINT nRefusal = 0;
    if (!IsValidName(strText))
        nRefusal = IDS_SEC_WS_INVALID_NEW;
    else if (FindEdited(strText, -1) >= 0)
        nRefusal = IDS_SEC_WS_EXISTS_NEW;
    if (nRefusal != 0)
    {
        ShowMessage(nRefusal, strText, MB_OK | MB_ICONEXCLAMATION);
        DeleteItem(nIndex);
        return;
    }
    if (ShowMessage(IDS_SEC_WS_SAVE_NEW, strText, MB_YESNO | MB_ICONQUESTION) == IDYES)
    {
        GetListBox()->SetCurSel(nIndex);
        m_dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SEC_WS_SAVE, BN_CLICKED));
        return;
    }
    DeleteItem(nIndex);
}

void SECWSLBEditorEx::OnItemMoved(int nFrom, int nTo, CString strText)
{
    if (nFrom != nTo)
    {
        for (CStringList* pList : {&m_mruList, &m_edited})
        {
            POSITION posFrom = pList->FindIndex(nFrom);
            POSITION posTo = pList->FindIndex(nTo);
            if (posFrom == nullptr || posTo == nullptr)
                continue;
            const CString strFrom = pList->GetAt(posFrom);
            pList->SetAt(posFrom, pList->GetAt(posTo));
            pList->SetAt(posTo, strFrom);
        }
    }
    SECListBoxEditor::OnItemMoved(nFrom, nTo, strText);
}

BOOL SECWSLBEditorEx::OnItemDeleting(int nIndex, CString)
{
    // The stored name goes: the entry leaves both lists so that the others keep their places.
    POSITION posStored = m_mruList.FindIndex(nIndex);
    POSITION posEdited = m_edited.FindIndex(nIndex);
    if (posStored != nullptr && posEdited != nullptr)
    {
        m_deleted.AddTail(m_mruList.GetAt(posStored));
        m_mruList.RemoveAt(posStored);
        m_edited.RemoveAt(posEdited);
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(SECWsMgrDialogEx, CDialog)
ON_COMMAND(IDC_SEC_WS_OPEN, OnOpen)
ON_COMMAND(IDC_SEC_WS_SAVE, OnSave)
ON_COMMAND(IDC_SEC_WS_DONE, OnDone)
ON_WM_PAINT()
END_MESSAGE_MAP()

SECWsMgrDialogEx::SECWsMgrDialogEx(CStringList& mruList, CStringList& edited, CStringList& deleted,
                                   CString* pCurrentName, BOOL bOpen, BOOL bSave, CWnd* pParent)
    : CDialog(IDD_SEC_WORKSPACE, pParent), m_mruList(mruList), m_pCurrentName(pCurrentName),
      m_pEditor(new SECWSLBEditorEx(mruList, edited, deleted, *this)), m_bOldShell(LOBYTE(::GetVersion()) < 4),
      m_bOpen(bOpen), m_bSave(bSave)
{
}

SECWsMgrDialogEx::~SECWsMgrDialogEx()
{
    delete m_pEditor;
}

BOOL SECWsMgrDialogEx::OnInitDialog()
{
    CDialog::OnInitDialog();
    auto* pList = static_cast<CListBox*>(GetDlgItem(IDC_SEC_WS_LIST));
    for (POSITION pos = m_mruList.GetHeadPosition(); pos != nullptr;)
        pList->AddString(m_mruList.GetNext(pos));
    EnableItem(*this, IDC_SEC_WS_OPEN, m_bOpen);
    EnableItem(*this, IDC_SEC_WS_SAVE, m_bSave);
    m_pEditor->Initialize(this, IDC_SEC_WS_LIST, m_bSave ? EDITOR_STYLE_SAVE : EDITOR_STYLE_OPEN);
    CString strTitle;
    strTitle.LoadString(m_bOpen ? IDS_SEC_WS_OPEN_TITLE : m_bSave ? IDS_SEC_WS_SAVE_TITLE : IDS_SEC_WS_MANAGER);
    SetWindowText(strTitle);
    CString strCaption;
    strCaption.LoadString(IDS_SEC_WS_WORKSPACES);
    m_pEditor->SetWindowText(strCaption);
    CString strActive = m_pCurrentName != nullptr ? *m_pCurrentName : CString();
    if (strActive.IsEmpty())
        strActive.LoadString(IDS_SEC_WS_NONE_ACTIVE);
    SetDlgItemText(IDC_SEC_WS_ACTIVE, strActive);
    return TRUE;
}

void SECWsMgrDialogEx::ChooseSelected()
{
    CListBox* pList = m_pEditor->GetListBox();
    const int nSelected = pList->GetCurSel();
    if (nSelected < 0)
    {
        ShowWorkspaceMessage(this, IDS_SEC_WS_SELECT_ITEM, CString(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CString strName;
    pList->GetText(nSelected, strName);
    if (strName.IsEmpty())
    {
        ShowWorkspaceMessage(this, IDS_SEC_WS_INVALID_RENAME, strName, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_pCurrentName != nullptr)
        *m_pCurrentName = strName;
    EndDialog(IDOK);
}

void SECWsMgrDialogEx::OnOpen()
{
    ChooseSelected();
}

void SECWsMgrDialogEx::OnSave()
{
    ChooseSelected();
}

void SECWsMgrDialogEx::OnDone()
{
    EndDialog(IDOK);
}

void SECWsMgrDialogEx::OnPaint()
{
    CPaintDC dc(this);
    if (m_bOldShell && m_pEditor->m_hWnd != nullptr)
        m_pEditor->Invalidate();
}
} // namespace tarnwick::workspace
