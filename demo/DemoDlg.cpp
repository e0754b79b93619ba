#include "DemoDlg.h"

#include <array>

namespace {

// Posted to the dialog from OnInitDialog: its script runs once the modal loop is under way.
constexpr UINT WM_DEMO_RUNSCRIPT = WM_APP + 1;
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

CDemoDlg::CDemoDlg(EventLog& log, CWnd* pParent)
    : CDialogEx(IDD_DEMO_DIALOG, pParent), m_listener(log), m_log(log) {}

void CDemoDlg::DoDataExchange(CDataExchange* pDX) {
    CDialogEx::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CATALOG, m_catalog);
    DDX_Control(pDX, IDC_FILES, m_files);
    DDX_Control(pDX, IDC_OPTIONS, m_options);
}

BEGIN_MESSAGE_MAP(CDemoDlg, CDialogEx)
ON_MESSAGE(WM_DEMO_RUNSCRIPT, &CDemoDlg::OnRunScript)
ON_MESSAGE(WM_CHECKTREE_ITEMCLICK, &CDemoDlg::OnItemClick)
ON_WM_TIMER()
ON_NOTIFY(TVN_KEYDOWN, IDC_CATALOG, &CDemoDlg::OnCatalogKeyDown)
ON_COMMAND_RANGE(ID_ITEM_OPEN, ID_ITEM_PROPERTIES, &CDemoDlg::OnMenuCommand)
END_MESSAGE_MAP()

BOOL CDemoDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    FillCatalog();
    FillFiles();
    FillOptions();
    // The catalog, which gets the focus, starts with its top item selected: what a tree view does when the
    // focus comes without a selection differs between implementations of the platform.
    m_catalog.SelectItem(m_catalog.GetRootItem());
    m_listener.AddTree(&m_catalog, "catalog");
    m_listener.AddTree(&m_files, "files");
    m_listener.AddTree(&m_options, "options");
    PostMessage(WM_DEMO_RUNSCRIPT);
    // The dialog manager gives the focus to the first control in the tab order, the catalog.
    return TRUE;
}

LRESULT CDemoDlg::OnRunScript(WPARAM, LPARAM) {
    if (m_script)
        m_script(*this);
    return 0;
}

void CDemoDlg::OnOK() {
    m_log.Write("  OK ends the dialog");
    CDialogEx::OnOK();
}

void CDemoDlg::OnCancel() {
    m_log.Write("  Cancel ends the dialog");
    CDialogEx::OnCancel();
}

LRESULT CDemoDlg::OnItemClick(WPARAM wParam, LPARAM lParam) {
    HTREEITEM hItem = reinterpret_cast<HTREEITEM>(wParam);
    m_log.Write("  notice options: item click " + PathOf(m_options, hItem) + " (" + std::to_string(lParam) +
                "), now " + CheckStateOf(m_options, hItem));
    return 0;
}

void CDemoDlg::OnCatalogKeyDown(NMHDR* pNMHDR, LRESULT*) {
    // F2 edits the selected label: the tree view has no key of its own for that, so hosts give it one.
    if (reinterpret_cast<NMTVKEYDOWN*>(pNMHDR)->wVKey == VK_F2 && (m_catalog.GetStyle() & TVS_EDITLABELS))
        m_catalog.EditLabel(m_catalog.GetSelectedItem());
}

void CDemoDlg::OnTimer(UINT_PTR nIDEvent) {
    if (!m_onTimer || m_onTimer()) {
        KillTimer(nIDEvent);
        m_onTimer = nullptr;
    }
}

void CDemoDlg::OnMenuCommand(UINT nID) {
    m_log.Write(std::string("  command ") + (nID == ID_ITEM_OPEN ? "Open" : "Properties") + " (" +
                std::to_string(nID) +
                ") reaches the dialog; selected: " + PathOf(m_catalog, m_catalog.GetSelectedItem()));
}

void CDemoDlg::FillCatalog() {
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
    m_catalog.SetMenuID(IDR_ITEM_MENU);
    // Spare parts are not dragged, and nothing dragged from the catalog lands on a product.
    m_catalog.AddUnDragImages(3);
    m_catalog.AddUnDropImages(2);
}

void CDemoDlg::FillFiles() {
    CStringArray paths;
    for (const char* path : kFiles)
        paths.Add(path);
    m_files.ImpByPaths(&paths, 0, true);
    m_files.ExpandAll(m_files.GetRootItem());
}

void CDemoDlg::FillOptions() {
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

HTREEITEM CDemoDlg::Find(COrnTreeCtrl& tree, const std::string& path) {
    return tree.GetItemByDir(path.c_str());
}

std::string CDemoDlg::PathOf(COrnTreeCtrl& tree, HTREEITEM hItem) {
    if (hItem == NULL)
        return "(none)";
    CString strDir;
    tree.GetItemDir(strDir, hItem);
    return std::string(strDir);
}

std::string CDemoDlg::CheckStateOf(COrnTreeCtrl& tree, HTREEITEM hItem) {
    int nImage = -1, nSelectedImage = -1;
    tree.GetItemImage(hItem, nImage, nSelectedImage);
    static const char* const kStates[] = {"unchecked", "checked", "partly checked"};
    int nState = nImage / 2;
    return nState >= 0 && nState <= 2 ? kStates[nState] : "unchecked";
}
