// The demo's guided tour, run as the demo runs it: the events and notices its simulated user causes, the
// click on OK that ends the dialog, and what its pictures show where they do not depend on the font.
#include "DemoRun.h"
#include "Tour.h"

#include <emu/Picture.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class TourTest : public DemoRun {
protected:
    void SetUp() override {
        DemoRun::SetUp();
        m_dir =
            std::filesystem::temp_directory_path() /
            ("tal-demo-test-" + std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    // The tour's lines with item handles, which are opaque, written as "<h>".
    Lines Masked() const {
        static const std::regex handle(R"(\b\d{6,}\b)");
        Lines lines;
        for (const std::string& line : m_log.lines)
            lines.push_back(std::regex_replace(line, handle, "<h>"));
        return lines;
    }

    // A point of the dialog's picture: a client point of one of its trees.
    CPoint InPicture(CTreeCtrl& tree, CPoint client) {
        tree.ClientToScreen(&client);
        CRect window;
        m_dlg.GetWindowRect(&window);
        return client - window.TopLeft();
    }
    CRect LabelRect(CTreeCtrl& tree, const char* pszPath) {
        CRect rect;
        EXPECT_TRUE(tree.GetItemRect(CDemoDlg::Find(static_cast<COrnTreeCtrl&>(tree), pszPath), &rect, TRUE))
            << pszPath;
        return rect;
    }
    // The middle of an item's check box in the picture.
    CPoint BoxCentre(CTreeCtrl& tree, const char* pszPath) {
        CRect label = LabelRect(tree, pszPath);
        return InPicture(tree, CPoint(label.left - 8, label.CenterPoint().y));
    }

    // Runs the tour and checks its pictures, with the trees still there to tell where their rows are.
    void CheckPictures();

    std::filesystem::path m_dir;
};

TEST_F(TourTest, EveryStepCausesTheEventsAndNoticesOfWhatTheUserDidAndOkEndsTheDialog) {
    bool bDone = false;
    HTREEITEM hLamp = NULL;
    bool bShelfMoved = false, bLampCopied = false;
    EXPECT_EQ(IDOK, RunDialog([&](CDemoDlg& dlg) {
                  bDone = CTour(dlg, m_log, m_dir.string()).Run();
                  hLamp = CDemoDlg::Find(dlg.m_catalog, "Catalog\\Lighting\\Reading lamp");
                  // The move left one Bookshelf, the copy left the Floor lamp in the catalog as well.
                  bShelfMoved = CDemoDlg::Find(dlg.m_catalog, "Catalog\\Storage\\Bookshelf") == NULL;
                  bLampCopied = CDemoDlg::Find(dlg.m_catalog, "Catalog\\Lighting\\Floor lamp") != NULL;
              }));
    EXPECT_TRUE(bDone);
    const Lines expected = {
        "step 1/14: the dialog opens: the catalog from ID records, the files from paths, the install options",
        "step 2/14: expand by ID: the catalog opens down to item 22 and selects it, then every department "
        "opens",
        "  event catalog.OnSelChanged()",
        "step 3/14: select: a click on 'Desk lamp'",
        "  event catalog.OnSelChanged()",
        "step 4/14: label edit: F2, 'Reading lamp', Enter; the host accepts it",
        "  event catalog.OnEndLabelEdit(11, Reading lamp, <h>)",
        "  host: label accepted",
        "  label now: Catalog\\Lighting\\Reading lamp",
        "step 5/14: label edit: F2, 'Lamps\\Desk', Enter; the host refuses it",
        "  event catalog.OnEndLabelEdit(11, Lamps\\Desk, <h>)",
        "  host: label refused (a backslash separates paths)",
        "  label still: Catalog\\Lighting\\Reading lamp",
        "step 6/14: right click on 'Office chair': the host's menu opens, the user picks Properties",
        "  command Properties (2002) reaches the dialog; selected: Catalog\\Lighting\\Reading lamp",
        "step 7/14: files: check 'docs' with its box; the whole branch follows, 'Project' is partly checked",
        "  event files.OnSelChanged()",
        "  files: Project partly checked; Project\\docs checked; Project\\docs\\guide.txt checked",
        "step 8/14: files: uncheck 'guide.txt'; 'docs' becomes partly checked",
        "  event files.OnSelChanged()",
        "  files: Project partly checked; Project\\docs partly checked; Project\\docs\\guide.txt unchecked",
        "step 9/14: options: check 'Shortcuts', then uncheck 'Desktop'; the parent hears of each click",
        "  notice options: item click Install\\Shortcuts (0), now checked",
        "  notice options: item click Install\\Shortcuts\\Desktop (0), now unchecked",
        "  options: Install partly checked; Install\\Shortcuts partly checked; Install\\Shortcuts\\Start "
        "menu "
        "checked",
        "step 10/14: drag 'Bookshelf' onto 'Furniture': the catalog reports a move and the host carries it "
        "out",
        "  event catalog.OnSelChanged()",
        "  event catalog.OnDropMove(31, 20, <h>, <h>)",
        "  event catalog.OnSelChanged()",
        "  host: moved Bookshelf into catalog",
        "  'Catalog\\Furniture\\Bookshelf' exists",
        "step 11/14: Ctrl-drag 'Floor lamp' onto the files' 'src': the files report a copy",
        "  event catalog.OnSelChanged()",
        "  event files.OnDropCopy(12, 0, <h>, <h>)",
        "  host: copied Floor lamp into files",
        "  'Project\\src\\Floor lamp' exists",
        "step 12/14: drag 'Office chair' onto the product 'Standing desk': the filter refuses the drop",
        "  event catalog.OnSelChanged()",
        "step 13/14: drag 'Reading lamp' to the bottom edge of the files: the tree scrolls, then Escape "
        "cancels",
        "  event catalog.OnSelChanged()",
        "  files scrolled: first visible Project -> Project\\docs\\images",
        "step 14/14: a click on OK ends the dialog",
        "  OK ends the dialog",
    };
    // As text, so that a failure shows the lines that differ.
    auto join = [](const Lines& lines) {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    };
    EXPECT_EQ(join(expected), join(Masked()));
    // The handle the edits report is the edited item's.
    ASSERT_NE(nullptr, hLamp);
    EXPECT_EQ("  event catalog.OnEndLabelEdit(11, Reading lamp, " +
                  std::to_string(static_cast<LONG>(reinterpret_cast<UINT_PTR>(hLamp))) + ")",
              m_log.lines[6]);
    EXPECT_TRUE(bShelfMoved);
    EXPECT_TRUE(bLampCopied);
}

// The template's tree-view items become the controls: the check trees bring their check images and leave
// dragging off, the catalog keeps the template's label editing, and every item starts unchecked.
TEST_F(TourTest, TheTemplatesTreesBecomeTheControlsWithTheirImagesAndStyles) {
    EXPECT_EQ(IDABORT, RunDialog([](CDemoDlg& dlg) {
                  EXPECT_EQ(static_cast<CWnd*>(&dlg.m_catalog), dlg.GetDlgItem(IDC_CATALOG));
                  EXPECT_EQ(static_cast<CWnd*>(&dlg.m_files), dlg.GetDlgItem(IDC_FILES));
                  EXPECT_EQ(static_cast<CWnd*>(&dlg.m_options), dlg.GetDlgItem(IDC_OPTIONS));
                  EXPECT_TRUE(dlg.m_catalog.GetStyle() & TVS_EDITLABELS);
                  EXPECT_FALSE(dlg.m_catalog.GetStyle() & TVS_DISABLEDRAGDROP);
                  for (COrnTreeCtrl* pTree : {static_cast<COrnTreeCtrl*>(&dlg.m_files),
                                              static_cast<COrnTreeCtrl*>(&dlg.m_options)}) {
                      EXPECT_TRUE(pTree->GetStyle() & TVS_DISABLEDRAGDROP);
                      CImageList* pImages = pTree->GetImageList(TVSIL_NORMAL);
                      ASSERT_NE(nullptr, pImages);
                      EXPECT_EQ(6, pImages->GetImageCount()) << "unchecked, checked, partly, each selected";
                      for (HTREEITEM hItem = pTree->GetRootItem(); hItem != NULL;
                           hItem = pTree->GetNextItem(hItem, TVGN_NEXTVISIBLE))
                          EXPECT_EQ("unchecked", CDemoDlg::CheckStateOf(*pTree, hItem));
                  }
              }));
}

TEST_F(TourTest, PicturesShowTheCheckBoxesAndTheSelectionHighlight) {
    EXPECT_EQ(IDOK, RunDialog([this](CDemoDlg&) { CheckPictures(); }));
}

void TourTest::CheckPictures() {
    CTour tour(m_dlg, m_log, m_dir.string());
    ASSERT_TRUE(tour.Run());
    ASSERT_EQ(14u, tour.Pictures().size());
    EXPECT_EQ((m_dir / "09-options-checks.png").string(), tour.Pictures()[8]);
    // The options are not changed after this step, so the tree still tells where its rows are.
    emu::Picture picture = emu::LoadPicture(tour.Pictures()[8]);
    CRect window;
    m_dlg.GetWindowRect(&window);
    ASSERT_EQ(window.Width(), picture.width);
    ASSERT_EQ(window.Height(), picture.height);

    CTreeCtrl& options = m_dlg.m_options;
    COLORREF unchecked = picture.Pixel(BoxCentre(options, "Install\\Program\\Viewer").x,
                                       BoxCentre(options, "Install\\Program\\Viewer").y);
    COLORREF checked = picture.Pixel(BoxCentre(options, "Install\\Shortcuts\\Start menu").x,
                                     BoxCentre(options, "Install\\Shortcuts\\Start menu").y);
    COLORREF partly = picture.Pixel(BoxCentre(options, "Install").x, BoxCentre(options, "Install").y);
    EXPECT_EQ(RGB(255, 255, 255), unchecked);
    EXPECT_NE(unchecked, checked);
    EXPECT_GT(GetGValue(partly), GetRValue(partly)) << "the partly checked box is filled green";
    EXPECT_GT(GetGValue(partly), GetBValue(partly));

    // The selected item's label, clicked last in the focused tree, is on the highlight colour.
    CRect label = LabelRect(options, "Install\\Shortcuts\\Desktop");
    CPoint corner = InPicture(options, CPoint(label.left + 1, label.top + 1));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), picture.Pixel(corner.x, corner.y));
    CRect other = LabelRect(options, "Install\\Documentation");
    CPoint plain = InPicture(options, CPoint(other.left + 1, other.top + 1));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), picture.Pixel(plain.x, plain.y));

    // Taken while the pointer rested on 'Furniture' in the drag: its row, which later steps leave in place,
    // shows the drop highlight.
    EXPECT_EQ((m_dir / "10-drag-image.png").string(), tour.Pictures()[9]);
    emu::Picture dragging = emu::LoadPicture(tour.Pictures()[9]);
    CRect target = LabelRect(m_dlg.m_catalog, "Catalog\\Furniture");
    CPoint highlighted = InPicture(m_dlg.m_catalog, CPoint(target.left + 1, target.top + 1));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), dragging.Pixel(highlighted.x, highlighted.y));
    emu::Picture after = emu::LoadPicture(tour.Pictures()[10]);
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), after.Pixel(highlighted.x, highlighted.y)) << "the drop ended it";
}

TEST_F(TourTest, WithoutAFolderTheTourTakesNoPictures) {
    size_t nPictures = 1;
    EXPECT_EQ(IDOK, RunDialog([&](CDemoDlg& dlg) {
                  CTour tour(dlg, m_log, "");
                  EXPECT_TRUE(tour.Run());
                  nPictures = tour.Pictures().size();
              }));
    EXPECT_EQ(0u, nPictures);
    EXPECT_TRUE(std::filesystem::is_empty(m_dir));
}

} // namespace
