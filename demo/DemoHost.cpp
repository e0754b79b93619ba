#include "DemoHost.h"

#include <emu/Emu.h>

#include <array>

namespace {

constexpr DWORD kTreeStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;
constexpr int kTreeWidth = 220;
constexpr int kTreeHeight = 260;
constexpr COLORREF kTransparent = RGB(255, 0, 255);

// Catalog records: image group, parent ID, ID, text. Group 0 is the catalog, 1 a department, 2 a product,
// 3 a spare part.
const char* const kCatalog[] = {
    "0", "-1", "1",  "Catalog",      "1", "1",  "10", "Lighting",      "2", "10", "11", "Desk lamp",
    "2", "10", "12", "Floor lamp",   "3", "10", "13", "Bulb pack",     "1", "1",  "20", "Furniture",
    "2", "20", "21", "Office chair", "2", "20", "22", "Standing desk", "3", "20", "23", "Castor set",
    "1", "1",  "30", "Storage",      "2", "30", "31", "Bookshelf",     "2", "30", "32", "Drawer unit",
};

const char* const kFiles[] = {
    "Project\\docs\\guide.txt",    "Project\\docs\\notes.txt",      "Project\\docs\\images\\logo.png",
    "Project\\src\\main.cpp",      "Project\\src\\tree.cpp",        "Project\\src\\tree.h",
    "Project\\src\\paths.cpp",     "Project\\tests\\tree_test.cpp", "Project\\tests\\paths_test.cpp",
    "Project\\build\\release.log", "Project\\build\\debug.log",     "Project\\README.txt",
    "Project\\LICENSE.txt",        "Project\\CHANGES.txt",
};

// One 16 by 16 picture a group and state: a closed and an open folder for the catalog and departments, a
// box for products and a small gear for spare parts, each in its group's colour.
void DrawImage(std::array<uint32_t, 16 * 16>& pixels, int nGroup, bool bSelected) {
    static constexpr uint32_t kColours[] = {0x3060c0, 0xe0b040, 0x40a040, 0x808080};
    uint32_t fill = kColours[nGroup];
    if (bSelected)
        fill = ((fill >> 1) & 0x7f7f7f) + 0x404040;
    auto put = [&](int x, int y, uint32_t colour) { pixels[static_cast<size_t>(y * 16 + x)] = colour; };
    pixels.fill(0xff00ff);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            bool inside = false;
            bool edge = false;
            if (nGroup <= 1) {
                inside = (y >= 4 && y <= 13 && x >= 1 && x <= 14) || (y == 3 && x >= 1 && x <= 6);
                edge = inside && (y == 3 || y == 13 || x == 1 || x == 14 || (y == 4 && x > 6));
            } else if (nGroup == 2) {
                inside = y >= 3 && y <= 13 && x >= 2 && x <= 13;
                edge = inside && (y == 3 || y == 13 || x == 2 || x == 13 || y == 6);
            } else {
                int dx = 2 * x - 15, dy = 2 * y - 15;
                int r = dx * dx + dy * dy;
                inside = r <= 170 && r >= 20;
                edge = inside && (r >= 120 || r <= 40);
            }
            if (inside)
                put(x, y, edge ? 0x202020 : fill);
        }
}

} // namespace

BEGIN_MESSAGE_MAP(CDemoWindow, CWnd)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CDemoWindow::OnItemClick)
ON_WM_TIMER()
ON_NOTIFY(TVN_KEYDOWN, kCatalogID, &CDemoWindow::OnCatalogKeyDown)
ON_COMMAND_RANGE(kCmdOpen, kCmdProperties, &CDemoWindow::OnMenuCommand)
END_MESSAGE_MAP()

LRESULT CDemoWindow::OnItemClick(WPARAM wParam, LPARAM lParam) {
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(wParam);
    m_log.Write("  notice options: item click " + CDemoHost::PathOf(*m_pOptions, hItem) + " (" +
                std::to_string(lParam) + "), now " + CDemoHost::CheckStateOf(*m_pOptions, hItem));
    return 0;
}

void CDemoWindow::OnCatalogKeyDown(NMHDR* pNMHDR, LRESULT*) {
    // F2 edits the selected label: the tree view has no key of its own for that, so hosts give it one.
    if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey == VK_F2 && (m_pCatalog->GetStyle() & TVS_EDITLABELS))
        m_pCatalog->EditLabel(m_pCatalog->GetSelectedItem());
}

void CDemoWindow::OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    std::function<void()> onTimer = std::move(m_onTimer);
    m_onTimer = nullptr;
    if (onTimer)
        onTimer();
}

void CDemoWindow::OnMenuCommand(UINT nID) {
    m_log.Write(
        std::string("  command ") + (nID == kCmdOpen ? "Open" : "Properties") + " (" + std::to_string(nID) +
        ") reaches the window; selected: " + CDemoHost::PathOf(*m_pCatalog, m_pCatalog->GetSelectedItem()));
}

CDemoHost::CDemoHost(EventLog& log) : m_window(log), m_listener(log) {}

CDemoHost::~CDemoHost() {
    m_app.m_pMainWnd = nullptr;
    if (m_window.m_hWnd != NULL)
        m_window.DestroyWindow();
    CWnd::DeleteTempMap();
}

bool CDemoHost::Open() {
    ::InitCommonControls();
    // Drag and drop needs OLE on this thread. The trees start it themselves only where registering a drop
    // target without it fails, which not every implementation of the platform does.
    if (!AfxOleInit())
        return false;
    if (!m_window.CreateEx(0, nullptr, "TalControl demo", WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40,
                           3 * kTreeWidth + 4 * 10 + 8, kTreeHeight + 20 + 30, nullptr, nullptr))
        return false;
    m_app.m_pMainWnd = &m_window;
    m_window.m_pCatalog = &m_catalog;
    m_window.m_pOptions = &m_options;
    if (!Attach(m_catalog, kCatalogID, 10, TVS_EDITLABELS) ||
        !Attach(m_files, kFilesID, 20 + kTreeWidth, 0) ||
        !Attach(m_options, kOptionsID, 30 + 2 * kTreeWidth, 0))
        return false;
    m_listener.AddTree(&m_catalog, "catalog");
    m_listener.AddTree(&m_files, "files");
    m_listener.AddTree(&m_options, "options");
    FillCatalog();
    FillFiles();
    FillOptions();
    m_catalog.SetFocus();
    emu::PumpMessages(AfxPumpMessage);
    return true;
}

bool CDemoHost::Attach(COrnTreeCtrl& tree, UINT nID, int x, DWORD dwExtraStyle) {
    HWND hwnd = ::CreateWindowExA(0, WC_TREEVIEWA, "", kTreeStyle | dwExtraStyle, x, 10, kTreeWidth,
                                  kTreeHeight, m_window.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr, nullptr);
    return hwnd != NULL && tree.SubclassWindow(hwnd);
}

void CDemoHost::FillCatalog() {
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 8, 0);
    for (int nImage = 0; nImage < 8; ++nImage) {
        std::array<uint32_t, 16 * 16> pixels{};
        DrawImage(pixels, nImage / 2, nImage % 2 == 1);
        HBITMAP hBitmap = ::CreateBitmap(16, 16, 1, 32, pixels.data());
        ::ImageList_AddMasked(m_images.m_hImageList, hBitmap, kTransparent);
        ::DeleteObject(hBitmap);
    }
    m_catalog.SetImageList(&m_images, TVSIL_NORMAL);
    CStringArray records;
    for (const char* field : kCatalog)
        records.Add(field);
    m_catalog.ImpByIds(&records, true, 0);
    m_catalog.SetMenuID(kContextMenuID);
    // Spare parts are not dragged, and nothing dragged from the catalog lands on a product.
    m_catalog.AddUnDragImages(3);
    m_catalog.AddUnDropImages(2);
}

void CDemoHost::FillFiles() {
    CStringArray paths;
    for (const char* path : kFiles)
        paths.Add(path);
    m_files.ImpByPaths(&paths, 0, true);
    m_files.ExpandAll(m_files.GetRootItem());
}

void CDemoHost::FillOptions() {
    HTREEITEM hRoot = m_options.AddItem(TVI_ROOT, "Install", TVI_LAST, 0, 0, 1);
    HTREEITEM hProgram = m_options.AddItem(hRoot, "Program", TVI_LAST, 0, 0, 2);
    for (const char* text : {"Viewer", "Editor", "Command line tools"})
        m_options.AddItem(hProgram, text, TVI_LAST, 0, 0, 3);
    HTREEITEM hShortcuts = m_options.AddItem(hRoot, "Shortcuts", TVI_LAST, 0, 0, 4);
    for (const char* text : {"Desktop", "Start menu"})
        m_options.AddItem(hShortcuts, text, TVI_LAST, 0, 0, 5);
    m_options.AddItem(hRoot, "Documentation", TVI_LAST, 0, 0, 6);
    m_options.ExpandAll(hRoot);
}

HTREEITEM CDemoHost::Find(COrnTreeCtrl& tree, const std::string& path) {
    return tree.GetItemByDir(path.c_str());
}

std::string CDemoHost::PathOf(COrnTreeCtrl& tree, HTREEITEM hItem) {
    if (hItem == NULL)
        return "(none)";
    CString strDir;
    tree.GetItemDir(strDir, hItem);
    return std::string(strDir);
}

std::string CDemoHost::CheckStateOf(COrnTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    static const char* const kStates[] = {"unchecked", "checked", "partly checked"};
    int nState = nImage / 2;
    return nState >= 0 && nState <= 2 ? kStates[nState] : "unchecked";
}
