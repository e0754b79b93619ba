// A host of the library, built against the installed package: it runs with the library it linked, puts
// each of the three controls in its window, fills them, clicks, and checks what it sees and whose resources
// were used. Each failed check is printed; the exit code is 0 when all hold. The first argument is the
// prefix that the library must have been installed into.
#include "HostChecks.h"

#include <emu/Emu.h>

namespace {

// The host's own resources (Host.rc): the context menu, and a bitmap with the ID of the library's check
// images, all black, which the check trees must not take for theirs.
constexpr UINT kMenuID = 200;
constexpr UINT kOpenCommand = 1001;
constexpr UINT kCheckImages = 3001;
constexpr UINT kSmallCheckImages = 3002;

// The window that holds the controls; it receives the check-box tree's notice and the menu's command.
class CHostWindow : public CWnd {
protected:
    afx_msg LRESULT OnItemClick(WPARAM wParam, LPARAM) {
        CTreeCtrl* pTree = static_cast<CTreeCtrl*>(GetDlgItem(kCheckBoxTreeID));
        g_events.push_back("notice " + std::string(pTree->GetItemText(reinterpret_cast<HTREEITEM>(wParam))));
        return 0;
    }
    afx_msg void OnOpen() { g_events.push_back("command Open"); }
    DECLARE_MESSAGE_MAP()

public:
    static constexpr UINT kCheckBoxTreeID = 12;
};

BEGIN_MESSAGE_MAP(CHostWindow, CWnd)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CHostWindow::OnItemClick)
ON_COMMAND(kOpenCommand, &CHostWindow::OnOpen)
END_MESSAGE_MAP()

CWinApp theApp("Consumer");

void Pump() {
    emu::PumpMessages(AfxPumpMessage);
}

// Clicks an item's label, or its check box just left of the label.
void ClickItem(CTreeCtrl& tree, HTREEITEM hItem, emu::Button button = emu::Button::Left, bool bBox = false) {
    CRect label;
    tree.GetItemRect(hItem, &label, TRUE);
    CPoint point(bBox ? label.left - 8 : label.CenterPoint().x, label.CenterPoint().y);
    tree.ClientToScreen(&point);
    emu::Click(point.x, point.y, button);
    Pump();
}

void CheckLibrary(HMODULE hLibrary, const std::string& prefix) {
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(hLibrary, szPath, MAX_PATH);
    Check(std::string(szPath).starts_with(prefix + "/"),
          std::string("the library comes from the package: ") + szPath);
    Check(AfxGetApp() == &theApp,
          "the host's application stays the host's: the library has a state of its own");
    Check(::LoadLibraryA("TalControl.dll") == hLibrary, "loading the linked library again gives its handle");
    Check(::FreeLibrary(hLibrary) && ::GetModuleHandleA("TalControl.dll") == hLibrary,
          "freeing it again leaves it loaded");
}

void UseGeneralTree(CHostWindow& host) {
    COrnTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 0, 10));
    CListener listener;
    tree.SetListener(&listener);
    tree.SetMenuID(kMenuID);
    HTREEITEM hPear = ImportFruit(tree);
    tree.Expand(tree.GetParentItem(hPear), TVE_EXPAND);

    ClickItem(tree, hPear);
    Check(tree.GetSelectedItem() == hPear, "a click selects the item");
    CheckSelectionHeard(listener, tree);

    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return kOpenCommand; });
    ClickItem(tree, hPear, emu::Button::Right);
    Check(emu::PopupMenusShown().size() == 1, "a right click opens the context menu");
    Check(HasEvent("command Open"), "the menu's command reaches the host's window");
    Check(emu::ResourceLoads(nullptr, RT_MENU, MAKEINTRESOURCEA(kMenuID)) == 1, "the menu is the host's");
    tree.DestroyWindow();
}

void UseCheckTree(CHostWindow& host) {
    COrnCheckTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 1, 11));
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    // The library's checked box has a dark green tick; every pixel of the host's bitmap is black.
    Check(ImagePixel(hImages, 2, 10, 5) == 0x008000u,
          "the check tree shows the library's check images, not the host's bitmap 3001");

    HTREEITEM hAll = tree.AddItem(TVI_ROOT, "All", TVI_LAST, 0, 0, 1);
    HTREEITEM hOne = tree.AddItem(hAll, "One", TVI_LAST, 0, 0, 2);
    tree.AddItem(hAll, "Two", TVI_LAST, 0, 0, 3);
    tree.Expand(hAll, TVE_EXPAND);
    ClickItem(tree, hOne, emu::Button::Left, true);
    Check(ImageOf(tree, hOne) == 2 && ImageOf(tree, hAll) == 4,
          "a click on a box checks the item and leaves its parent partly checked");
    tree.DestroyWindow();
}

void UseCheckBoxTree(CHostWindow& host) {
    CTalCheckBoxTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 2, CHostWindow::kCheckBoxTreeID));
    HTREEITEM hOnly = tree.AddItem(TVI_ROOT, "Only", TVI_LAST, 0, 0, 1);
    ClickItem(tree, hOnly);
    Check(ImageOf(tree, hOnly) == 2, "a click on a label checks the item");
    Check(HasEvent("notice Only"), "the check-box tree tells its parent of the click");
    tree.DestroyWindow();
}

void CheckResourceUse(HMODULE hLibrary) {
    Check(emu::ResourceLoads(hLibrary, RT_BITMAP, MAKEINTRESOURCEA(kCheckImages)) == 2,
          "each check tree loaded the library's bitmap 3001");
    Check(emu::ResourceLoads(nullptr, RT_BITMAP, MAKEINTRESOURCEA(kCheckImages)) == 0,
          "nothing loaded the host's bitmap 3001");
    Check(::FindResourceA(hLibrary, MAKEINTRESOURCEA(kSmallCheckImages), RT_BITMAP) != NULL,
          "the library holds bitmap 3002");
    Check(emu::ResourceLoads(hLibrary, RT_BITMAP, MAKEINTRESOURCEA(kSmallCheckImages)) == 0,
          "nothing loaded bitmap 3002");
    Check(::FindResourceA(hLibrary, MAKEINTRESOURCEA(kMenuID), RT_MENU) == NULL, "the library has no menu");
}

} // namespace

int main(int argc, char** argv) {
    emu::Reset();
    HMODULE hLibrary = ::GetModuleHandleA("TalControl.dll");
    Check(hLibrary != NULL, "the library is loaded with the host");
    CheckLibrary(hLibrary, argc > 1 ? argv[1] : "");
    CheckVersionRecord();

    CHostWindow host;
    WithHostWindow(host, [&] {
        UseGeneralTree(host);
        UseCheckTree(host);
        UseCheckBoxTree(host);
        CheckResourceUse(hLibrary);
    });
    return Report();
}
