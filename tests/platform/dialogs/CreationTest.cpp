// Creating dialogs from templates: the messages the dialog and its controls receive, the controls in template
// order with their IDs and dialog-unit geometry, the dialog's font, WM_INITDIALOG's focus rule, the default
// push button, and the failures.
#include "DialogTest.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::vector<BYTE> SampleTemplate(bool extended = false, DWORD style = kPopupDialog) {
    return TemplateBuilder(style, 10, 10, 160, 80, extended)
        .Title("Sample")
        .Font(8, "MS Shell Dlg")
        .Control(kStatic, "&Name:", 100, WS_VISIBLE | SS_LEFT, 7, 9, 30, 8)
        .Control(kEdit, "first", 101, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 40, 7, 100, 12)
        .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 40, 55, 50, 14)
        .Control(kButton, "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 100, 55, 50, 14)
        .Build();
}

std::vector<UINT> Messages() {
    std::vector<UINT> out;
    for (const DialogCall& c : g_script.calls)
        out.push_back(c.message);
    return out;
}

using DialogCreation = DialogTest;

TEST_F(DialogCreation, FontFirstThenInitDialogWithTheFirstTabStopAndTheParameter) {
    std::vector<BYTE> bytes = SampleTemplate();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0x1234);
    ASSERT_NE(nullptr, dlg);
    // The dialog procedure sees the font, then WM_INITDIALOG, and nothing of the window's creation.
    std::vector<UINT> seen = Messages();
    auto font = std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_SETFONT));
    auto init = std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_INITDIALOG));
    ASSERT_NE(seen.end(), font);
    ASSERT_NE(seen.end(), init);
    EXPECT_LT(font - seen.begin(), init - seen.begin());
    EXPECT_EQ(seen.end(), std::find(seen.begin(), seen.end(), static_cast<UINT>(WM_CREATE)));
    const DialogCall& call = *std::find_if(g_script.calls.begin(), g_script.calls.end(),
                                           [](const DialogCall& c) { return c.message == WM_INITDIALOG; });
    EXPECT_EQ(GetDlgItem(dlg, 101), reinterpret_cast<HWND>(call.wParam));
    EXPECT_EQ(0x1234, call.lParam);
    // Every control has the dialog's font; WM_GETFONT gives it back.
    auto dialogFont = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    EXPECT_NE(nullptr, dialogFont);
    for (int id : {100, 101, IDOK, IDCANCEL})
        EXPECT_EQ(dialogFont, reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, id, WM_GETFONT, 0, 0))) << id;
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, ControlsInTemplateOrderWithIdsStylesAndDialogUnits) {
    for (bool extended : {false, true}) {
        std::vector<BYTE> bytes = SampleTemplate(extended);
        HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                              ScriptedDialogProc, 0);
        ASSERT_NE(nullptr, dlg);
        char name[32] = {};
        GetClassNameA(dlg, name, sizeof name);
        EXPECT_STREQ("#32770", name);
        EXPECT_EQ(WC_DIALOG, reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(GetClassLongA(dlg, GCW_ATOM))));
        std::vector<int> ids;
        for (HWND c = GetWindow(dlg, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            ids.push_back(GetDlgCtrlID(c));
        EXPECT_EQ((std::vector<int>{100, 101, IDOK, IDCANCEL}), ids);
        HWND edit = GetDlgItem(dlg, 101);
        EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & WS_CHILD);
        EXPECT_TRUE(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY);
        GetClassNameA(edit, name, sizeof name);
        EXPECT_STREQ("Edit", name);
        char text[32] = {};
        GetDlgItemTextA(dlg, 100, text, sizeof text);
        EXPECT_STREQ("&Name:", text);
        // The edit's rectangle, in the dialog's client coordinates, is its template rectangle mapped.
        RECT expected{40, 7, 140, 19};
        ASSERT_TRUE(MapDialogRect(dlg, &expected));
        RECT actual;
        GetWindowRect(edit, &actual);
        MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(expected.left, actual.left);
        EXPECT_EQ(expected.top, actual.top);
        EXPECT_EQ(expected.right, actual.right);
        EXPECT_EQ(expected.bottom, actual.bottom);
        // The client area is the template's size in dialog units.
        RECT size{0, 0, 160, 80};
        MapDialogRect(dlg, &size);
        RECT client;
        GetClientRect(dlg, &client);
        EXPECT_EQ(size.right, client.right);
        EXPECT_EQ(size.bottom, client.bottom);
        DestroyWindow(dlg);
    }
}

TEST_F(DialogCreation, BaseUnitsFollowTheFontAndMapDialogRectScalesByThem) {
    LONG units = GetDialogBaseUnits();
    EXPECT_GT(LOWORD(units), 0);
    EXPECT_GT(HIWORD(units), LOWORD(units));
    std::vector<BYTE> bytes = SampleTemplate();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    // The dialog's units are its font's: the average width of the 52 letters, rounded, and the height.
    auto font = reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0));
    HDC dc = GetDC(dlg);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent;
    GetTextExtentPoint32A(dc, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &extent);
    TEXTMETRICA tm;
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(dlg, dc);
    int baseX = (extent.cx / 26 + 1) / 2;
    RECT r{4, 8, 400, 800};
    ASSERT_TRUE(MapDialogRect(dlg, &r));
    EXPECT_EQ(baseX, r.left);
    EXPECT_EQ(tm.tmHeight, r.top);
    EXPECT_EQ(100 * baseX, r.right);
    EXPECT_EQ(100 * tm.tmHeight, r.bottom);
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, InitDialogTrueFocusesTheFirstTabStopAndSelectsAnEditsText) {
    std::vector<BYTE> bytes = SampleTemplate();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    HWND edit = GetDlgItem(dlg, 101);
    EXPECT_EQ(edit, GetFocus());
    DWORD start = 1, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(0u, start);
    EXPECT_EQ(5u, end);
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, InitDialogFalseLeavesTheFocusAlone) {
    g_script.initAnswer = FALSE;
    SetFocus(nullptr);
    // Hidden, so that no activation moves the focus either.
    std::vector<BYTE> bytes = SampleTemplate(false, kPopupDialog & ~WS_VISIBLE);
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    HWND focus = GetFocus();
    EXPECT_FALSE(focus && IsChild(dlg, focus));
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, TheDefaultPushButtonOfTheTemplateIsTheDefaultId) {
    std::vector<BYTE> bytes =
        TemplateBuilder(kPopupDialog, 0, 0, 100, 50)
            .Control(kButton, "Go", 300, WS_VISIBLE | WS_TABSTOP, 5, 5, 40, 14)
            .Control(kButton, "Stop", 301, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 50, 5, 40, 14)
            .Build();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    EXPECT_EQ(MAKELONG(301, DC_HASDEFID), static_cast<LONG>(SendMessageA(dlg, DM_GETDEFID, 0, 0)));
    DestroyWindow(dlg);
    // Without a default push button the default ID is IDOK.
    std::vector<BYTE> empty = TemplateBuilder(kPopupDialog, 0, 0, 100, 50).Build();
    dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(empty), nullptr,
                                     ScriptedDialogProc, 0);
    EXPECT_EQ(IDOK, LOWORD(SendMessageA(dlg, DM_GETDEFID, 0, 0)));
    DestroyWindow(dlg);
}

std::vector<BYTE> g_creationData;

LRESULT CALLBACK CreationDataProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CREATE) {
        // The size word, then as many bytes.
        auto* data = static_cast<const BYTE*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        if (data)
            g_creationData.assign(data, data + 2 + data[0]);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(DialogCreation, CreationDataReachesTheControlsWmCreate) {
    g_creationData.clear();
    RegisterTestClass("DialogDataControl", CreationDataProc);
    for (bool extended : {false, true}) {
        std::vector<BYTE> bytes =
            TemplateBuilder(kPopupDialog, 0, 0, 100, 50, extended)
                .Control("DialogDataControl", "", 7, WS_VISIBLE, 0, 0, 10, 10, {0xAA, 0xBB, 0xCC, 0xDD})
                .Build();
        HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                              ScriptedDialogProc, 0);
        ASSERT_NE(nullptr, dlg);
        EXPECT_EQ((std::vector<BYTE>{4, 0, 0xAA, 0xBB, 0xCC, 0xDD}), g_creationData);
        DestroyWindow(dlg);
    }
}

char g_nameAtCreation[3];

LRESULT CALLBACK NameAtCreationProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
        std::copy_n(reinterpret_cast<CREATESTRUCTA*>(lp)->lpszName, 3, g_nameAtCreation);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST_F(DialogCreation, AnOrdinalTitleReachesTheControlAsFfAndTheOrdinal) {
    RegisterTestClass("DialogNameAtCreation", NameAtCreationProc);
    std::vector<BYTE> bytes = TemplateBuilder(kPopupDialog, 0, 0, 100, 50)
                                  .Control("DialogNameAtCreation", "", 7, WS_VISIBLE, 0, 0, 10, 10)
                                  .OrdinalTitle(0x6142)
                                  .Build();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ('\xFF', g_nameAtCreation[0]);
    EXPECT_EQ('\x42', g_nameAtCreation[1]);
    EXPECT_EQ('\x61', g_nameAtCreation[2]);
    // The default procedure keeps those bytes as the text.
    char text[8] = {};
    GetWindowTextA(GetDlgItem(dlg, 7), text, sizeof text);
    EXPECT_STREQ("\xFF\x42\x61", text);
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, TheExtendedTemplatesMessageBoxFontIsARealFont) {
    std::vector<BYTE> bytes = TemplateBuilder(kPopupDialog, 0, 0, 100, 50, true)
                                  .MessageBoxFont()
                                  .Control(kStatic, "Text", 7, WS_VISIBLE, 5, 5, 60, 8)
                                  .Build();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    auto font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dlg, 7, WM_GETFONT, 0, 0));
    ASSERT_NE(nullptr, font);
    LOGFONTA log{};
    ASSERT_TRUE(GetObjectA(font, sizeof log, &log));
    // A font of the screen's usual size, not one of 0x7FFF points.
    EXPECT_LT(std::abs(log.lfHeight), 40);
    RECT units{0, 0, 4, 8};
    MapDialogRect(dlg, &units);
    EXPECT_GT(units.right, 0);
    EXPECT_LT(units.bottom, 40);
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, SomeAnswersAreTheDialogProceduresReturnValueAndOthersDwlpMsgResult) {
    g_script.answer = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_QUERYDRAGICON || msg == WM_VKEYTOITEM || msg == WM_CTLCOLORDLG || msg == WM_APP) {
            SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 55);
            return 7;
        }
        return FALSE;
    };
    std::vector<BYTE> bytes = SampleTemplate();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    EXPECT_EQ(7, SendMessageA(dlg, WM_QUERYDRAGICON, 0, 0));
    EXPECT_EQ(7, SendMessageA(dlg, WM_VKEYTOITEM, 0, 0));
    EXPECT_EQ(7, SendMessageA(dlg, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dlg)));
    EXPECT_EQ(55, SendMessageA(dlg, WM_APP, 0, 0));
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, AnUnknownClassFailsTheDialogUnlessItMayNotFail) {
    std::vector<BYTE> bytes = TemplateBuilder(kPopupDialog, 0, 0, 100, 50)
                                  .Control(kStatic, "Before", 1, WS_VISIBLE, 0, 0, 40, 8)
                                  .Control("NoSuchControlClass", "", 2, WS_VISIBLE, 0, 10, 40, 8)
                                  .Build();
    EXPECT_EQ(nullptr, CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                                  ScriptedDialogProc, 0));
    EXPECT_EQ(-1, DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0));
    // The dialog procedure never heard of a dialog that was not made.
    EXPECT_TRUE(std::none_of(g_script.calls.begin(), g_script.calls.end(),
                             [](const DialogCall& c) { return c.message == WM_INITDIALOG; }));
    std::vector<BYTE> lenient = TemplateBuilder(kPopupDialog | DS_NOFAILCREATE, 0, 0, 100, 50)
                                    .Control(kStatic, "Before", 1, WS_VISIBLE, 0, 0, 40, 8)
                                    .Control("NoSuchControlClass", "", 2, WS_VISIBLE, 0, 10, 40, 8)
                                    .Control(kStatic, "After", 3, WS_VISIBLE, 0, 20, 40, 8)
                                    .Build();
    HWND dlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(lenient), nullptr,
                                          ScriptedDialogProc, 0);
    ASSERT_NE(nullptr, dlg);
    EXPECT_NE(nullptr, GetDlgItem(dlg, 1));
    EXPECT_EQ(nullptr, GetDlgItem(dlg, 2));
    EXPECT_NE(nullptr, GetDlgItem(dlg, 3));
    DestroyWindow(dlg);
}

TEST_F(DialogCreation, ADialogThatDestroysItselfInInitDialogIsNoDialog) {
    g_script.answer = [](HWND dlg, UINT msg, WPARAM, LPARAM) -> INT_PTR {
        if (msg == WM_INITDIALOG)
            DestroyWindow(dlg);
        return FALSE;
    };
    std::vector<BYTE> bytes = SampleTemplate();
    EXPECT_FALSE(IsWindow(CreateDialogIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                                     ScriptedDialogProc, 0)));
    EXPECT_EQ(-1, DialogBoxIndirectParamA(GetModuleHandleA(nullptr), AsTemplate(bytes), nullptr,
                                          ScriptedDialogProc, 0));
}

TEST_F(DialogCreation, TheDialogProcedureOfAWindowThatIsGone) {
    HWND gone = CreateOwner();
    DestroyWindow(gone);
    SetLastError(0);
    EXPECT_EQ(0, DefDlgProcA(gone, WM_ERASEBKGND, 0, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE), GetLastError());
}

} // namespace
