// The library's ID import against two peers, filling the same records into a shown tree: a hand-written
// host on the emulated tree view (the floor: one insertion request per record) and Qt 5's QTreeWidget.
// Flat and balanced shapes of 10^4 to 10^6 records; CPU and wall time of the fill, warm, best of three, and
// heap bytes per item at 10^6. Every cell runs in a fresh process: the program starts itself once per cell
// with --cell, and prints the tables in Markdown when all are done.
#include "Footprint.h"
#include "PeerHost.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kHosts[] = {"library", "floor", "qt"};
constexpr Shape kShapes[] = {Shape::Flat, Shape::Balanced};
constexpr long kSizes[] = {10000, 100000, 1000000};
constexpr long kFootprintSize = 1000000;
constexpr int kRepetitions = 3;

const char* ShapeName(Shape shape) {
    return shape == Shape::Flat ? "flat" : "balanced";
}

std::unique_ptr<PeerHost> MakeHost(const std::string& name) {
    if (name == "library")
        return MakeLibraryHost();
    if (name == "floor")
        return MakeFloorHost();
    if (name == "qt")
        return MakeQtHost();
    return nullptr;
}

double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double WallMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

// One cell in this process: "time" prints the best CPU and wall milliseconds of the timed fills after one
// untimed fill, "memory" the heap bytes per item after one fill and at its highest; both then the items.
int RunCell(const std::string& hostName, const std::string& shapeName, long n, const std::string& mode) {
    bool memory = mode == "memory";
    if (memory)
        HoldHeap();
    std::unique_ptr<PeerHost> host = MakeHost(hostName);
    if (!host || (shapeName != "flat" && shapeName != "balanced") || n <= 0 || (!memory && mode != "time"))
        return 2;
    host->Prepare(shapeName == "flat" ? Shape::Flat : Shape::Balanced, n);
    long items = 0;
    if (memory) {
        CFootprint footprint = MeasureHeap([&] { return items = host->Fill(); });
        std::printf("%.1f %.1f %ld\n", footprint.inUse, footprint.peak, items);
        return 0;
    }
    host->Fill();
    host->Clear();
    double cpu = std::numeric_limits<double>::infinity(), wall = cpu;
    for (int r = 0; r < kRepetitions; ++r) {
        double cpu0 = CpuMs(), wall0 = WallMs();
        items = host->Fill();
        cpu = std::min(cpu, CpuMs() - cpu0);
        wall = std::min(wall, WallMs() - wall0);
        host->Clear();
    }
    std::printf("%.3f %.3f %ld\n", cpu, wall, items);
    return 0;
}

// Two figures of a cell, or none when its process failed.
struct Figures {
    bool ok = false;
    double first = 0, second = 0;
};

// Runs one cell in a fresh process of this program and reads its line; the items must be n.
Figures Spawn(const char* self, const char* host, Shape shape, long n, const char* mode) {
    std::string size = std::to_string(n);
    std::vector<char*> args{const_cast<char*>(self),
                            const_cast<char*>("--cell"),
                            const_cast<char*>(host),
                            const_cast<char*>(ShapeName(shape)),
                            size.data(),
                            const_cast<char*>(mode),
                            nullptr};
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    int failed = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string out;
    char buffer[256];
    for (ssize_t got; !failed && (got = read(fds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, static_cast<size_t>(got));
    close(fds[0]);
    int status = 0;
    if (failed || waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    Figures figures;
    long items = 0;
    figures.ok =
        std::sscanf(out.c_str(), "%lf %lf %ld", &figures.first, &figures.second, &items) == 3 && items == n;
    return figures;
}

std::string Number(const Figures& f, bool second) {
    if (!f.ok)
        return "failed";
    // Three significant digits, or whole numbers from 100 on.
    double value = second ? f.second : f.first;
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", value < 10 ? 2 : value < 100 ? 1 : 0, value);
    return text;
}

std::string Ratio(const Figures& a, const Figures& b, bool second) {
    if (!a.ok || !b.ok)
        return "";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", second ? a.second / b.second : a.first / b.first);
    return text;
}

std::string Load() {
    double load[3] = {};
    if (getloadavg(load, 3) != 3)
        return "unknown";
    char text[48];
    std::snprintf(text, sizeof text, "%.2f %.2f %.2f", load[0], load[1], load[2]);
    return text;
}

// The three hosts' figures of one shape and size.
struct Row {
    Shape shape;
    long n;
    Figures hosts[3];
};

void PrintTimes(const std::vector<Row>& rows, bool wall) {
    std::printf("\n%s time of the fill, ms (warm, best of %d, each cell in a fresh process):\n\n",
                wall ? "Wall" : "CPU", kRepetitions);
    std::printf("| shape | n | library | floor | Qt | library/Qt | library/floor |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    for (const Row& row : rows)
        std::printf("| %s | %ld | %s | %s | %s | %s | %s |\n", ShapeName(row.shape), row.n,
                    Number(row.hosts[0], wall).c_str(), Number(row.hosts[1], wall).c_str(),
                    Number(row.hosts[2], wall).c_str(), Ratio(row.hosts[0], row.hosts[2], wall).c_str(),
                    Ratio(row.hosts[0], row.hosts[1], wall).c_str());
}

void PrintMemory(const std::vector<Row>& rows) {
    std::printf("\nHeap bytes per item after the fill (at its highest during the fill), n = %ld:\n\n",
                kFootprintSize);
    std::printf("| shape | library | floor | Qt | library/Qt | library/floor |\n");
    std::printf("|---|---|---|---|---|---|\n");
    for (const Row& row : rows) {
        std::string cells[3];
        for (int h = 0; h < 3; ++h)
            cells[h] = Number(row.hosts[h], false) +
                       (row.hosts[h].ok ? " (" + Number(row.hosts[h], true) + ")" : "");
        std::printf("| %s | %s | %s | %s | %s | %s |\n", ShapeName(row.shape), cells[0].c_str(),
                    cells[1].c_str(), cells[2].c_str(), Ratio(row.hosts[0], row.hosts[2], false).c_str(),
                    Ratio(row.hosts[0], row.hosts[1], false).c_str());
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[1], "--cell") == 0)
        return RunCell(argv[2], argv[3], std::atol(argv[4]), argv[5]);
    if (argc != 1) {
        std::fprintf(stderr, "usage: %s\n", argv[0]);
        return 2;
    }
    std::string loadBefore = Load();
    std::vector<Row> times, memory;
    for (Shape shape : kShapes) {
        for (long n : kSizes) {
            Row row{shape, n, {}};
            for (int h = 0; h < 3; ++h) {
                std::fprintf(stderr, "time %s %s %ld\n", kHosts[h], ShapeName(shape), n);
                row.hosts[h] = Spawn(argv[0], kHosts[h], shape, n, "time");
            }
            times.push_back(row);
        }
        Row row{shape, kFootprintSize, {}};
        for (int h = 0; h < 3; ++h) {
            std::fprintf(stderr, "memory %s %s %ld\n", kHosts[h], ShapeName(shape), kFootprintSize);
            row.hosts[h] = Spawn(argv[0], kHosts[h], shape, kFootprintSize, "memory");
        }
        memory.push_back(row);
    }
    std::printf(
        "peer_bench: library = the library's ImpByIds; floor = one TVM_INSERTITEM per record and a hash "
        "table, on the emulation; Qt = QTreeWidget on the offscreen platform.\n");
    std::printf("Load average before: %s; after: %s.\n", loadBefore.c_str(), Load().c_str());
    PrintTimes(times, false);
    PrintTimes(times, true);
    PrintMemory(memory);
    bool ok = true;
    for (const std::vector<Row>* rows : {&times, &memory})
        for (const Row& row : *rows)
            for (const Figures& f : row.hosts)
                ok = ok && f.ok;
    return ok ? 0 : 1;
}
