// The dialog's controls driven as a user drives them: buttons clicked with the mouse and with Space, their
// check states and styles, what each control answers WM_GETDLGCODE, and static controls letting the mouse
// through unless they notify.
#include "DialogTest.h"

#include <MessageLog.h>
#include <commctrl.h>

#include <algorithm>

namespace {

std::vector<BYTE> Buttons() {
    return TemplateBuilder(kPopupDialog, 10, 10, 200, 100)
        .Title("Buttons")
        .Control(kButton, "Push", 1, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 7, 7, 50, 14)
        .Control(kButton, "Auto", 2, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 25, 60, 10)
        .Control(kButton, "Three", 3, WS_VISIBLE | WS_TABSTOP | BS_AUTO3STATE, 7, 40, 60, 10)
        .Control(kButton, "Plain", 4, WS_VISIBLE | WS_TABSTOP | BS_CHECKBOX, 7, 55, 60, 10)
        .Control(kStatic, "Label", 5, WS_VISIBLE | SS_LEFT, 80, 7, 50, 8)
        .Control(kStatic, "Notify", 6, WS_VISIBLE | SS_LEFT | SS_NOTIFY, 80, 20, 50, 8)
        .Control(kButton, "Group", 7, WS_VISIBLE | BS_GROUPBOX, 75, 35, 110, 50)
        .Build();
}

using DialogControls = DialogTest;

TEST_F(DialogControls, AClickSendsBnClickedAfterTheReleaseAndAutomaticButtonsChangeFirst) {
    std::vector<UINT> checkSeen;
    g_script.answer = [&](HWND dlg, UINT msg, WPARAM wp, LPARAM) -> INT_PTR {
        if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED)
            checkSeen.push_back(IsDlgButtonChecked(dlg, LOWORD(wp)));
        return FALSE;
    };
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    g_script.calls.clear();
    ClickOn(GetDlgItem(dlg, 2));
    ClickOn(GetDlgItem(dlg, 3));
    ClickOn(GetDlgItem(dlg, 3));
    ClickOn(GetDlgItem(dlg, 4));
    EXPECT_EQ((std::vector<int>{2, 3, 3, 4}), Clicks());
    // The automatic buttons had changed when the parent heard of the click; the plain check box had not.
    EXPECT_EQ((std::vector<UINT>{BST_CHECKED, BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}), checkSeen);
    EXPECT_EQ(GetDlgItem(dlg, 4), GetFocus());
}

TEST_F(DialogControls, APressThatLeavesTheButtonIsNoClick) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    HWND push = GetDlgItem(dlg, 1);
    g_script.calls.clear();
    POINT p = Centre(push);
    emu::MouseMove(p.x, p.y);
    emu::MouseDown();
    Pump();
    EXPECT_EQ(push, GetCapture());
    EXPECT_TRUE(SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
    emu::MouseMove(p.x + 200, p.y + 200);
    Pump();
    EXPECT_FALSE(SendMessageA(push, BM_GETSTATE, 0, 0) & BST_PUSHED);
    emu::MouseUp();
    Pump();
    EXPECT_EQ(nullptr, GetCapture());
    EXPECT_TRUE(Clicks().empty());
}

TEST_F(DialogControls, SpacePressesOnKeyDownAndClicksOnKeyUp) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    HWND check = GetDlgItem(dlg, 2);
    SetFocus(check);
    g_script.calls.clear();
    emu::KeyDown(VK_SPACE);
    Pump();
    EXPECT_TRUE(SendMessageA(check, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dlg, 2));
    EXPECT_EQ(check, GetCapture());
    EXPECT_TRUE(Clicks().empty());
    emu::KeyUp(VK_SPACE);
    Pump();
    EXPECT_FALSE(SendMessageA(check, BM_GETSTATE, 0, 0) & BST_PUSHED);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 2));
    EXPECT_EQ((std::vector<int>{2}), Clicks());
}

TEST_F(DialogControls, NotifyingButtonsReportTheFocus) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    SetFocus(GetDlgItem(dlg, 2));
    g_script.calls.clear();
    SetFocus(GetDlgItem(dlg, 1));
    SetFocus(GetDlgItem(dlg, 2));
    EXPECT_EQ((std::vector<std::string>{"1:6", "1:7"}), Commands());
}

TEST_F(DialogControls, CheckStatesStylesAndStatesByMessage) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    HWND push = GetDlgItem(dlg, 1), three = GetDlgItem(dlg, 3), plain = GetDlgItem(dlg, 4);
    // A push button has no check; a two-state box takes any non-zero check as checked.
    SendMessageA(push, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(push, BM_GETCHECK, 0, 0));
    EXPECT_TRUE(CheckDlgButton(dlg, 3, BST_INDETERMINATE));
    EXPECT_EQ(BST_INDETERMINATE, SendMessageA(three, BM_GETCHECK, 0, 0));
    CheckDlgButton(dlg, 4, BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 4));
    // Without such a control there is nothing to check, yet the answer is TRUE.
    EXPECT_TRUE(CheckDlgButton(dlg, 99, BST_CHECKED));
    EXPECT_EQ(0u, IsDlgButtonChecked(dlg, 99));
    // BM_SETSTATE and BM_GETSTATE.
    SendMessageA(plain, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(BST_CHECKED | BST_PUSHED, SendMessageA(plain, BM_GETSTATE, 0, 0) & (BST_CHECKED | BST_PUSHED));
    SendMessageA(plain, BM_SETSTATE, FALSE, 0);
    EXPECT_EQ(BST_CHECKED, SendMessageA(plain, BM_GETSTATE, 0, 0) & (BST_CHECKED | BST_PUSHED));
    // BM_SETSTYLE changes the type only.
    LONG before = GetWindowLongA(push, GWL_STYLE);
    SendMessageA(push, BM_SETSTYLE, BS_DEFPUSHBUTTON | BS_BOTTOM, FALSE);
    EXPECT_EQ((before & ~BS_TYPEMASK) | BS_DEFPUSHBUTTON, GetWindowLongA(push, GWL_STYLE));
    EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, SendMessageA(push, WM_GETDLGCODE, 0, 0));
}

TEST_F(DialogControls, BmClickClicksAndSetDlgItemTextIntWorkOnTheControls) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    g_script.calls.clear();
    SendDlgItemMessageA(dlg, 2, BM_CLICK, 0, 0);
    EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(dlg, 2));
    EXPECT_EQ((std::vector<int>{2}), Clicks());
    EXPECT_EQ(0, SendDlgItemMessageA(dlg, 99, WM_GETDLGCODE, 0, 0));
    EXPECT_TRUE(SetDlgItemInt(dlg, 5, static_cast<UINT>(-42), TRUE));
    char text[16];
    GetDlgItemTextA(dlg, 5, text, sizeof text);
    EXPECT_STREQ("-42", text);
    BOOL ok = FALSE;
    EXPECT_EQ(static_cast<UINT>(-42), GetDlgItemInt(dlg, 5, &ok, TRUE));
    EXPECT_TRUE(ok);
    SetDlgItemTextA(dlg, 5, "  17");
    EXPECT_EQ(17u, GetDlgItemInt(dlg, 5, &ok, FALSE));
    EXPECT_TRUE(ok);
    GetDlgItemInt(dlg, 99, &ok, FALSE);
    EXPECT_FALSE(ok);
}

TEST_F(DialogControls, GetDlgItemIntTakesNoTextWithOtherCharactersThanTheNumber) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    BOOL ok = TRUE;
    // A minus sign is no digit when the number is unsigned.
    SetDlgItemTextA(dlg, 5, "-42");
    EXPECT_EQ(0u, GetDlgItemInt(dlg, 5, &ok, FALSE));
    EXPECT_FALSE(ok);
    ok = TRUE;
    SetDlgItemTextA(dlg, 5, "12ab");
    EXPECT_EQ(0u, GetDlgItemInt(dlg, 5, &ok, FALSE));
    EXPECT_FALSE(ok);
    ok = TRUE;
    SetDlgItemTextA(dlg, 5, "4294967296");
    EXPECT_EQ(0u, GetDlgItemInt(dlg, 5, &ok, FALSE));
    EXPECT_FALSE(ok);
}

TEST_F(DialogControls, EachControlAnswersWmGetDlgCodeAsTheSystemsDo) {
    struct Case {
        const char* cls;
        DWORD style;
        LRESULT code;
    };
    const Case cases[] = {
        {WC_BUTTONA, BS_PUSHBUTTON, DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON},
        {WC_BUTTONA, BS_DEFPUSHBUTTON, DLGC_BUTTON | DLGC_DEFPUSHBUTTON},
        {WC_BUTTONA, BS_CHECKBOX, DLGC_BUTTON},
        {WC_BUTTONA, BS_AUTOCHECKBOX, DLGC_BUTTON},
        {WC_BUTTONA, BS_3STATE, DLGC_BUTTON},
        {WC_BUTTONA, BS_AUTO3STATE, DLGC_BUTTON},
        {WC_BUTTONA, BS_RADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {WC_BUTTONA, BS_AUTORADIOBUTTON, DLGC_BUTTON | DLGC_RADIOBUTTON},
        {WC_BUTTONA, BS_GROUPBOX, DLGC_STATIC},
        {WC_STATICA, SS_LEFT, DLGC_STATIC},
        {WC_STATICA, SS_BLACKFRAME, DLGC_STATIC},
        {WC_EDITA, ES_AUTOHSCROLL, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS},
        {WC_EDITA, ES_AUTOHSCROLL | ES_WANTRETURN, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS},
        {WC_EDITA, ES_MULTILINE, DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS},
        {WC_EDITA, ES_MULTILINE | ES_WANTRETURN,
         DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS | DLGC_WANTALLKEYS},
    };
    HWND owner = CreateOwner();
    for (const Case& c : cases) {
        HWND control = CreateWindowExA(0, c.cls, "x", WS_CHILD | WS_VISIBLE | c.style, 0, 0, 60, 20, owner,
                                       nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, control) << c.cls;
        EXPECT_EQ(c.code, SendMessageA(control, WM_GETDLGCODE, 0, 0)) << c.cls << " " << c.style;
        // The same with the key's message, whatever the key.
        for (WPARAM key : {static_cast<WPARAM>(VK_RETURN), static_cast<WPARAM>(VK_ESCAPE),
                           static_cast<WPARAM>(VK_TAB), static_cast<WPARAM>('A')}) {
            MSG msg{control, WM_KEYDOWN, key, 0, 0, {0, 0}};
            EXPECT_EQ(c.code, SendMessageA(control, WM_GETDLGCODE, key, reinterpret_cast<LPARAM>(&msg)))
                << c.cls << " " << c.style << " key " << key;
        }
        DestroyWindow(control);
    }
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(DLGC_WANTCHARS | DLGC_WANTARROWS, SendMessageA(tree, WM_GETDLGCODE, VK_TAB, 0));
}

TEST_F(DialogControls, StaticsLetTheMouseThroughUnlessTheyNotify) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    POINT label = Centre(GetDlgItem(dlg, 5)), notify = Centre(GetDlgItem(dlg, 6));
    EXPECT_EQ(HTTRANSPARENT, SendDlgItemMessageA(dlg, 5, WM_NCHITTEST, 0, MAKELPARAM(label.x, label.y)));
    EXPECT_EQ(HTCLIENT, SendDlgItemMessageA(dlg, 6, WM_NCHITTEST, 0, MAKELPARAM(notify.x, notify.y)));
    EXPECT_EQ(dlg, WindowFromPoint(label));
    EXPECT_EQ(GetDlgItem(dlg, 6), WindowFromPoint(notify));
    // The group box, too, lets the mouse through.
    POINT inGroup = Centre(GetDlgItem(dlg, 7));
    EXPECT_EQ(dlg, WindowFromPoint(inGroup));
    g_script.calls.clear();
    ClickOn(GetDlgItem(dlg, 5));
    ClickOn(GetDlgItem(dlg, 6));
    EXPECT_EQ((std::vector<int>{6}), Clicks());
}

TEST_F(DialogControls, AMouseClickFollowsThePlatformsSequence) {
    std::vector<BYTE> bytes = Buttons();
    HWND dlg = Show(bytes);
    HWND check = GetDlgItem(dlg, 2);
    MessageLog log;
    log.Attach(check, "box");
    log.Attach(dlg, "dialog");
    ClickOn(check);
    // The push button that had the focus tells of its loss (BN_KILLFOCUS) before the box takes it.
    std::vector<std::string> expected{"box:WM_LBUTTONDOWN",    "dialog:WM_COMMAND", "box:WM_SETFOCUS",
                                      "box:BM_SETSTATE",       "box:WM_LBUTTONUP",  "box:BM_SETSTATE",
                                      "box:WM_CAPTURECHANGED", "dialog:WM_COMMAND"};
    EXPECT_EQ(expected, log.Only({{WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
                                  {WM_SETFOCUS, "WM_SETFOCUS"},
                                  {BM_SETSTATE, "BM_SETSTATE"},
                                  {WM_LBUTTONUP, "WM_LBUTTONUP"},
                                  {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
                                  {WM_COMMAND, "WM_COMMAND"}}));
    std::vector<WPARAM> states;
    for (const LoggedMessage& m : log.All())
        if (m.message == BM_SETSTATE)
            states.push_back(m.wParam);
    EXPECT_EQ((std::vector<WPARAM>{TRUE, FALSE}), states);
}

TEST_F(DialogControls, ControlsAskTheDialogForTheirColours) {
    std::vector<BYTE> bytes = TemplateBuilder(kPopupDialog, 10, 10, 150, 60)
                                  .Control(kStatic, "Label", 5, WS_VISIBLE, 5, 5, 50, 8)
                                  .Control(kButton, "Box", 6, WS_VISIBLE | BS_AUTOCHECKBOX, 5, 20, 50, 10)
                                  .Control(kButton, "Go", 7, WS_VISIBLE | BS_PUSHBUTTON, 60, 20, 40, 14)
                                  .Control(kEdit, "", 8, WS_VISIBLE | WS_BORDER, 5, 35, 60, 12)
                                  .Build();
    HWND dlg = Show(bytes);
    g_script.calls.clear();
    RedrawWindow(dlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    auto asked = [](UINT msg, int id) {
        for (const DialogCall& c : g_script.calls)
            if (c.message == msg && GetDlgCtrlID(reinterpret_cast<HWND>(c.lParam)) == id)
                return true;
        return false;
    };
    EXPECT_TRUE(std::any_of(g_script.calls.begin(), g_script.calls.end(),
                            [](const DialogCall& c) { return c.message == WM_CTLCOLORDLG; }));
    EXPECT_TRUE(asked(WM_CTLCOLORSTATIC, 5));
    EXPECT_TRUE(asked(WM_CTLCOLORSTATIC, 6));
    EXPECT_TRUE(asked(WM_CTLCOLORBTN, 7));
    EXPECT_TRUE(asked(WM_CTLCOLOREDIT, 8));
}

} // namespace
