#include "ScenarioFile.h"

#include <algorithm>
#include <cctype>
#include <map>

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

// The text in quotes, as a message shows what the user wrote: control characters as \xNN, and beyond
// 40 bytes cut at a character's start with "..." after it, so that any line gives a readable message.
std::string Quoted(const std::string& text) {
    constexpr size_t kQuotedMax = 40;
    size_t end = std::min(text.size(), kQuotedMax);
    while (end < text.size() && end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    std::string quoted = "'";
    for (size_t i = 0; i < end; ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            quoted += {'\\', 'x', kHex[c >> 4], kHex[c & 15]};
        } else {
            quoted += static_cast<char>(c);
        }
    }
    return quoted + (end < text.size() ? "'..." : "'");
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
        message = "expected a tree (catalog, files or options), got " + Quoted(word);
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
                  "picture, button, tab), got " +
                  Quoted(word);
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
            message = "expected nothing or 'back' after 'tab', got " + Quoted(rest);
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
        if (!IsScenarioNumber(rest) || std::stoul(rest) > 0xFFFF) {
            message = "expected a command ID from 0 to 65535, got " + Quoted(rest);
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
                "got " +
                Quoted(rest);
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

} // namespace

bool IsScenarioNumber(const std::string& text) {
    return !text.empty() && text.size() <= 5 && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

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
