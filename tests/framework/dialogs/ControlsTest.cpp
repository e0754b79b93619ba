// The thin control, menu and drawing classes: each member reaches its control, menu or device context as
// the Win32 call or message that it stands for.
#include "DialogTest.h"

namespace {

class ControlsTest : public DialogTest {};

TEST_F(ControlsTest, AButtonsCheckStateAndStyleAreTheControls) {
    CButton check;
    ASSERT_TRUE(
        check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, CRect(10, 10, 110, 30), &m_owner, 21));
    EXPECT_EQ(static_cast<UINT>(BS_AUTO3STATE), check.GetButtonStyle() & BS_TYPEMASK);
    EXPECT_EQ(BST_UNCHECKED, check.GetCheck());
    check.SetCheck(BST_INDETERMINATE);
    EXPECT_EQ(BST_INDETERMINATE, check.GetCheck());
    EXPECT_EQ(static_cast<UINT>(BST_INDETERMINATE), check.GetState() & 0x3u);
    check.SetState(TRUE);
    EXPECT_NE(0u, check.GetState() & BST_PUSHED);
    check.SetState(FALSE);
    EXPECT_EQ(0u, check.GetState() & BST_PUSHED);

    CButton push;
    ASSERT_TRUE(
        push.Create("Push", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 40, 110, 60), &m_owner, 22));
    push.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<UINT>(BS_DEFPUSHBUTTON), push.GetButtonStyle() & BS_TYPEMASK);
    EXPECT_EQ(&push, CWnd::FromHandlePermanent(push.m_hWnd));
}

TEST_F(ControlsTest, AStaticShowsTheIconItIsGiven) {
    CStatic picture;
    ASSERT_TRUE(picture.Create("", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(10, 10, 50, 50), &m_owner));
    EXPECT_EQ(0xFFFF, picture.GetDlgCtrlID());
    HICON hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    ASSERT_NE(nullptr, hIcon);
    EXPECT_EQ(nullptr, picture.SetIcon(hIcon));
    EXPECT_EQ(hIcon, picture.GetIcon());
}

TEST_F(ControlsTest, AnEditsSelectionLimitAndModifiedFlag) {
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(10, 10, 200, 30), &m_owner, 23));
    edit.SetWindowText("framework");
    EXPECT_FALSE(edit.GetModify());
    edit.SetSel(MAKELONG(2, 5));
    EXPECT_EQ(static_cast<DWORD>(MAKELONG(2, 5)), edit.GetSel());
    edit.ReplaceSel("X");
    CString text;
    edit.GetWindowText(text);
    EXPECT_STREQ("frXwork", text);
    // A replacement is the user's kind of change; the program's own text is not.
    EXPECT_TRUE(edit.GetModify());
    edit.SetModify(FALSE);
    EXPECT_FALSE(edit.GetModify());
    edit.SetLimitText(4);
    EXPECT_EQ(4u, edit.GetLimitText());
    EXPECT_EQ(1, edit.GetLineCount());
    char szLine[16] = {};
    EXPECT_EQ(7, edit.GetLine(0, szLine, sizeof(szLine)));
    EXPECT_STREQ("frXwork", szLine);
}

TEST_F(ControlsTest, MenusBuiltThroughTheirObjectsAndTemporaryObjectsForTheirHandles) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 31, "&Open"));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu.AppendMenu(MF_STRING | MF_GRAYED, 32, "Close"));
    EXPECT_EQ(3u, menu.GetMenuItemCount());
    EXPECT_EQ(31u, menu.GetMenuItemID(0));
    CString label;
    EXPECT_EQ(5, menu.GetMenuString(31, label, MF_BYCOMMAND));
    EXPECT_STREQ("&Open", label);
    EXPECT_NE(0u, menu.GetMenuState(32, MF_BYCOMMAND) & MF_GRAYED);

    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    EXPECT_TRUE(bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(menu.m_hMenu), "File"));
    HMENU hPopup = menu.Detach();
    CMenu* pSub = bar.GetSubMenu(0);
    ASSERT_NE(nullptr, pSub);
    EXPECT_EQ(hPopup, pSub->m_hMenu);
    EXPECT_EQ(pSub, CMenu::FromHandle(hPopup));
    EXPECT_EQ(nullptr, bar.GetSubMenu(1));
    EXPECT_TRUE(bar.DestroyMenu());
    EXPECT_FALSE(::IsMenu(hPopup));

    CMenu* pSystem = m_owner.GetSystemMenu(FALSE);
    ASSERT_NE(nullptr, pSystem);
    EXPECT_GT(pSystem->GetMenuItemCount(), 0u);
}

TEST_F(ControlsTest, ADeviceContextFillsAndFramesWithItsBrushes) {
    CClientDC screen(&m_owner);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    HBITMAP hBitmap = ::CreateCompatibleBitmap(screen, 20, 20);
    HGDIOBJ hOld = ::SelectObject(dc, hBitmap);
    CRect all(0, 0, 20, 20);
    dc.FillSolidRect(&all, RGB(0, 0, 255));
    CBrush red(RGB(255, 0, 0));
    CRect inner(5, 5, 15, 15);
    dc.FrameRect(&inner, &red);
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, 1, 1));
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 5, 5));
    EXPECT_EQ(RGB(0, 0, 255), ::GetPixel(dc, 10, 10));
    EXPECT_EQ(dc.m_hDC, CDC::FromHandle(dc.m_hDC)->m_hDC);
    ::SelectObject(dc, hOld);
    ::DeleteObject(hBitmap);
}

} // namespace
