// The entry of a program built on the framework: the program's own code is its application object, and
// this runs it (AfxWinMain) with the module's instance and the command line after the program's name.
#include <afxwin.h>

#include <string>

#ifdef _WIN32

namespace {

// The command line without the program's name, as WinMain is given it.
LPSTR ArgumentsOf(LPSTR lpszCommandLine) {
    char* p = lpszCommandLine;
    if (*p == '"') {
        for (++p; *p != '\0' && *p != '"'; ++p) {
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t')
            ++p;
    }
    while (*p == ' ' || *p == '\t')
        ++p;
    return p;
}

} // namespace

int main() {
    return AfxWinMain(::GetModuleHandleA(NULL), NULL, ArgumentsOf(::GetCommandLineA()), SW_SHOWDEFAULT);
}

#else

namespace {

// The arguments as one command line, each with white space in it quoted.
std::string CommandLineOf(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (!commandLine.empty())
            commandLine += ' ';
        std::string argument = argv[i];
        bool bQuote = argument.empty() || argument.find_first_of(" \t") != std::string::npos;
        commandLine += bQuote ? '"' + argument + '"' : argument;
    }
    return commandLine;
}

} // namespace

int main(int argc, char** argv) {
    std::string commandLine = CommandLineOf(argc, argv);
    return AfxWinMain(::GetModuleHandleA(NULL), NULL, commandLine.data(), SW_SHOWDEFAULT);
}

#endif
