// The demo's scenario files over any bytes: the reader never fails on its own (the sanitizers watch it), and
// what it reads holds together:
// - a file it refuses names a line of the file and says in one printable line of bounded length what was
//   expected; every line before it reads, and the line read alone is refused with the same message;
// - each command of a file it takes names its line, the lines rising; its source is the line without its
//   blanks, neither empty nor a comment; and the source read alone gives the same command.
#include "ScenarioFile.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

void Require(bool bCondition, const char* pszWhat) {
    if (bCondition)
        return;
    std::fprintf(stderr, "broken: %s\n", pszWhat);
    std::abort();
}

bool Parse(const std::string& text, std::vector<ScenarioCommand>& commands, ScenarioError& error) {
    std::istringstream in(text);
    return ParseScenario(in, commands, error);
}

bool Same(const ScenarioCommand& a, const ScenarioCommand& b) {
    return a.kind == b.kind && a.source == b.source && a.tree == b.tree && a.path == b.path &&
           a.targetTree == b.targetTree && a.targetPath == b.targetPath && a.text == b.text &&
           a.value == b.value;
}

// The file's lines as the reader counts them.
std::vector<std::string> LinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

void CheckRefused(const std::vector<std::string>& lines, const ScenarioError& error) {
    Require(error.line >= 1 && static_cast<size_t>(error.line) <= lines.size(), "the error names no line");
    Require(!error.message.empty() && error.message.size() <= 320, "the message is empty or unbounded");
    for (char c : error.message)
        Require(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F, "the message holds a control character");
    std::string before;
    for (int i = 0; i + 1 < error.line; ++i)
        before += lines[static_cast<size_t>(i)] + "\n";
    std::vector<ScenarioCommand> commands;
    ScenarioError none;
    Require(Parse(before, commands, none), "a line before the refused one is refused");
    ScenarioError alone;
    Require(!Parse(lines[static_cast<size_t>(error.line) - 1], commands, alone),
            "the refused line reads alone");
    Require(alone.line == 1 && alone.message == error.message,
            "the refused line alone gives another message");
}

void CheckTaken(const std::vector<std::string>& lines, const std::vector<ScenarioCommand>& commands) {
    int nLast = 0;
    for (const ScenarioCommand& command : commands) {
        Require(command.line > nLast && static_cast<size_t>(command.line) <= lines.size(),
                "a command names a line out of order or beyond the file");
        nLast = command.line;
        const std::string& source = command.source;
        Require(!source.empty() && source[0] != '#' && !IsBlank(source.front()) && !IsBlank(source.back()),
                "a command's source is empty, a comment or not trimmed");
        Require(lines[static_cast<size_t>(command.line) - 1].find(source) != std::string::npos,
                "a command's source is not on its line");
        std::vector<ScenarioCommand> again;
        ScenarioError error;
        Require(Parse(source, again, error) && again.size() == 1 && again[0].line == 1 &&
                    Same(again[0], command),
                "a command's source read alone gives another command");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<ScenarioCommand> commands;
    ScenarioError error;
    const bool bTaken = Parse(text, commands, error);
    const std::vector<std::string> lines = LinesOf(text);
    if (bTaken)
        CheckTaken(lines, commands);
    else
        CheckRefused(lines, error);
    return 0;
}
