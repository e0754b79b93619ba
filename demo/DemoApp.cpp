#include "DemoApp.h"

#include "DemoDlg.h"
#include "Scenario.h"
#include "Tour.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// The command line's arguments: separated by blanks, a double-quoted part keeps its blanks.
std::vector<std::string> SplitArguments(const char* pszCommandLine) {
    std::vector<std::string> arguments;
    std::string argument;
    bool bInArgument = false, bQuoted = false;
    for (const char* p = pszCommandLine; *p != '\0'; ++p) {
        if (*p == '"') {
            bQuoted = !bQuoted;
            bInArgument = true;
        } else if ((*p == ' ' || *p == '\t') && !bQuoted) {
            if (bInArgument)
                arguments.push_back(argument);
            argument.clear();
            bInArgument = false;
        } else {
            argument += *p;
            bInArgument = true;
        }
    }
    if (bInArgument)
        arguments.push_back(argument);
    return arguments;
}

} // namespace

BEGIN_MESSAGE_MAP(CDemoApp, CWinApp)
END_MESSAGE_MAP()

CDemoApp::CDemoApp() : CWinApp("TalControl demo") {}

CDemoApp theApp;

BOOL CDemoApp::InitInstance() {
    CWinApp::InitInstance();
    m_nResult = 2;
    std::vector<std::string> arguments = SplitArguments(m_lpCmdLine);
    size_t nArg = 0;
    std::string scenario;
    if (arguments.size() > 1 && arguments[0] == "--scenario") {
        scenario = arguments[1];
        nArg = 2;
    }
    if (arguments.size() > nArg + 1) {
        std::fprintf(stderr, "usage: tal-demo [--scenario <file>] [output folder]\n");
        return FALSE;
    }
    std::filesystem::path outDir = arguments.size() > nArg ? arguments[nArg] : "tal-demo-pictures";

    std::vector<ScenarioCommand> commands;
    if (!scenario.empty()) {
        std::ifstream file(scenario);
        if (!file) {
            std::fprintf(stderr, "tal-demo: cannot read %s\n", scenario.c_str());
            return FALSE;
        }
        ScenarioError error;
        if (!ParseScenario(file, commands, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", scenario.c_str(), error.line, error.message.c_str());
            return FALSE;
        }
    }
    m_nResult = 1;
    std::error_code fault;
    std::filesystem::create_directories(outDir, fault);
    if (fault) {
        std::fprintf(stderr, "tal-demo: cannot create %s: %s\n", outDir.string().c_str(),
                     fault.message().c_str());
        return FALSE;
    }

    ::InitCommonControls();
    // Drag and drop needs OLE on this thread. The trees start it themselves only where registering a drop
    // target without it fails, which not every implementation of the platform does.
    if (!AfxOleInit()) {
        std::fprintf(stderr, "tal-demo: cannot initialise OLE\n");
        return FALSE;
    }

    EventLog log;
    log.echo = true;
    bool bDone = false;
    size_t nPictures = 0;
    CDemoDlg dlg(log);
    dlg.m_script = [&](CDemoDlg& running) {
        if (scenario.empty()) {
            CTour tour(running, log, outDir.string());
            bDone = tour.Run();
            nPictures = tour.Pictures().size();
        } else {
            ScenarioError error;
            std::vector<std::string> pictures;
            bDone = RunScenario(running, log, commands, outDir.string(), error, pictures);
            if (!bDone)
                std::fprintf(stderr, "%s:%d: %s\n", scenario.c_str(), error.line, error.message.c_str());
            nPictures = pictures.size();
        }
        // A run that stopped early leaves the dialog open.
        if (running.ContinueModal())
            running.EndDialog(IDCANCEL);
    };
    m_pMainWnd = &dlg;
    if (dlg.DoModal() == -1) {
        std::fprintf(stderr, "tal-demo: cannot open the dialog\n");
        return FALSE;
    }
    std::printf("%zu pictures in %s\n", nPictures, std::filesystem::absolute(outDir).string().c_str());
    m_nResult = bDone ? 0 : 1;
    // The dialog has been closed: the application ends rather than start its message pump.
    return FALSE;
}

int CDemoApp::ExitInstance() {
    CWinApp::ExitInstance();
    // The last message the dialog handled, not a WM_QUIT, is current; the result is the demo's own.
    return m_nResult;
}
