// The Workspace Manager dialog: the list of stored workspaces to choose, rename, reorder and
// delete, kept as three lists that the workspace manager applies when the dialog is accepted.
#pragma once

#include <toolkit/workspace/ListBoxEditor.h>

#include <afxcoll.h>

namespace tarnwick::workspace
{
class SECWsMgrDialogEx;

// The lists follow the list box: the stored names, the names they will have, and the names to
// delete. A deleted entry leaves both lists, so that their places stay those of the items.
class SECWSLBEditorEx : public SECListBoxEditor
{
public:
    SECWSLBEditorEx(CStringList& mruList, CStringList& edited, CStringList& deleted, SECWsMgrDialogEx& dialog);

    void OnEditStarted() override;
    void OnEditEnded() override;
    // An empty name, one with "\", or one that another workspace has (letter case aside) is
    // refused and the old text comes back.
    void OnItemRenamed(int nIndex, CString strOldText, CString strNewText) override;
    // An accepted new name is offered for saving at once.
    void OnItemAdded(int nIndex, CString strText) override;
    void OnItemMoved(int nFrom, int nTo, CString strText) override;
    BOOL OnItemDeleting(int nIndex, CString strText) override;

    // A workspace name is not empty and makes no nested key.
    static BOOL IsValidName(const CString& strName);

private:
    // The index of a name in the edited list, letter case aside, or -1; nSkip is not looked at.
    int FindEdited(const CString& strName, int nSkip) const;
    int ShowMessage(UINT nID, const CString& strName, UINT nType) const;

    CStringList& m_mruList;
    CStringList& m_edited;
    CStringList& m_deleted;
    SECWsMgrDialogEx& m_dialog;
};

class SECWsMgrDialogEx : public CDialog
{
public:
    // Editor styles when saving (New button, a trailing empty item for a new name) and when not.
    static constexpr DWORD EDITOR_STYLE_SAVE = 0xF3E;
    static constexpr DWORD EDITOR_STYLE_OPEN = 0xE7E;

    SECWsMgrDialogEx(CStringList& mruList, CStringList& edited, CStringList& deleted, CString* pCurrentName, BOOL bOpen,
                     BOOL bSave, CWnd* pParent);
    ~SECWsMgrDialogEx() override;

    BOOL OnInitDialog() override;
    BOOL IsOpenAllowed() const
    {
        return m_bOpen;
    }
    BOOL IsSaveAllowed() const
    {
        return m_bSave;
    }
    SECWSLBEditorEx& GetEditor()
    {
        return *m_pEditor;
    }

protected:
    afx_msg void OnOpen();
    afx_msg void OnSave();
    afx_msg void OnDone();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    // The selected item's name into the current-name buffer, ending the dialog.
    void ChooseSelected();

    CStringList& m_mruList;
    CString* m_pCurrentName;
    SECWSLBEditorEx* m_pEditor;
    BOOL m_bOldShell;
    BOOL m_bOpen;
    BOOL m_bSave;
};
} // namespace tarnwick::workspace
