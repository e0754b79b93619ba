// A Windows host of the library, built with MinGW-w64 against the unpacked SDK archive and run with the
// archive's DLLs beside it: it puts each of the three controls in its window and works them through their
// operations and the messages a host sends, and checks what the library answers and the version record it
// carries. Each failed check is printed; the exit code is 0 when all hold.
#include "HostChecks.h"

namespace {

CWinApp theApp("Consumer");

void UseGeneralTree(CWnd& host) {
    COrnTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 0, 10));
    CListener listener;
    tree.SetListener(&listener);
    HTREEITEM hPear = ImportFruit(tree);
    CString strDir;
    tree.GetItemDir(strDir, hPear);
    Check(strDir == "Fruit\\Pear", "the item's path is the one imported: " + std::string(strDir));

    tree.SelectItem(hPear);
    CheckSelectionHeard(listener, tree);
    tree.DestroyWindow();
}

void UseCheckTrees(CWnd& host) {
    COrnCheckTreeCtrl tree;
    tree.SubclassWindow(CreateTreeWindow(host, 1, 11));
    HIMAGELIST hImages = reinterpret_cast<HIMAGELIST>(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL));
    // The checked box of the library's own bitmap has a dark green tick.
    Check(ImageList_GetImageCount(hImages) == 6 && ImagePixel(hImages, 2, 10, 5) == 0x008000u,
          "the check tree shows the check images of the library's resources");
    HTREEITEM hAll = tree.AddItem(TVI_ROOT, "All", TVI_LAST, 0, 0, 1);
    HTREEITEM hOne = tree.AddItem(hAll, "One", TVI_LAST, 0, 0, 2);
    tree.AddItem(hAll, "Two", TVI_LAST, 0, 0, 3);
    Check(tree.CheckItem(hOne, true) == 1 && ImageOf(tree, hOne) == 2 && ImageOf(tree, hAll) == 4,
          "checking an item leaves its parent partly checked");
    tree.DestroyWindow();

    CTalCheckBoxTreeCtrl boxTree;
    boxTree.SubclassWindow(CreateTreeWindow(host, 2, 12));
    HTREEITEM hOnly = boxTree.AddItem(TVI_ROOT, "Only", TVI_LAST, 0, 0, 1);
    Check(boxTree.CheckItem(hOnly, true) == 1 && ImageOf(boxTree, hOnly) == 2, "the check-box tree checks");
    boxTree.DestroyWindow();
}

} // namespace

int main() {
    HMODULE hLibrary = ::GetModuleHandleA("TalControl.dll");
    Check(hLibrary != NULL, "the library is loaded with the host");
    CheckVersionRecord();

    CWnd host;
    WithHostWindow(host, [&] {
        UseGeneralTree(host);
        UseCheckTrees(host);
    });
    return Report();
}
