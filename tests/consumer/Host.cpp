// A host of the library, built against the installed package: it runs with the library it linked, puts
// each of the three controls in its window, fills them, clicks, and checks what it sees and whose resources
// were used. Each failed check is printed; the exit code is 0 when all hold. The first argument is the
// prefix that the library must have been installed into.
#include <TalControl.h>
#include <emu/Emu.h>
#include <emu/ImageListPixels.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

int g_nFailures = 0;

void Check(bool bHolds, const std::string& what) {
    if (!bHolds) {
        std::fprintf(stderr, "FAILED: %s\n", what.c_str());
        ++g_nFailures;
    }
}

// The host's own resources (Host.rc): the context menu, and a bitmap with the ID of the library's check
// images, all black, which the check trees must not take for theirs.
constexpr UINT kMenuID = 200;
constexpr UINT kOpenCommand = 1001;
constexpr UINT kCheckImages = 3001;
constexpr UINT kSmallCheckImages = 3002;

std::vector<std::string> g_events;

class CListener : public CCtrlListener {
public:
    CCtrlBase* m_pLastCtrl = nullptr;

    int OnEvent1(CCtrlBase* pCtrl) override { return Took("Event1", pCtrl), 0; }
    bool OnEvent2(CCtrlBase* pCtrl) override { return Took("Event2", pCtrl); }
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override { return Took("EndLabelEdit", pCtrl); }
    bool OnDropCopy(CCtrlBase* pCtrl) override { return Took("DropCopy", pCtrl); }
    bool OnDropMove(CCtrlBase* pCtrl) override { return Took("DropMove", pCtrl); }
    bool OnEvent7(CCtrlBase* pCtrl) override { return Took("Event7", pCtrl); }
    bool OnEvent8(CCtrlBase* pCtrl) override { return Took("Event8", pCtrl); }
    bool OnSelChanged(CCtrlBase* pCtrl) override { return Took("SelChanged", pCtrl); }

private:
    bool Took(const char* event, CCtrlBase* pCtrl) {
        m_pLastCtrl = pCtrl;
        g_events.push_back(event + std::string(" with ") + std::to_string(pCtrl->m_arrArgs.GetSize()));
        return true;
    }
};

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

// A tree-view window in the host's window, as a dialog holds one before the host attaches a control to it.
HWND CreateTreeWindow(CWnd& host, int nColumn, UINT nID) {
    ::InitCommonControls();
    return ::CreateWindowExA(0, WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
                             10 + 210 * nColumn, 10, 200, 300, host.m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
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

int ImageOf(CTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    return nImage;
}

bool HasEvent(const std::string& event) {
    for (const std::string& e : g_events)
        if (e == event)
            return true;
    return false;
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

std::string VersionString(const std::vector<BYTE>& block, const char* name) {
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!::VerQueryValueA(block.data(), path.c_str(), &pValue, &nLength))
        return "(none)";
    return static_cast<const char*>(pValue);
}

void CheckVersionRecord() {
    DWORD dwHandle = 0;
    DWORD dwSize = ::GetFileVersionInfoSizeA("TalControl.dll", &dwHandle);
    std::vector<BYTE> block(dwSize);
    Check(dwSize > 0 && ::GetFileVersionInfoA("TalControl.dll", 0, dwSize, block.data()), "a version record");
    if (dwSize == 0)
        return;
    LPVOID pValue = nullptr;
    UINT nLength = 0;
    Check(::VerQueryValueA(block.data(), "\\", &pValue, &nLength) && nLength == sizeof(VS_FIXEDFILEINFO),
          "the fixed part of the version record");
    if (nLength == sizeof(VS_FIXEDFILEINFO)) {
        const auto* pFixed = static_cast<const VS_FIXEDFILEINFO*>(pValue);
        Check(pFixed->dwFileVersionMS == 0x00010000 && pFixed->dwFileVersionLS == 1, "file version 1.0.0.1");
        Check(pFixed->dwProductVersionMS == 0x00010000 && pFixed->dwProductVersionLS == 1,
              "product version 1.0.0.1");
        Check(pFixed->dwFileType == VFT_DLL, "file type DLL");
    }
    Check(::VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pValue, &nLength) && nLength == 4 &&
              static_cast<const WORD*>(pValue)[0] == 0x0409 && static_cast<const WORD*>(pValue)[1] == 1252,
          "one translation: U.S. English, code page 1252");
    for (const char* name : {"FileVersion", "ProductVersion"})
        Check(VersionString(block, name) == "1.0.0.1", std::string(name) + " " + VersionString(block, name));
    for (const char* name : {"InternalName", "OriginalFilename"})
        Check(VersionString(block, name) == "TalControl.dll",
              std::string(name) + " " + VersionString(block, name));
}

void UseGeneralTree(CHostWindow& host) {
    COrnTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 0, 10));
    CListener listener;
    tree.SetListener(&listener);
    tree.SetMenuID(kMenuID);
    CStringArray paths;
    paths.Add("Fruit\\Apple");
    paths.Add("Fruit\\Pear");
    paths.Add("Vegetables\\Leek");
    tree.ImpByPaths(&paths, 0, true);
    HTREEITEM hPear = tree.GetItemByDir("Fruit\\Pear");
    Check(hPear != NULL, "the general tree finds an imported path");
    tree.Expand(tree.GetParentItem(hPear), TVE_EXPAND);

    ClickItem(tree, hPear);
    Check(tree.GetSelectedItem() == hPear, "a click selects the item");
    Check(HasEvent("SelChanged with 0") && listener.m_pLastCtrl == static_cast<CCtrlBase*>(&tree),
          "the listener hears of the selection from the tree");

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
    std::vector<uint32_t> checked = emu::ImageListPixels(hImages, 2);
    // The library's checked box has a dark green tick; every pixel of the host's bitmap is black.
    Check(checked.size() == 16 * 16 && checked[5 * 16 + 10] == 0xFF008000u,
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
    host.CreateEx(0, nullptr, "Consumer", WS_POPUP | WS_VISIBLE, 0, 0, 640, 320, nullptr, nullptr);
    theApp.m_pMainWnd = &host;
    UseGeneralTree(host);
    UseCheckTree(host);
    UseCheckBoxTree(host);
    CheckResourceUse(hLibrary);
    theApp.m_pMainWnd = nullptr;
    host.DestroyWindow();

    if (g_nFailures == 0)
        std::printf("The consumer host passed every check against the installed package.\n");
    return g_nFailures == 0 ? 0 : 1;
}
