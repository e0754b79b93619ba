// The keyboard interface that IsDialogMessageA gives a dialog, driven by simulated keys through the message
// loop: Tab and Shift+Tab over the tab stops, arrows within a group, Enter and Escape, and each key first
// offered to the focused control through WM_GETDLGCODE.
#include "DialogTest.h"

namespace {

// Edit, then a group of three automatic radio buttons (one tab stop), a disabled tab stop, a hidden one,
// a check box, and OK (default) and Cancel.
std::vector<BYTE> Form() {
    return TemplateBuilder(kPopupDialog, 10, 10, 200, 110)
        .Title("Form")
        .Control(kEdit, "text", 10, WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_GROUP, 7, 7, 100, 12)
        .Control(kButton, "One", 20, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 7, 25, 60, 10)
        .Control(kButton, "Two", 21, WS_VISIBLE | BS_AUTORADIOBUTTON, 7, 37, 60, 10)
        .Control(kButton, "Three", 22, WS_VISIBLE | BS_AUTORADIOBUTTON, 7, 49, 60, 10)
        .Control(kButton, "Off", 30, WS_VISIBLE | WS_DISABLED | WS_TABSTOP | WS_GROUP, 80, 25, 40, 14)
        .Control(kButton, "Hidden", 31, WS_TABSTOP, 80, 45, 40, 14)
        .Control(kButton, "Check", 40, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 65, 60, 10)
        .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 80, 88, 50, 14)
        .Control(kButton, "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 140, 88, 50, 14)
        .Build();
}

INT_PTR EndOnCommand(HWND dlg, UINT msg, WPARAM wp, LPARAM) {
    if (msg == WM_COMMAND && (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL))
        EndDialog(dlg, LOWORD(wp));
    return FALSE;
}

using DialogKeyboard = DialogTest;

TEST_F(DialogKeyboard, TabVisitsTheVisibleEnabledTabStopsInOrderAndShiftTabGoesBack) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    ASSERT_NE(nullptr, dlg);
    ASSERT_EQ(GetDlgItem(dlg, 10), GetFocus());
    std::vector<int> visited;
    for (int i = 0; i < 5; ++i) {
        Press(VK_TAB);
        visited.push_back(GetDlgCtrlID(GetFocus()));
    }
    EXPECT_EQ((std::vector<int>{20, 40, IDOK, IDCANCEL, 10}), visited);
    visited.clear();
    emu::KeyDown(VK_SHIFT);
    for (int i = 0; i < 3; ++i) {
        emu::PressKey(VK_TAB);
        Pump();
        visited.push_back(GetDlgCtrlID(GetFocus()));
    }
    emu::KeyUp(VK_SHIFT);
    Pump();
    EXPECT_EQ((std::vector<int>{IDCANCEL, IDOK, 40}), visited);
    EXPECT_EQ(GetDlgItem(dlg, 20), GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10), FALSE));
    EXPECT_EQ(GetDlgItem(dlg, IDCANCEL), GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10), TRUE));
    EXPECT_EQ(nullptr, GetNextDlgTabItem(dlg, nullptr, TRUE));
}

TEST_F(DialogKeyboard, TabbingIntoAnEditSelectsItsText) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    HWND edit = GetDlgItem(dlg, 10);
    SendMessageA(edit, EM_SETSEL, 1, 1);
    Press(VK_TAB);
    ASSERT_NE(edit, GetFocus());
    emu::KeyDown(VK_SHIFT);
    emu::PressKey(VK_TAB);
    emu::KeyUp(VK_SHIFT);
    Pump();
    ASSERT_EQ(edit, GetFocus());
    EXPECT_EQ(MAKELRESULT(0, 4), SendMessageA(edit, EM_GETSEL, 0, 0));
}

TEST_F(DialogKeyboard, ArrowsMoveWithinTheGroupAndCheckAutomaticRadioButtons) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    CheckRadioButton(dlg, 20, 22, 20);
    Press(VK_TAB);
    ASSERT_EQ(GetDlgItem(dlg, 20), GetFocus());
    Press(VK_DOWN);
    EXPECT_EQ(GetDlgItem(dlg, 21), GetFocus());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 21));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dlg, 20));
    Press(VK_DOWN);
    Press(VK_DOWN);
    // The group wraps round at its end.
    EXPECT_EQ(GetDlgItem(dlg, 20), GetFocus());
    Press(VK_UP);
    EXPECT_EQ(GetDlgItem(dlg, 22), GetFocus());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 22));
    // The checked radio button is the group's one tab stop.
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(dlg, 22), GWL_STYLE) & WS_TABSTOP);
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(dlg, 20), GWL_STYLE) & WS_TABSTOP);
    EXPECT_EQ(GetDlgItem(dlg, 22), GetNextDlgTabItem(dlg, GetDlgItem(dlg, 10), FALSE));
    EXPECT_EQ(GetDlgItem(dlg, 20), GetNextDlgGroupItem(dlg, GetDlgItem(dlg, 22), FALSE));
    EXPECT_EQ(GetDlgItem(dlg, 21), GetNextDlgGroupItem(dlg, GetDlgItem(dlg, 22), TRUE));
}

TEST_F(DialogKeyboard, EnterPressesTheDefaultButtonAndEscapeCancel) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    ASSERT_EQ(GetDlgItem(dlg, 10), GetFocus());
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ((std::vector<int>{IDOK, IDCANCEL}), Clicks());
    // The commands come from the buttons' handles.
    for (const DialogCall& c : g_script.calls) {
        if (c.message == WM_COMMAND && HIWORD(c.wParam) == BN_CLICKED) {
            EXPECT_EQ(GetDlgItem(dlg, LOWORD(c.wParam)), reinterpret_cast<HWND>(c.lParam));
        }
    }
}

TEST_F(DialogKeyboard, EnterOnAFocusedPushButtonPressesIt) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, IDCANCEL)), TRUE);
    ASSERT_EQ(GetDlgItem(dlg, IDCANCEL), GetFocus());
    // The focused push button takes the default look, the default button loses it, the default ID stays.
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDCANCEL), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(IDOK, LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)));
    Press(VK_RETURN);
    EXPECT_EQ((std::vector<int>{IDCANCEL}), Clicks());
    // Leaving the push buttons gives the default button its look back.
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 10)), TRUE);
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDCANCEL), GWL_STYLE) & BS_TYPEMASK);
}

TEST_F(DialogKeyboard, APushButtonFocusedByTheMouseTakesTheDefaultLookAndEnterPressesIt) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    HWND ok = GetDlgItem(dlg, IDOK), cancel = GetDlgItem(dlg, IDCANCEL);
    // A press that leaves the button clicks nothing but gives it the focus.
    POINT p = Centre(cancel);
    emu::MouseMove(p.x, p.y);
    emu::MouseDown();
    emu::MouseMove(p.x + 300, p.y + 300);
    emu::MouseUp();
    Pump();
    ASSERT_EQ(cancel, GetFocus());
    EXPECT_EQ(std::vector<int>{}, Clicks());
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(cancel, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(IDOK, LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)));
    Press(VK_RETURN);
    // A check box clicked next gives the look back to the default button, which Enter presses again.
    ClickOn(GetDlgItem(dlg, 40));
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(ok, GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(cancel, GWL_STYLE) & BS_TYPEMASK);
    Press(VK_RETURN);
    EXPECT_EQ((std::vector<int>{IDCANCEL, 40, IDOK}), Clicks());
}

TEST_F(DialogKeyboard, SetDefIdMovesTheDefaultAndEnterFollowsIt) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    EXPECT_TRUE(SendMessageA(dlg, DM_SETDEFID, IDCANCEL, 0));
    EXPECT_EQ(MAKELONG(IDCANCEL, DC_HASDEFID), static_cast<LONG>(SendMessageA(dlg, DM_GETDEFID, 0, 0)));
    EXPECT_EQ(BS_DEFPUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDCANCEL), GWL_STYLE) & BS_TYPEMASK);
    EXPECT_EQ(BS_PUSHBUTTON, GetWindowLongA(GetDlgItem(dlg, IDOK), GWL_STYLE) & BS_TYPEMASK);
    Press(VK_RETURN);
    EXPECT_EQ((std::vector<int>{IDCANCEL}), Clicks());
}

TEST_F(DialogKeyboard, EnterWithoutADefaultButtonGivesIdokADisabledDefaultNothingAndEscapeAlwaysCancel) {
    std::vector<BYTE> plain = TemplateBuilder(kPopupDialog, 0, 0, 120, 40)
                                  .Control(kEdit, "", 10, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 5, 80, 12)
                                  .Build();
    HWND dlg = Show(plain);
    Press(VK_RETURN);
    EXPECT_EQ((std::vector<int>{IDOK}), Clicks());
    DestroyWindow(dlg);
    g_script.calls.clear();
    std::vector<BYTE> bytes = Form();
    dlg = Show(bytes);
    EnableWindow(GetDlgItem(dlg, IDOK), FALSE);
    EnableWindow(GetDlgItem(dlg, IDCANCEL), FALSE);
    SetFocus(GetDlgItem(dlg, 10));
    Press(VK_RETURN);
    Press(VK_ESCAPE);
    EXPECT_EQ((std::vector<int>{IDCANCEL}), Clicks());
}

TEST_F(DialogKeyboard, AKeyTheFocusedControlClaimsGoesToTheControl) {
    static UINT s_asked = 0;
    static LPARAM s_message = 0;
    RegisterTestClass("DialogTabTaker", [](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
        if (msg == WM_GETDLGCODE) {
            s_asked = static_cast<UINT>(wp);
            s_message = lp;
            return DLGC_WANTTAB;
        }
        if (msg == WM_LBUTTONDOWN)
            SetFocus(hwnd);
        return DefWindowProcA(hwnd, msg, wp, lp);
    });
    std::vector<BYTE> bytes = TemplateBuilder(kPopupDialog, 0, 0, 120, 60)
                                  .Control("DialogTabTaker", "", 5, WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 20)
                                  .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP, 5, 30, 40, 14)
                                  .Build();
    HWND dlg = Show(bytes);
    HWND taker = GetDlgItem(dlg, 5);
    ASSERT_EQ(taker, GetFocus());
    Press(VK_TAB);
    EXPECT_EQ(taker, GetFocus());
    EXPECT_EQ(static_cast<UINT>(VK_TAB), s_asked);
    EXPECT_NE(0, s_message);
}

void AltKey(char key) {
    emu::KeyDown(VK_MENU);
    emu::PressKey(static_cast<UINT>(key));
    emu::KeyUp(VK_MENU);
    Pump();
}

TEST_F(DialogKeyboard, MnemonicsFocusTheControlAfterALabelAndClickButtons) {
    std::vector<BYTE> bytes =
        TemplateBuilder(kPopupDialog, 10, 10, 200, 110)
            .Control(kStatic, "&Name:", 1, WS_VISIBLE | SS_LEFT, 7, 9, 30, 8)
            .Control(kEdit, "", 2, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 40, 7, 100, 12)
            .Control(kButton, "&Go", 3, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 150, 7, 40, 14)
            .Control(kButton, "&Options", 5, WS_VISIBLE | BS_GROUPBOX, 7, 25, 186, 50)
            .Control(kButton, "C&heck", 4, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 14, 36, 60, 10)
            .Control(kButton, "&Red", 6, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 100, 36, 60,
                     10)
            .Control(kButton, "Bl&ue", 7, WS_VISIBLE | BS_AUTORADIOBUTTON, 100, 50, 60, 10)
            .Control(kStatic, "Plain && simple", 8, WS_VISIBLE | WS_GROUP | SS_LEFT, 7, 80, 80, 8)
            .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 140, 88, 50,
                     14)
            .Build();
    HWND dlg = Show(bytes);
    HWND edit = GetDlgItem(dlg, 2);
    ASSERT_EQ(edit, GetFocus());
    // The edit takes the characters typed into it; with Alt they are mnemonics.
    emu::TypeText("g");
    Pump();
    EXPECT_TRUE(Clicks().empty());
    AltKey('G');
    EXPECT_EQ(GetDlgItem(dlg, 3), GetFocus());
    // A button takes no characters, so a plain one is a mnemonic too: the label's moves on to the edit.
    emu::TypeText("n");
    Pump();
    EXPECT_EQ(edit, GetFocus());
    char text[8] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ("g", text);
    AltKey('H');
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 4));
    emu::TypeText("u");
    Pump();
    EXPECT_EQ(GetDlgItem(dlg, 7), GetFocus());
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 7));
    // The group box's moves on to the next tab stop; "&&" is an ampersand, no mnemonic.
    emu::TypeText("o");
    Pump();
    EXPECT_EQ(GetDlgItem(dlg, 4), GetFocus());
    emu::TypeText("s");
    Pump();
    EXPECT_EQ(GetDlgItem(dlg, 4), GetFocus());
    EXPECT_EQ((std::vector<int>{3, 4, 7}), Clicks());
}

TEST_F(DialogKeyboard, CloseAndTheSystemMenusCloseAreTheCancelButton) {
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    SendMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
    EXPECT_EQ((std::vector<int>{IDCANCEL}), Clicks());
    EXPECT_TRUE(IsWindow(dlg));
    HMENU menu = GetSystemMenu(dlg, FALSE);
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(menu, GetSystemMenu(dlg, FALSE));
    EXPECT_NE(0xFFFFFFFFu, GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND));
    EXPECT_EQ(nullptr, GetSystemMenu(dlg, TRUE));
}

TEST_F(DialogKeyboard, ModelessDialogEndsByEndDialogWithoutBeingDestroyed) {
    g_script.answer = EndOnCommand;
    std::vector<BYTE> bytes = Form();
    HWND dlg = Show(bytes);
    Press(VK_ESCAPE);
    EXPECT_TRUE(IsWindow(dlg));
    EXPECT_FALSE(IsWindowVisible(dlg));
}

} // namespace
