// A scenario: a user's own sequence of clicks, drags, keys, text, checks and pictures on the host's trees,
// one command a line, read from a text file.
//
//   # a comment; blank lines are skipped
//   say <text>                                narrated as a step
//   click <tree> <path>                       left click on the item's label
//   rclick <tree> <path>                      right click on the item's label
//   expand <tree> <path>                      click on the item's expand button, which opens or closes it
//   menu <command ID>                         the user's pick in the context menus from now on (0 closes
//   them) check <tree> <path>                       click on the item's check box key <name> F2, Enter,
//   Escape, Delete, Space, Tab, Up, Down, Left, Right,
//                                             Home, End
//   text <text>                               types the rest of the line
//   drag <tree> <path> onto <tree> <path>     drags and drops; "copy" instead of "drag" holds Ctrl
//   picture <name>                            writes <name>.png (letters, digits, '-' and '_')
//
// <tree> is catalog, files or options; <path> names an item from its top-level item down, separated by
// backslashes, for example Catalog\Lighting\Desk lamp.
#pragma once

#include "DemoHost.h"

#include <istream>
#include <string>
#include <vector>

struct ScenarioCommand {
    enum class Kind { Say, Click, RightClick, Expand, Menu, Check, Key, Text, Drag, Copy, Picture };
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

// Reads every line; stops at the first line that is not a command, naming its number and what was expected.
bool ParseScenario(std::istream& in, std::vector<ScenarioCommand>& commands, ScenarioError& error);

// Runs the commands on the host; stops at the first item that is not there or not shown. Pictures go to
// outDir.
bool RunScenario(CDemoHost& host, EventLog& log, const std::vector<ScenarioCommand>& commands,
                 const std::string& outDir, ScenarioError& error, std::vector<std::string>& pictures);
