#include "Tour.h"

#include <emu/Picture.h>

#include <cstdio>
#include <filesystem>

namespace {

constexpr int kSteps = 14;

} // namespace

CTour::CTour(CDemoDlg& dlg, EventLog& log, std::string outDir)
    : m_dlg(dlg), m_log(log), m_outDir(std::move(outDir)) {}

void CTour::Begin(const char* pszNarration) {
    ++m_nStep;
    m_log.Write("step " + std::to_string(m_nStep) + "/" + std::to_string(kSteps) + ": " + pszNarration);
}

bool CTour::End(const char* pszName) {
    CUser::Pump();
    return Save(pszName);
}

bool CTour::Save(const char* pszName) {
    if (m_outDir.empty())
        return true;
    char szFile[64];
    std::snprintf(szFile, sizeof szFile, "%02d-%s.png", m_nStep, pszName);
    std::string path = (std::filesystem::path(m_outDir) / szFile).string();
    if (!emu::SaveWindowPicture(m_dlg.m_hWnd, path)) {
        m_log.Write("  cannot write " + path);
        return false;
    }
    m_pictures.push_back(path);
    return true;
}

HTREEITEM CTour::Item(COrnTreeCtrl& tree, const char* pszPath) {
    HTREEITEM hItem = CDemoDlg::Find(tree, pszPath);
    if (hItem == NULL) {
        m_log.Write(std::string("  no item ") + pszPath);
        m_bFound = false;
    }
    return hItem;
}

void CTour::ReportChecks(COrnTreeCtrl& tree, const char* pszName, const std::vector<const char*>& paths) {
    std::string line = std::string("  ") + pszName + ":";
    for (const char* path : paths) {
        HTREEITEM hItem = Item(tree, path);
        line += std::string(" ") + path + " " + (hItem ? CDemoDlg::CheckStateOf(tree, hItem) : "?") + ";";
    }
    line.pop_back();
    m_log.Write(line);
}

bool CTour::Run() {
    CDemoDlg& h = m_dlg;
    bool bPictures = true;

    Begin("the dialog opens: the catalog from ID records, the files from paths, the install options");
    bPictures &= End("start");

    Begin("expand by ID: the catalog opens down to item 22 and selects it, then every department opens");
    h.m_catalog.ExpandById(22);
    h.m_catalog.ExpandAll(h.m_catalog.GetRootItem());
    bPictures &= End("expand-by-id");

    Begin("select: a click on 'Desk lamp'");
    if (HTREEITEM hItem = Item(h.m_catalog, "Catalog\\Lighting\\Desk lamp"))
        CUser::Click(CUser::LabelPoint(h.m_catalog, hItem));
    bPictures &= End("select");

    Begin("label edit: F2, 'Reading lamp', Enter; the host accepts it");
    CUser::Key(VK_F2);
    CUser::Type("Reading lamp");
    bPictures &= End("edit-typing");
    CUser::Key(VK_RETURN);
    m_log.Write("  label now: " + CDemoDlg::PathOf(h.m_catalog, h.m_catalog.GetSelectedItem()));

    Begin("label edit: F2, 'Lamps\\Desk', Enter; the host refuses it");
    // The control switches label editing off after each edit; the host allows the next one.
    h.m_catalog.ModifyStyle(0, TVS_EDITLABELS);
    CUser::Key(VK_F2);
    CUser::Type("Lamps\\Desk");
    CUser::Key(VK_RETURN);
    m_log.Write("  label still: " + CDemoDlg::PathOf(h.m_catalog, h.m_catalog.GetSelectedItem()));
    bPictures &= End("edit-refused");

    Begin("right click on 'Office chair': the host's menu opens, the user picks Properties");
    emu::SetMenuResponder([](const emu::PopupMenuShown&) { return ID_ITEM_PROPERTIES; });
    if (HTREEITEM hItem = Item(h.m_catalog, "Catalog\\Furniture\\Office chair"))
        CUser::Click(CUser::LabelPoint(h.m_catalog, hItem), emu::Button::Right);
    emu::SetMenuResponder(nullptr);
    bPictures &= End("context-menu");

    Begin("files: check 'docs' with its box; the whole branch follows, 'Project' is partly checked");
    if (HTREEITEM hItem = Item(h.m_files, "Project\\docs"))
        CUser::Click(CUser::BoxPoint(h.m_files, hItem));
    ReportChecks(h.m_files, "files", {"Project", "Project\\docs", "Project\\docs\\guide.txt"});
    bPictures &= End("files-check");

    Begin("files: uncheck 'guide.txt'; 'docs' becomes partly checked");
    if (HTREEITEM hItem = Item(h.m_files, "Project\\docs\\guide.txt"))
        CUser::Click(CUser::BoxPoint(h.m_files, hItem));
    ReportChecks(h.m_files, "files", {"Project", "Project\\docs", "Project\\docs\\guide.txt"});
    bPictures &= End("files-uncheck");

    Begin("options: check 'Shortcuts', then uncheck 'Desktop'; the parent hears of each click");
    if (HTREEITEM hItem = Item(h.m_options, "Install\\Shortcuts"))
        CUser::Click(CUser::BoxPoint(h.m_options, hItem));
    if (HTREEITEM hItem = Item(h.m_options, "Install\\Shortcuts\\Desktop"))
        CUser::Click(CUser::BoxPoint(h.m_options, hItem));
    ReportChecks(h.m_options, "options", {"Install", "Install\\Shortcuts", "Install\\Shortcuts\\Start menu"});
    bPictures &= End("options-checks");

    Begin("drag 'Bookshelf' onto 'Furniture': the catalog reports a move and the host carries it out");
    HTREEITEM hShelf = Item(h.m_catalog, "Catalog\\Storage\\Bookshelf");
    HTREEITEM hFurniture = Item(h.m_catalog, "Catalog\\Furniture");
    if (hShelf && hFurniture) {
        // A picture while the pointer rests over the target, with the drag image and the drop highlight: the
        // timer looks every 50 ms and takes it once the target shows the highlight.
        constexpr UINT kRest = 1000;
        bool bTaken = false;
        h.m_onTimer = [this, &h, hFurniture, &bTaken] {
            if (h.m_catalog.GetDropHilightItem() != hFurniture)
                return false;
            bTaken = Save("drag-image");
            return true;
        };
        h.SetTimer(1, 50, nullptr);
        CUser::Press(h.m_catalog, hShelf);
        CPoint point = CUser::LabelPoint(h.m_catalog, hFurniture);
        emu::MouseMove(point.x, point.y);
        emu::Wait(kRest);
        emu::MouseUp();
        CUser::Pump();
        h.KillTimer(1);
        h.m_onTimer = nullptr;
        bPictures &= bTaken;
    }
    m_log.Write(std::string("  'Catalog\\Furniture\\Bookshelf' ") +
                (CDemoDlg::Find(h.m_catalog, "Catalog\\Furniture\\Bookshelf") ? "exists" : "is missing"));
    bPictures &= End("drag-move");

    Begin("Ctrl-drag 'Floor lamp' onto the files' 'src': the files report a copy");
    HTREEITEM hLamp = Item(h.m_catalog, "Catalog\\Lighting\\Floor lamp");
    HTREEITEM hDocs = Item(h.m_files, "Project\\src");
    if (hLamp && hDocs)
        CUser::DragOnto(h.m_catalog, hLamp, h.m_files, hDocs, true);
    m_log.Write(std::string("  'Project\\src\\Floor lamp' ") +
                (CDemoDlg::Find(h.m_files, "Project\\src\\Floor lamp") ? "exists" : "is missing"));
    bPictures &= End("ctrl-drag-copy");

    Begin("drag 'Office chair' onto the product 'Standing desk': the filter refuses the drop");
    HTREEITEM hChair = Item(h.m_catalog, "Catalog\\Furniture\\Office chair");
    HTREEITEM hDesk = Item(h.m_catalog, "Catalog\\Furniture\\Standing desk");
    if (hChair && hDesk)
        CUser::DragOnto(h.m_catalog, hChair, h.m_catalog, hDesk, false);
    bPictures &= End("drop-refused");

    Begin("drag 'Reading lamp' to the bottom edge of the files: the tree scrolls, then Escape cancels");
    HTREEITEM hReading = Item(h.m_catalog, "Catalog\\Lighting\\Reading lamp");
    std::string before = CDemoDlg::PathOf(h.m_files, h.m_files.GetFirstVisibleItem());
    if (hReading) {
        CUser::Press(h.m_catalog, hReading);
        CRect client;
        h.m_files.GetClientRect(&client);
        for (int i = 0; i < 4; ++i) {
            CPoint point(client.Width() / 2, client.bottom - 4 + (i % 2));
            h.m_files.ClientToScreen(&point);
            emu::MouseMove(point.x, point.y);
        }
        emu::PressKey(VK_ESCAPE);
        emu::MouseUp();
        CUser::Pump();
    }
    m_log.Write("  files scrolled: first visible " + before + " -> " +
                CDemoDlg::PathOf(h.m_files, h.m_files.GetFirstVisibleItem()));
    bPictures &= End("auto-scroll");

    // Enter or Escape outside a label edit or a drag would have ended the dialog before.
    bool bOpen = h.ContinueModal();
    Begin("a click on OK ends the dialog");
    if (CWnd* pOK = h.GetDlgItem(IDOK))
        CUser::Click(CUser::MiddleOf(*pOK));

    return m_bFound && bPictures && bOpen;
}
