#include "Scenario.h"

#include "User.h"

#include <emu/Picture.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <sstream>

namespace {

using Kind = ScenarioCommand::Kind;

const std::map<std::string, Kind> kCommands = {
    {"say", Kind::Say},   {"click", Kind::Click}, {"rclick", Kind::RightClick}, {"expand", Kind::Expand},
    {"menu", Kind::Menu}, {"check", Kind::Check}, {"key", Kind::Key},           {"text", Kind::Text},
    {"drag", Kind::Drag}, {"copy", Kind::Copy},   {"picture", Kind::Picture},   {"button", Kind::Button},
    {"tab", Kind::Tab},
};

const std::map<std::string, UINT> kKeys = {
    {"F2", VK_F2},       {"Enter", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Delete", VK_DELETE},
    {"Space", VK_SPACE}, {"Tab", VK_TAB},      {"Up", VK_UP},         {"Down", VK_DOWN},
    {"Left", VK_LEFT},   {"Right", VK_RIGHT},  {"Home", VK_HOME},     {"End", VK_END},
};

const char* const kTrees[] = {"catalog", "files", "options"};

std::string Trim(const std::string& text) {
    size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// Splits "<word> <rest>" at the first blank.
std::pair<std::string, std::string> SplitWord(const std::string& text) {
    size_t blank = text.find_first_of(" \t");
    if (blank == std::string::npos)
        return {text, ""};
    return {text.substr(0, blank), Trim(text.substr(blank))};
}

// One to five decimal digits.
bool IsNumber(const std::string& text) {
    return !text.empty() && text.size() <= 5 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

bool IsTree(const std::string& name) {
    for (const char* tree : kTrees)
        if (name == tree)
            return true;
    return false;
}

// "<tree> <path>"; the message says what is missing.
bool ParseItem(const std::string& text, std::string& tree, std::string& path, std::string& message) {
    auto [word, rest] = SplitWord(text);
    if (!IsTree(word)) {
        message = "expected a tree (catalog, files or options), got '" + word + "'";
        return false;
    }
    if (rest.empty()) {
        message = "expected an item path after '" + word + "'";
        return false;
    }
    tree = word;
    path = rest;
    return true;
}

bool ParseLine(const std::string& line, ScenarioCommand& command, std::string& message) {
    auto [word, rest] = SplitWord(line);
    auto found = kCommands.find(word);
    if (found == kCommands.end()) {
        message = "expected a command (say, click, rclick, expand, menu, check, key, text, drag, copy, "
                  "picture, button, tab), got '" +
                  word + "'";
        return false;
    }
    command.kind = found->second;
    switch (command.kind) {
    case Kind::Say:
    case Kind::Text:
        if (rest.empty()) {
            message = "expected text after '" + word + "'";
            return false;
        }
        command.text = rest;
        return true;
    case Kind::Button:
        if (rest.empty()) {
            message = "expected a button's text or ID after 'button'";
            return false;
        }
        command.text = rest;
        return true;
    case Kind::Tab:
        if (!rest.empty() && rest != "back") {
            message = "expected nothing or 'back' after 'tab', got '" + rest + "'";
            return false;
        }
        command.value = rest.empty() ? 0 : 1;
        return true;
    case Kind::Click:
    case Kind::RightClick:
    case Kind::Expand:
    case Kind::Check:
        return ParseItem(rest, command.tree, command.path, message);
    case Kind::Menu: {
        if (!IsNumber(rest) || std::stoul(rest) > 0xFFFF) {
            message = "expected a command ID from 0 to 65535, got '" + rest + "'";
            return false;
        }
        command.value = static_cast<UINT>(std::stoul(rest));
        return true;
    }
    case Kind::Key: {
        auto key = kKeys.find(rest);
        if (key == kKeys.end()) {
            message =
                "expected a key (F2, Enter, Escape, Delete, Space, Tab, Up, Down, Left, Right, Home, End), "
                "got '" +
                rest + "'";
            return false;
        }
        command.value = key->second;
        return true;
    }
    case Kind::Drag:
    case Kind::Copy: {
        size_t onto = rest.find(" onto ");
        if (onto == std::string::npos) {
            message = "expected '<tree> <path> onto <tree> <path>'";
            return false;
        }
        return ParseItem(Trim(rest.substr(0, onto)), command.tree, command.path, message) &&
               ParseItem(Trim(rest.substr(onto + 6)), command.targetTree, command.targetPath, message);
    }
    case Kind::Picture:
        if (rest.empty() || !std::all_of(rest.begin(), rest.end(), [](char c) {
                return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_';
            })) {
            message = "expected a picture name of letters, digits, '-' and '_'";
            return false;
        }
        command.text = rest;
        return true;
    }
    return false;
}

COrnTreeCtrl& TreeNamed(CDemoDlg& dlg, const std::string& name) {
    if (name == "catalog")
        return dlg.m_catalog;
    if (name == "files")
        return dlg.m_files;
    return dlg.m_options;
}

// The dialog's push button with that text, '&' left out, or that ID; NULL when there is none.
CWnd* ButtonNamed(CDemoDlg& dlg, const std::string& name) {
    bool bNumber = IsNumber(name);
    for (HWND hChild = ::GetWindow(dlg.m_hWnd, GW_CHILD); hChild != NULL;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[16] = "";
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        UINT nType = static_cast<UINT>(::GetWindowLongA(hChild, GWL_STYLE)) & BS_TYPEMASK;
        if (std::string(szClass) != "Button" || (nType != BS_PUSHBUTTON && nType != BS_DEFPUSHBUTTON))
            continue;
        char szText[64] = "";
        ::GetWindowTextA(hChild, szText, sizeof szText);
        std::string text(szText);
        std::erase(text, '&');
        if (text == name || (bNumber && static_cast<UINT>(::GetDlgCtrlID(hChild)) == std::stoul(name)))
            return CWnd::FromHandle(hChild);
    }
    return nullptr;
}

} // namespace

bool ParseScenario(std::istream& in, std::vector<ScenarioCommand>& commands, ScenarioError& error) {
    std::string text;
    int nLine = 0;
    while (std::getline(in, text)) {
        ++nLine;
        std::string line = Trim(text);
        if (line.empty() || line[0] == '#')
            continue;
        ScenarioCommand command;
        command.line = nLine;
        command.source = line;
        if (!ParseLine(line, command, error.message)) {
            error.line = nLine;
            return false;
        }
        commands.push_back(command);
    }
    return true;
}

bool RunScenario(CDemoDlg& dlg, EventLog& log, const std::vector<ScenarioCommand>& commands,
                 const std::string& outDir, ScenarioError& error, std::vector<std::string>& pictures) {
    UINT nPick = 0;
    emu::SetMenuResponder([&nPick](const emu::PopupMenuShown&) { return nPick; });
    bool bDone = true;
    int nEndLine = 0;
    for (const ScenarioCommand& command : commands) {
        if (nEndLine != 0) {
            error = {command.line,
                     "the dialog ended at line " + std::to_string(nEndLine) + ": no command can follow"};
            bDone = false;
            break;
        }
        auto item = [&](const std::string& tree, const std::string& path) -> HTREEITEM {
            COrnTreeCtrl& ctrl = TreeNamed(dlg, tree);
            HTREEITEM hItem = CDemoDlg::Find(ctrl, path);
            CRect rect;
            if (hItem == NULL)
                error = {command.line, "no item '" + path + "' in " + tree};
            else if (!ctrl.GetItemRect(hItem, &rect, TRUE))
                error = {command.line,
                         "item '" + path + "' in " + tree + " is not shown: expand its parent first"};
            return error.line == 0 ? hItem : NULL;
        };
        log.Write("line " + std::to_string(command.line) + ": " + command.source);
        HTREEITEM hItem = NULL;
        switch (command.kind) {
        case Kind::Say:
            break;
        case Kind::Click:
        case Kind::RightClick:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::LabelPoint(TreeNamed(dlg, command.tree), hItem),
                             command.kind == Kind::Click ? emu::Button::Left : emu::Button::Right);
            break;
        case Kind::Expand:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::ButtonPoint(TreeNamed(dlg, command.tree), hItem));
            break;
        case Kind::Check:
            if ((hItem = item(command.tree, command.path)) != NULL)
                CUser::Click(CUser::BoxPoint(TreeNamed(dlg, command.tree), hItem));
            break;
        case Kind::Menu:
            nPick = command.value;
            break;
        case Kind::Key:
            CUser::Key(command.value);
            break;
        case Kind::Text:
            CUser::Type(command.text.c_str());
            break;
        case Kind::Drag:
        case Kind::Copy: {
            HTREEITEM hTarget = NULL;
            if ((hItem = item(command.tree, command.path)) != NULL &&
                (hTarget = item(command.targetTree, command.targetPath)) != NULL)
                CUser::DragOnto(TreeNamed(dlg, command.tree), hItem, TreeNamed(dlg, command.targetTree),
                                hTarget, command.kind == Kind::Copy);
            break;
        }
        case Kind::Picture: {
            std::string path = (std::filesystem::path(outDir) / (command.text + ".png")).string();
            if (emu::SaveWindowPicture(dlg.m_hWnd, path))
                pictures.push_back(path);
            else
                error = {command.line, "cannot write " + path};
            break;
        }
        case Kind::Button:
            if (CWnd* pButton = ButtonNamed(dlg, command.text))
                CUser::Click(CUser::MiddleOf(*pButton));
            else
                error = {command.line, "no button '" + command.text + "' in the dialog"};
            break;
        case Kind::Tab:
            CUser::Tab(command.value != 0);
            break;
        }
        if (error.line != 0) {
            bDone = false;
            break;
        }
        if (!dlg.ContinueModal())
            nEndLine = command.line;
    }
    if (bDone && nEndLine == 0) {
        log.Write("end: a click on OK");
        if (CWnd* pOK = dlg.GetDlgItem(IDOK))
            CUser::Click(CUser::MiddleOf(*pOK));
    }
    emu::SetMenuResponder(nullptr);
    return bDone;
}
