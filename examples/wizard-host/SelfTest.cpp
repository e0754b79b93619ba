#include "pch.h"

#include "CatalogApp.h"
#include "CatalogDlg.h"
#include "SelfTest.h"

#include <cstdio>

CSelfTest::CSelfTest() {
    m_steps = {
        [this](CCatalogDlg& dlg) {
            Expect(dlg.m_tree.GetCount() == 7, _T("seven items imported"));
            Expect(::GetFocus() == dlg.m_tree.m_hWnd, _T("the tree has the focus"));
            Expect(SelectionText(dlg) == _T("Catalog"), _T("the first item's path shown"));
            ClickLabel(dlg, _T("Catalog\\Lighting\\Lamps"));
        },
        [this](CCatalogDlg& dlg) {
            Expect(SelectionText(dlg) == _T("Catalog\\Lighting\\Lamps"), _T("the clicked item's path shown"));
            // F2 is the dialog's accelerator; Delete, during the edit, is the edit box's.
            emu::PressKey(VK_F2);
            emu::TypeText("Desk lampsx");
            emu::PressKey(VK_LEFT);
            emu::PressKey(VK_DELETE);
            emu::PressKey(VK_RETURN);
        },
        [this](CCatalogDlg& dlg) {
            Expect(dlg.m_tree.GetEditControl() == nullptr, _T("Enter ended the edit"));
            Expect(Item(dlg, _T("Catalog\\Lighting\\Desk lamps")) != nullptr, _T("the new label"));
            Expect(dlg.m_tree.GetCount() == 7, _T("Delete during the edit deleted no item"));
            Expect(dlg.IsWindowVisible(), _T("the dialog still open after Enter"));
            emu::PressKey(VK_F2);
            emu::TypeText("a\\b");
            emu::PressKey(VK_RETURN);
        },
        [this](CCatalogDlg& dlg) {
            Expect(Item(dlg, _T("Catalog\\Lighting\\Desk lamps")) != nullptr,
                   _T("a label with a backslash refused"));
            emu::PressKey(VK_DELETE);
        },
        [this](CCatalogDlg& dlg) {
            Expect(dlg.m_tree.GetCount() == 6, _T("Delete without an edit deleted the item"));
            emu::SetMenuResponder([](const emu::PopupMenuShown&) { return ID_ITEM_EXPANDALL; });
            ClickLabel(dlg, _T("Catalog\\Kitchen"), emu::Button::Right);
        },
        [this](CCatalogDlg& dlg) {
            const std::vector<emu::PopupMenuShown>& menus = emu::PopupMenusShown();
            Expect(menus.size() == 1 && menus[0].owner == dlg.m_hWnd,
                   _T("the context menu owned by the dialog"));
            Expect(dlg.m_tree.GetItemState(Item(dlg, _T("Catalog\\Kitchen\\Kettles")), TVIS_EXPANDED) &
                       TVIS_EXPANDED,
                   _T("Expand all from the context menu"));
            ClickLabel(dlg, _T("Catalog\\Kitchen\\Kettles\\Lids"));
        },
        [](CCatalogDlg&) { emu::PressKey(VK_RETURN); },
    };
}

BOOL CSelfTest::OnIdle(CCatalogDlg& dlg) {
    if (emu::HasPendingInput())
        return FALSE;
    if (m_nNext == m_steps.size()) {
        Expect(false, _T("the dialog ended by its last step"));
        dlg.EndDialog(IDABORT);
        return FALSE;
    }
    m_steps[m_nNext++](dlg);
    return TRUE;
}

int CSelfTest::Finish(INT_PTR nResponse, const CCatalogDlg& dlg) {
    Expect(m_nNext == m_steps.size(), _T("the dialog open until the last step"));
    Expect(nResponse == IDOK, _T("Enter without an edit ended the dialog with IDOK"));
    Expect(dlg.m_strSelection == _T("Catalog\\Kitchen\\Kettles\\Lids"), _T("the selection at OK"));
    std::printf("%d expectation(s) not met\n", m_nFailures);
    return m_nFailures;
}

void CSelfTest::Expect(bool bMet, LPCTSTR lpszWhat) {
    if (!bMet) {
        ++m_nFailures;
        std::printf("not met: %s\n", lpszWhat);
    }
}

HTREEITEM CSelfTest::Item(CCatalogDlg& dlg, LPCTSTR lpszPath) {
    return dlg.m_tree.GetItemByDir(lpszPath);
}

void CSelfTest::ClickLabel(CCatalogDlg& dlg, LPCTSTR lpszPath, emu::Button button) {
    CRect rect;
    HTREEITEM hItem = Item(dlg, lpszPath);
    if (hItem == nullptr || !dlg.m_tree.GetItemRect(hItem, &rect, TRUE)) {
        Expect(false, lpszPath);
        return;
    }
    CPoint point = rect.CenterPoint();
    dlg.m_tree.ClientToScreen(&point);
    emu::Click(point.x, point.y, button);
}

CString CSelfTest::SelectionText(CCatalogDlg& dlg) {
    CString strText;
    dlg.GetDlgItem(IDC_SELECTION)->GetWindowText(strText);
    return strText;
}
