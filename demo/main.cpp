// The demo host: opens the window with the three controls and runs the guided tour with simulated input,
// or the user's scenario file, leaving pictures of the window in the output folder.
//
//   tal-demo [output folder]
//   tal-demo --scenario <file> [output folder]
#include "Scenario.h"
#include "Tour.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace {

int Finish(bool bDone, size_t nPictures, const std::filesystem::path& outDir) {
    std::printf("%zu pictures in %s\n", nPictures, std::filesystem::absolute(outDir).string().c_str());
    return bDone ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    int nArg = 1;
    const char* pszScenario = nullptr;
    if (argc > 2 && std::strcmp(argv[1], "--scenario") == 0) {
        pszScenario = argv[2];
        nArg = 3;
    }
    if (argc > nArg + 1) {
        std::fprintf(stderr, "usage: tal-demo [--scenario <file>] [output folder]\n");
        return 2;
    }
    std::filesystem::path outDir = argc > nArg ? argv[nArg] : "tal-demo-pictures";

    std::vector<ScenarioCommand> commands;
    if (pszScenario != nullptr) {
        std::ifstream file(pszScenario);
        if (!file) {
            std::fprintf(stderr, "tal-demo: cannot read %s\n", pszScenario);
            return 2;
        }
        ScenarioError error;
        if (!ParseScenario(file, commands, error)) {
            std::fprintf(stderr, "%s:%d: %s\n", pszScenario, error.line, error.message.c_str());
            return 2;
        }
    }
    std::error_code fault;
    std::filesystem::create_directories(outDir, fault);
    if (fault) {
        std::fprintf(stderr, "tal-demo: cannot create %s: %s\n", outDir.string().c_str(),
                     fault.message().c_str());
        return 1;
    }

    EventLog log;
    log.echo = true;
    CDemoHost host(log);
    if (!host.Open()) {
        std::fprintf(stderr, "tal-demo: cannot open the window\n");
        return 1;
    }
    if (pszScenario != nullptr) {
        ScenarioError error;
        std::vector<std::string> pictures;
        bool bDone = RunScenario(host, log, commands, outDir.string(), error, pictures);
        if (!bDone)
            std::fprintf(stderr, "%s:%d: %s\n", pszScenario, error.line, error.message.c_str());
        return Finish(bDone, pictures.size(), outDir);
    }
    CTour tour(host, log, outDir.string());
    bool bDone = tour.Run();
    return Finish(bDone, tour.Pictures().size(), outDir);
}
