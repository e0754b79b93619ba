// The demo host: opens the window with the three controls, runs the guided tour with simulated input and
// leaves a picture of the window after each step.
#include "Tour.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    std::filesystem::path outDir = argc > 1 ? argv[1] : "tal-demo-pictures";
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    if (error) {
        std::fprintf(stderr, "tal-demo: cannot create %s: %s\n", outDir.string().c_str(),
                     error.message().c_str());
        return 1;
    }
    EventLog log;
    log.echo = true;
    CDemoHost host(log);
    if (!host.Open()) {
        std::fprintf(stderr, "tal-demo: cannot open the window\n");
        return 1;
    }
    CTour tour(host, log, outDir.string());
    bool bDone = tour.Run();
    std::printf("%zu pictures in %s\n", tour.Pictures().size(),
                std::filesystem::absolute(outDir).string().c_str());
    return bDone ? 0 : 1;
}
