// A scenario file: a user's own sequence of clicks, drags, keys, text, checks and pictures on the dialog's
// trees and buttons, one command a line, read into commands.
//
//   # a comment; blank lines are skipped
//   say <text>                             narrated as a step
//   click <tree> <path>                    left click on the item's label
//   rclick <tree> <path>                   right click on the item's label
//   expand <tree> <path>                   click on the item's expand button, which opens or closes it
//   menu <command ID>                      the user's pick in the context menus from now on (0 closes them)
//   check <tree> <path>                    click on the item's check box
//   key <name>                             F2, Enter, Escape, Delete, Space, Tab, Up, Down, Left, Right,
//                                          Home, End
//   text <text>                            types the rest of the line
//   drag <tree> <path> onto <tree> <path>  drags and drops; "copy" instead of "drag" holds Ctrl
//   picture <name>                         writes <name>.png (letters, digits, '-' and '_')
//   button <text or ID>                    click on the dialog's button with that text (without '&') or ID
//   tab [back]                             Tab, or Shift+Tab with "back": the focus moves along the tab order
//
// <tree> is catalog, files or options; <path> names an item from its top-level item down, separated by
// backslashes, for example Catalog\Lighting\Desk lamp.
#pragma once

#include <windows.h>

#include <istream>
#include <string>
#include <vector>

struct ScenarioCommand {
    enum class Kind {
        Say,
        Click,
        RightClick,
        Expand,
        Menu,
        Check,
        Key,
        Text,
        Drag,
        Copy,
        Picture,
        Button,
        Tab
    };
    Kind kind = Kind::Say;
    int line = 0;
    std::string source;
    std::string tree;
    std::string path;
    std::string targetTree;
    std::string targetPath;
    std::string text;
    UINT value = 0;
};

struct ScenarioError {
    int line = 0;
    std::string message;
};

// One to five decimal digits, as a command or button ID is written.
bool IsScenarioNumber(const std::string& text);

// Reads every line; stops at the first line that is not a command, naming its number and what was expected.
// Whatever the bytes, the message is one line of printable text of bounded length.
bool ParseScenario(std::istream& in, std::vector<ScenarioCommand>& commands, ScenarioError& error);
