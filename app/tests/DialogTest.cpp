#include "DialogTest.h"

void Fill(const ModalWindow& window, const Entries& entries)
{
    for (const auto& [nID, strText] : entries)
        window.SetItemText(nID, strText);
}

Entries With(Entries entries, const Entries& changes)
{
    for (const auto& [nID, strText] : changes)
        for (auto& entry : entries)
            if (entry.first == nID)
                entry.second = strText;
    return entries;
}

ModalScript::Action Fills(const Entries& entries)
{
    return [entries](ModalWindow& window) {
        Fill(window, entries);
        window.Press(IDOK);
    };
}

ModalScript::Action Reads(CString& strText)
{
    return [&strText](ModalWindow& box) {
        strText = box.Text();
        box.Press(IDOK);
    };
}

void DialogTest::SetUp()
{
    Landscape().Load(sapsim::CTopology::Default());
}

CString DialogTest::Profile(LPCTSTR lpszSection, LPCTSTR lpszEntry)
{
    return m_app.GetProfileString(lpszSection, lpszEntry, _T("(none)"));
}

Refusal DialogTest::Refuse(CDialog& dialog, const Entries& entries)
{
    Refusal refusal{};
    ModalScript script({
        [&](ModalWindow& window) {
            Fill(window, entries);
            window.Press(IDOK);
        },
        [&](ModalWindow& box) {
            refusal.strText = box.Text();
            refusal.bStopIcon = box.Icon() != nullptr && box.Icon() == ::LoadIcon(nullptr, IDI_HAND);
            box.Press(IDOK);
        },
        [&](ModalWindow& window) {
            refusal.nFocus = window.FocusedItem();
            refusal.strEntry = window.ItemText(refusal.nFocus);
            window.Press(IDCANCEL);
        },
    });
    EXPECT_EQ(IDCANCEL, dialog.DoModal());
    EXPECT_TRUE(script.Done());
    return refusal;
}

INT_PTR DialogTest::Accept(CDialog& dialog, const Entries& entries)
{
    ModalScript script({[&](ModalWindow& window) {
        Fill(window, entries);
        window.Press(IDOK);
    }});
    const INT_PTR nResult = dialog.DoModal();
    EXPECT_TRUE(script.Done());
    return nResult;
}
