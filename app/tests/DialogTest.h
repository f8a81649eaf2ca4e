// What the dialog tests share: an application object whose profile lives in a registry key of
// the test's own, a hidden owner, the simulated landscape of the README, and the run of a
// modal dialog whose OK is refused.
#pragma once

#include <afxwin.h>

#include "ReadmeLogon.h"

#include <sapsim/Landscape.h>

#include <testing/MessagePump.h>
#include <testing/ModalScript.h>
#include <testing/PrintString.h>
#include <testing/RegistrySandbox.h>

#include <utility>
#include <vector>

#include <gtest/gtest.h>

// What the user met when OK was refused.
struct Refusal
{
    CString strText;  // the message box's text
    bool bStopIcon;   // the message box showed the stop icon
    int nFocus;       // the control with the focus back in the dialog
    CString strEntry; // that control's text then
};

class DialogTest : public HiddenWindowTest
{
protected:
    void SetUp() override;

    static sapsim::CLandscape& Landscape()
    {
        return sapsim::CLandscape::Active();
    }
    CWinApp& App()
    {
        return m_app;
    }
    // The profile's value, with "(none)" for a missing one.
    CString Profile(LPCTSTR lpszSection, LPCTSTR lpszEntry);

    // Runs the dialog, fills the entries and presses OK, reads the message box that refuses
    // them and closes it, then reads the focus and cancels.
    Refusal Refuse(CDialog& dialog, const Entries& entries);
    // Runs the dialog, fills the entries and presses OK; the dialog's result.
    INT_PTR Accept(CDialog& dialog, const Entries& entries);

private:
    class TestApp : public CWinApp
    {
    public:
        explicit TestApp(LPCTSTR lpszRegistryKey) : CWinApp(_T("Lumiter5 Dialog Test"))
        {
            SetRegistryKey(lpszRegistryKey);
        }
    };

    RegistrySandbox m_sandbox;
    TestApp m_app{m_sandbox.Name()};
};

void Fill(const ModalWindow& window, const Entries& entries);
// Fills the entries into the dialog and presses OK.
ModalScript::Action Fills(const Entries& entries);
// Reads a message box's text and closes it.
ModalScript::Action Reads(CString& strText);
// The entries with some of them changed.
Entries With(Entries entries, const Entries& changes);
