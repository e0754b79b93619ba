// Shared pieces of the dialog tests: a journal of what the objects under test saw, an owner window whose
// first WM_ENTERIDLE (the dialog's modal loop has gone idle, the dialog shown with the focus in it) plays
// the user's part, and the templates the tests use.
#pragma once

#include <afxwin.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "TemplateBuilder.h"

#include <functional>
#include <string>
#include <vector>

inline std::vector<std::string> g_journal;

inline void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

// Control IDs of the templates.
constexpr WORD kIdcName = 1001;
constexpr WORD kIdcCount = 1002;
constexpr WORD kIdcOption = 1003;
// The dialog resource that the resource script and the emulation's declaration hold.
constexpr UINT kIddNamed = 200;

// A name and a count to type, a check box, OK (the default button) and Cancel.
inline const DLGTEMPLATE* FormTemplate() {
    static const std::vector<BYTE> form =
        TemplateBuilder(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 10, 180, 90)
            .Title("Form")
            .Font(8, "MS Shell Dlg")
            .Control(kEdit, "", kIdcName, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 10, 100,
                     14)
            .Control(kEdit, "", kIdcCount, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 10, 30, 100,
                     14)
            .Control(kButton, "Option", kIdcOption, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10, 50, 100,
                     12)
            .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 120, 10, 50, 14)
            .Control(kButton, "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 120, 30, 50, 14)
            .Build();
    return AsTemplate(form);
}

// An owner for the dialogs. The user's part runs once, the first time a modal loop owned by it goes idle.
class COwnerWnd : public CWnd {
public:
    BOOL Create() {
        return CreateEx(0, AfxRegisterWndClass(0), "Owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 300,
                        NULL, NULL);
    }
    std::function<void()> m_user;
    int m_nIdle = 0;

protected:
    afx_msg LRESULT OnEnterIdle(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        g_journal.clear();
        ASSERT_TRUE(m_owner.Create());
        emu::PumpMessages(&AfxPumpMessage);
    }
    void TearDown() override {
        // What the user did after the dialog had gone reaches nothing of the next test.
        emu::PumpMessages(&AfxPumpMessage);
        m_owner.DestroyWindow();
        CWnd::DeleteTempMap();
    }
    // The user presses the keys once the dialog is up.
    void UserPresses(std::vector<UINT> keys) {
        m_owner.m_user = [keys] {
            for (UINT vk : keys)
                emu::PressKey(vk);
        };
    }

    COwnerWnd m_owner;
};
