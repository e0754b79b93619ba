// Scenario files: what the parser takes and the line and expectation it names for what it does not, and a
// scenario run on the host with the events it causes.
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
                          "picture after-copy_2\n");
    std::vector<ScenarioCommand> commands;
    ScenarioError error;
    ASSERT_TRUE(ParseScenario(in, commands, error)) << error.message;
    ASSERT_EQ(6u, commands.size());
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
}

TEST(ScenarioParser, NamesTheFirstBadLineAndWhatWasExpected) {
    ScenarioError error = ErrorOf("click catalog Catalog\n# fine so far\nclik catalog Catalog\nkey Nope\n");
    EXPECT_EQ(3, error.line);
    EXPECT_EQ(
        "expected a command (say, click, rclick, expand, menu, check, key, text, drag, copy, picture), got "
        "'clik'",
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
         }) {
        error = ErrorOf(std::string("say hello\n") + c.line + "\n");
        EXPECT_EQ(2, error.line) << c.line;
        EXPECT_EQ(c.message, error.message) << c.line;
    }
}

class ScenarioRun : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        ASSERT_TRUE(m_host.Open());
    }

    bool Run(const std::string& text) {
        std::istringstream in(text);
        std::vector<ScenarioCommand> commands;
        EXPECT_TRUE(ParseScenario(in, commands, m_error)) << m_error.message;
        m_log.lines.clear();
        return RunScenario(m_host, m_log, commands, m_dir.string(), m_error, m_pictures);
    }

    // As event arguments write an item's handle.
    static std::string Handle(COrnTreeCtrl& tree, const char* pszPath) {
        return std::to_string(static_cast<LONG>(reinterpret_cast<UINT_PTR>(CDemoHost::Find(tree, pszPath))));
    }

    EventLog m_log;
    CDemoHost m_host{m_log};
    ScenarioError m_error;
    std::vector<std::string> m_pictures;
    std::filesystem::path m_dir = std::filesystem::temp_directory_path();
};

TEST_F(ScenarioRun, DrivesTheTreesAsTheUserWould) {
    ASSERT_TRUE(Run("expand catalog Catalog\n"
                    "expand catalog Catalog\\Storage\n"
                    "check options Install\\Documentation\n"
                    "menu 2001\n"
                    "rclick catalog Catalog\\Storage\\Drawer unit\n"
                    "copy catalog Catalog\\Storage\\Drawer unit onto files Project\\tests\n"))
        << m_error.message;
    EXPECT_EQ(
        (std::vector<std::string>{
            "line 1: expand catalog Catalog",
            "line 2: expand catalog Catalog\\Storage",
            "line 3: check options Install\\Documentation",
            "  notice options: item click Install\\Documentation (0), now checked",
            "line 4: menu 2001",
            "line 5: rclick catalog Catalog\\Storage\\Drawer unit",
            "  command Open (2001) reaches the window; selected: (none)",
            "line 6: copy catalog Catalog\\Storage\\Drawer unit onto files Project\\tests",
            "  event catalog.OnSelChanged()",
            "  event files.OnDropCopy(32, 0, " + Handle(m_host.m_catalog, "Catalog\\Storage\\Drawer unit") +
                ", " + Handle(m_host.m_files, "Project\\tests") + ")",
            "  host: copied Drawer unit into files",
        }),
        m_log.lines);
    EXPECT_NE(nullptr, CDemoHost::Find(m_host.m_files, "Project\\tests\\Drawer unit"));
    EXPECT_EQ("checked", CDemoHost::CheckStateOf(
                             m_host.m_options, CDemoHost::Find(m_host.m_options, "Install\\Documentation")));
}

TEST_F(ScenarioRun, StopsAtAnItemThatIsMissingOrNotShown) {
    EXPECT_FALSE(Run("say first\nclick catalog Catalog\\Lighting\\Desk lamp\nclick catalog Catalog\n"));
    EXPECT_EQ(2, m_error.line);
    EXPECT_EQ("item 'Catalog\\Lighting\\Desk lamp' in catalog is not shown: expand its parent first",
              m_error.message);
    EXPECT_EQ(nullptr, m_host.m_catalog.GetSelectedItem()) << "nothing after the bad line runs";

    m_error = {};
    EXPECT_FALSE(Run("drag catalog Catalog onto files Project\\nowhere\n"));
    EXPECT_EQ(1, m_error.line);
    EXPECT_EQ("no item 'Project\\nowhere' in files", m_error.message);
}

} // namespace
