// Pictures of a whole dialog: its frame and caption, the face of its client area, push buttons with the
// default button's frame and the focus rectangle, check boxes and radio buttons by state, texts and edits.
#include "DialogTest.h"

#include <cstdlib>
#include <filesystem>

namespace {

std::vector<BYTE> Settings() {
    return TemplateBuilder(kPopupDialog, 30, 30, 200, 110)
        .Title("Settings")
        .Font(8, "MS Shell Dlg")
        .Control(kStatic, "&Name:", 100, WS_VISIBLE | SS_LEFT, 7, 9, 30, 8)
        .Control(kEdit, "Lamp", 101, WS_VISIBLE | WS_TABSTOP | WS_BORDER, 40, 7, 100, 12)
        .Control(kButton, "Options", 102, WS_VISIBLE | BS_GROUPBOX, 7, 24, 186, 52)
        .Control(kButton, "Checked", 103, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 14, 36, 70, 10)
        .Control(kButton, "Unchecked", 104, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 14, 50, 70, 10)
        .Control(kButton, "On", 105, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 100, 36, 60, 10)
        .Control(kButton, "Off", 106, WS_VISIBLE | BS_AUTORADIOBUTTON, 100, 50, 60, 10)
        .Control(kButton, "OK", IDOK, WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON, 80, 88, 50, 14)
        .Control(kButton, "Cancel", IDCANCEL, WS_VISIBLE | WS_TABSTOP, 140, 88, 50, 14)
        .Build();
}

// A control's rectangle in the picture of its dialog.
RECT InPicture(HWND dlg, HWND control) {
    RECT frame, r;
    GetWindowRect(dlg, &frame);
    GetWindowRect(control, &r);
    OffsetRect(&r, -frame.left, -frame.top);
    return r;
}

bool AnyPixelNot(const emu::Picture& picture, RECT r, COLORREF colour) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (picture.Pixel(x, y) != colour)
                return true;
    return false;
}

using DialogPicture = DialogTest;

TEST_F(DialogPicture, TheWholeDialogIsDrawnWithItsControlsInTheirStates) {
    std::vector<BYTE> bytes = Settings();
    HWND dlg = Show(bytes);
    ASSERT_NE(nullptr, dlg);
    CheckDlgButton(dlg, 103, BST_CHECKED);
    CheckRadioButton(dlg, 105, 106, 105);
    SetFocus(GetDlgItem(dlg, IDCANCEL));
    SendMessageA(dlg, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 101)), TRUE);
    Pump();
    emu::Picture picture = emu::RenderWindow(dlg);
    RECT window;
    GetWindowRect(dlg, &window);
    ASSERT_EQ(window.right - window.left, picture.width);
    ASSERT_EQ(window.bottom - window.top, picture.height);
    if (const char* folder = std::getenv("TAL_PICTURES"))
        emu::SavePicture(picture, (std::filesystem::path(folder) / "dialog.png").string());

    const COLORREF face = GetSysColor(COLOR_3DFACE);
    // The client area's face, between the controls.
    RECT client;
    GetClientRect(dlg, &client);
    POINT origin{0, 0};
    ClientToScreen(dlg, &origin);
    int cx = origin.x - window.left, cy = origin.y - window.top;
    EXPECT_EQ(face, picture.Pixel(cx + 2, cy + client.bottom - 2));
    // The caption is not the face.
    EXPECT_NE(face, picture.Pixel(picture.width / 2, cy / 2 + 1));
    // The default button has its dark frame; the other push button's edge is lighter.
    RECT ok = InPicture(dlg, GetDlgItem(dlg, IDOK)), cancel = InPicture(dlg, GetDlgItem(dlg, IDCANCEL));
    int middle = (ok.top + ok.bottom) / 2;
    EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), picture.Pixel(ok.left, middle));
    EXPECT_NE(GetSysColor(COLOR_WINDOWFRAME), picture.Pixel(cancel.left, (cancel.top + cancel.bottom) / 2));
    // The buttons' faces carry their texts.
    EXPECT_TRUE(AnyPixelNot(picture, RECT{ok.left + 4, ok.top + 4, ok.right - 4, ok.bottom - 4}, face));
    // The checked box shows a mark where the unchecked one is blank; the same for the radio buttons.
    RECT checked = InPicture(dlg, GetDlgItem(dlg, 103)), unchecked = InPicture(dlg, GetDlgItem(dlg, 104));
    // The middle of the box or circle, inside its edge.
    auto box = [](RECT r) {
        int centre = (r.top + r.bottom) / 2;
        return RECT{r.left + 4, centre - 2, r.left + 8, centre + 2};
    };
    EXPECT_TRUE(AnyPixelNot(picture, box(checked), GetSysColor(COLOR_WINDOW)));
    EXPECT_FALSE(AnyPixelNot(picture, box(unchecked), GetSysColor(COLOR_WINDOW)));
    RECT on = InPicture(dlg, GetDlgItem(dlg, 105)), off = InPicture(dlg, GetDlgItem(dlg, 106));
    EXPECT_TRUE(AnyPixelNot(picture, box(on), GetSysColor(COLOR_WINDOW)));
    EXPECT_FALSE(AnyPixelNot(picture, box(off), GetSysColor(COLOR_WINDOW)));
    // The edit's window background and its selected text.
    RECT edit = InPicture(dlg, GetDlgItem(dlg, 101));
    EXPECT_TRUE(AnyPixelNot(picture, RECT{edit.left + 2, edit.top + 2, edit.right - 2, edit.bottom - 2},
                            GetSysColor(COLOR_WINDOW)));
    // The label's text.
    RECT label = InPicture(dlg, GetDlgItem(dlg, 100));
    EXPECT_TRUE(AnyPixelNot(picture, label, face));
}

} // namespace
