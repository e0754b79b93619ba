// Scenario files: what the parser takes and the line and expectation it names for what it does not, and
// scenarios run in the dialog with the events they cause and how the dialog ends.
#include "DemoRun.h"
#include "Scenario.h"

#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

using Kind = ScenarioCommand::Kind;

ScenarioError ErrorOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<ScenarioCommand> commands;
    ScenarioError error;
    EXPECT_FALSE(ParseScenario(in, commands, error)) << text;
    return error;
}

TEST(ScenarioParser, ReadsEveryCommandWithItsLineAndSkipsCommentsAndBlankLines) {
    std::istringstream in("# a tour of my own\n"
                          "\n"
                          "  click catalog Catalog\\Lighting\\Desk lamp  \r\n"
                          "copy catalog Catalog\\Storage onto files Project\\src\\main.cpp\n"
                          "key Enter\n"
                          "menu 2002\n"
                          "text Lamps, 2 pack\n"
                          "picture after-copy_2\n"
                          "tab\n"
                          "tab   back\n"
                          "button &Cancel\n");
    std::vector<ScenarioCommand> commands;
    ScenarioError error;
    ASSERT_TRUE(ParseScenario(in, commands, error)) << error.message;
    ASSERT_EQ(9u, commands.size());
    EXPECT_EQ(Kind::Click, commands[0].kind);
    EXPECT_EQ(3, commands[0].line);
    EXPECT_EQ("catalog", commands[0].tree);
    EXPECT_EQ("Catalog\\Lighting\\Desk lamp", commands[0].path);
    EXPECT_EQ(Kind::Copy, commands[1].kind);
    EXPECT_EQ("Catalog\\Storage", commands[1].path);
    EXPECT_EQ("files", commands[1].targetTree);
    EXPECT_EQ("Project\\src\\main.cpp", commands[1].targetPath);
    EXPECT_EQ(static_cast<UINT>(VK_RETURN), commands[2].value);
    EXPECT_EQ(2002u, commands[3].value);
    EXPECT_EQ("Lamps, 2 pack", commands[4].text);
    EXPECT_EQ("after-copy_2", commands[5].text);
    EXPECT_EQ(Kind::Tab, commands[6].kind);
    EXPECT_EQ(0u, commands[6].value);
    EXPECT_EQ(Kind::Tab, commands[7].kind);
    EXPECT_EQ(1u, commands[7].value) << "back";
    EXPECT_EQ(Kind::Button, commands[8].kind);
    EXPECT_EQ("&Cancel", commands[8].text);
}

TEST(ScenarioParser, NamesTheFirstBadLineAndWhatWasExpected) {
    ScenarioError error = ErrorOf("click catalog Catalog\n# fine so far\nclik catalog Catalog\nkey Nope\n");
    EXPECT_EQ(3, error.line);
    EXPECT_EQ("expected a command (say, click, rclick, expand, menu, check, key, text, drag, copy, picture, "
              "button, "
              "tab), got 'clik'",
              error.message);

    struct Case {
        const char* line;
        const char* message;
    };
    for (const Case& c : {
             Case{"click trees Catalog", "expected a tree (catalog, files or options), got 'trees'"},
             Case{"check files", "expected an item path after 'files'"},
             Case{"rclick options   ", "expected an item path after 'options'"},
             Case{"expand catalog", "expected an item path after 'catalog'"},
             Case{"key",
                  "expected a key (F2, Enter, Escape, Delete, Space, Tab, Up, Down, Left, Right, Home, End), "
                  "got ''"},
             Case{"key f2",
                  "expected a key (F2, Enter, Escape, Delete, Space, Tab, Up, Down, Left, Right, Home, "
                  "End), got 'f2'"},
             Case{"menu 70000", "expected a command ID from 0 to 65535, got '70000'"},
             Case{"menu -1", "expected a command ID from 0 to 65535, got '-1'"},
             Case{"text", "expected text after 'text'"},
             Case{"drag catalog Catalog\\Storage files Project",
                  "expected '<tree> <path> onto <tree> <path>'"},
             Case{"drag catalog Catalog onto disk C:",
                  "expected a tree (catalog, files or options), got 'disk'"},
             Case{"picture ../escape", "expected a picture name of letters, digits, '-' and '_'"},
             Case{"button", "expected a button's text or ID after 'button'"},
             Case{"button  ", "expected a button's text or ID after 'button'"},
             Case{"tab forward", "expected nothing or 'back' after 'tab', got 'forward'"},
             Case{"tab back again", "expected nothing or 'back' after 'tab', got 'back again'"},
         }) {
        error = ErrorOf(std::string("say hello\n") + c.line + "\n");
        EXPECT_EQ(2, error.line) << c.line;
        EXPECT_EQ(c.message, error.message) << c.line;
    }
}

// A message shows what the user wrote so that it can be read on one line whatever the bytes were: control
// characters escaped, and a long word cut at a character's start after 40 bytes.
TEST(ScenarioParser, QuotesWhatTheUserWroteReadably) {
    const std::string kKeys =
        "expected a key (F2, Enter, Escape, Delete, Space, Tab, Up, Down, Left, Right, Home, End), ";
    EXPECT_EQ(kKeys + "got 'F\\x1B[2J\\x00\\x7F'", ErrorOf(std::string("key F\x1b[2J\0\x7f", 11)).message);
    EXPECT_EQ(kKeys + "got '" + std::string(40, 'x') + "'", ErrorOf("key " + std::string(40, 'x')).message);
    EXPECT_EQ(kKeys + "got '" + std::string(40, 'x') + "'...",
              ErrorOf("key " + std::string(41, 'x')).message);
    // The 40th byte starts a two-byte character: the cut comes before it.
    EXPECT_EQ(kKeys + "got '" + std::string(39, 'x') + "'...",
              ErrorOf("key " + std::string(39, 'x') + "\xC3\xA9").message);
    EXPECT_EQ(kKeys + "got '" + std::string(38, 'x') + "\xC3\xA9'...",
              ErrorOf("key " + std::string(38, 'x') + "\xC3\xA9yy").message);
    ScenarioError error = ErrorOf("say fine\nclik" + std::string(100000, '\t') + "x\n");
    EXPECT_EQ(2, error.line);
    EXPECT_EQ("expected a command (say, click, rclick, expand, menu, check, key, text, drag, copy, picture, "
              "button, "
              "tab), got 'clik'",
              error.message);
}

class ScenarioRun : public DemoRun {
protected:
    // Runs the scenario in the dialog; DoModal's result.
    INT_PTR Run(const std::string& text, const std::function<void(CDemoDlg&)>& after = nullptr) {
        return RunDialog([&](CDemoDlg& dlg) {
            m_bDone = RunScenario(dlg, text);
            if (after)
                after(dlg);
        });
    }

    bool RunScenario(CDemoDlg& dlg, const std::string& text) {
        std::istringstream in(text);
        std::vector<ScenarioCommand> commands;
        EXPECT_TRUE(ParseScenario(in, commands, m_error)) << m_error.message;
        m_log.lines.clear();
        m_error = {};
        return ::RunScenario(dlg, m_log, commands, m_dir.string(), m_error, m_pictures);
    }

    // As event arguments write an item's handle.
    static std::string Handle(COrnTreeCtrl& tree, const char* pszPath) {
        return std::to_string(static_cast<LONG>(reinterpret_cast<UINT_PTR>(CDemoDlg::Find(tree, pszPath))));
    }

    bool m_bDone = false;
    ScenarioError m_error;
    std::vector<std::string> m_pictures;
    std::filesystem::path m_dir = std::filesystem::temp_directory_path();
};

// A move across the trees rather than a copy: under Wine a Ctrl held through a drop is lost at times (the
// tour's copy step is on the emulation-only list for that).
TEST_F(ScenarioRun, DrivesTheTreesAsTheUserWouldAndEndsWithAClickOnOk) {
    std::string drawer, tests, moved, checked;
    bool bGone = false;
    EXPECT_EQ(
        IDOK, RunDialog([&](CDemoDlg& dlg) {
            drawer = Handle(dlg.m_catalog, "Catalog\\Storage\\Drawer unit");
            tests = Handle(dlg.m_files, "Project\\tests");
            m_bDone =
                RunScenario(dlg, "expand catalog Catalog\n"
                                 "expand catalog Catalog\\Storage\n"
                                 "check options Install\\Documentation\n"
                                 "menu 2001\n"
                                 "rclick catalog Catalog\\Storage\\Drawer unit\n"
                                 "drag catalog Catalog\\Storage\\Drawer unit onto files Project\\tests\n");
            moved = CDemoDlg::PathOf(dlg.m_files, CDemoDlg::Find(dlg.m_files, "Project\\tests\\Drawer unit"));
            bGone = CDemoDlg::Find(dlg.m_catalog, "Catalog\\Storage\\Drawer unit") == NULL;
            checked = CDemoDlg::CheckStateOf(dlg.m_options,
                                             CDemoDlg::Find(dlg.m_options, "Install\\Documentation"));
        }));
    EXPECT_TRUE(m_bDone) << m_error.message;
    EXPECT_EQ((std::vector<std::string>{
                  "line 1: expand catalog Catalog",
                  "line 2: expand catalog Catalog\\Storage",
                  "line 3: check options Install\\Documentation",
                  "  notice options: item click Install\\Documentation (0), now checked",
                  "line 4: menu 2001",
                  "line 5: rclick catalog Catalog\\Storage\\Drawer unit",
                  "  command Open (2001) reaches the dialog; selected: Catalog",
                  "line 6: drag catalog Catalog\\Storage\\Drawer unit onto files Project\\tests",
                  "  event catalog.OnSelChanged()",
                  "  event files.OnDropMove(32, 0, " + drawer + ", " + tests + ")",
                  "  event catalog.OnSelChanged()",
                  "  host: moved Drawer unit into files",
                  "end: a click on OK",
                  "  OK ends the dialog",
              }),
              m_log.lines);
    EXPECT_EQ("Project\\tests\\Drawer unit", moved);
    EXPECT_TRUE(bGone);
    EXPECT_EQ("checked", checked);
}

TEST_F(ScenarioRun, StopsAtAnItemThatIsMissingOrNotShownAndLeavesTheDialogOpen) {
    std::string state;
    EXPECT_EQ(IDABORT, Run("say first\nclick catalog Catalog\\Lighting\\Desk lamp\ncheck options Install\n",
                           [&](CDemoDlg& dlg) {
                               state = CDemoDlg::CheckStateOf(dlg.m_options, dlg.m_options.GetRootItem());
                           }));
    EXPECT_FALSE(m_bDone);
    EXPECT_EQ(2, m_error.line);
    EXPECT_EQ("item 'Catalog\\Lighting\\Desk lamp' in catalog is not shown: expand its parent first",
              m_error.message);
    EXPECT_EQ("unchecked", state) << "nothing after the bad line runs";
}

TEST_F(ScenarioRun, StopsAtAMissingItemOfADropTarget) {
    EXPECT_EQ(IDABORT, Run("drag catalog Catalog onto files Project\\nowhere\n"));
    EXPECT_EQ(1, m_error.line);
    EXPECT_EQ("no item 'Project\\nowhere' in files", m_error.message);
}

// Tab and Shift+Tab move the focus along the dialog's tab order (the three trees, OK, Cancel), wrapping
// round; Space presses the focused button.
TEST_F(ScenarioRun, TabAndTabBackMoveTheFocusAlongTheTabOrder) {
    EXPECT_EQ(IDCANCEL, Run("tab\ntab\ntab\ntab\ntab back\ntab\nkey Space\n"));
    EXPECT_TRUE(m_bDone) << m_error.message;
    EXPECT_EQ("  Cancel ends the dialog", m_log.lines.back());
}

TEST_F(ScenarioRun, TabBackFromTheFirstControlGoesToTheLast) {
    EXPECT_EQ(IDCANCEL, Run("tab back\nkey Space\n"));
    EXPECT_EQ((std::vector<std::string>{"line 1: tab back", "line 2: key Space", "  Cancel ends the dialog"}),
              m_log.lines);
}

TEST_F(ScenarioRun, AButtonByItsTextEndsTheDialogAndNothingMayFollow) {
    EXPECT_EQ(IDOK, Run("say first\nbutton OK\nsay too late\n"));
    EXPECT_FALSE(m_bDone);
    EXPECT_EQ(3, m_error.line);
    EXPECT_EQ("the dialog ended at line 2: no command can follow", m_error.message);
    EXPECT_EQ((std::vector<std::string>{"line 1: say first", "line 2: button OK", "  OK ends the dialog"}),
              m_log.lines);
}

TEST_F(ScenarioRun, AButtonByItsId) {
    EXPECT_EQ(IDCANCEL, Run("button 2\n"));
    EXPECT_TRUE(m_bDone) << m_error.message;
    EXPECT_EQ((std::vector<std::string>{"line 1: button 2", "  Cancel ends the dialog"}), m_log.lines);
}

TEST_F(ScenarioRun, AnIdOfNoButtonStopsTheRun) {
    EXPECT_EQ(IDABORT, Run("button 103\n")) << "the options tree's ID";
    EXPECT_EQ(1, m_error.line);
    EXPECT_EQ("no button '103' in the dialog", m_error.message);
}

} // namespace
