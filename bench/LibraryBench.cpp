// The library's operations at 10^3 to 10^6 items on the emulated tree view: filling (AddItem, both imports,
// and the imports' record-by-record definitions for comparison), searching and addressing at their worst,
// expanding, checking a whole branch, hit tests and scrolling in a large expanded tree, and deleting all.
// Each reports items per second where it handles items; the footprint benchmarks report heap bytes per item,
// each measured in a process of its own so that no earlier tree's memory is counted or reused.
#include <benchmark/benchmark.h>
#include <ImportReference.h>

#include "BenchHost.h"
#include "Footprint.h"

#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// A folder-like set of n file paths: Root\dN\dN\dN\file N.txt, ten files a folder and ten folders a folder.
void MakePaths(CStringArray& paths, long n) {
    paths.SetSize(n);
    char text[96];
    for (long k = 0; k < n; ++k) {
        std::snprintf(text, sizeof text, "Root\\d%ld\\d%ld\\d%ld\\file %ld.txt", k / 1000, k / 100 % 10,
                      k / 10 % 10, k);
        paths[k] = text;
    }
}

// Fills the tree with n items through the control, in one of the shapes; the handles in order.
std::vector<HTREEITEM> Fill(COrnTreeCtrl& tree, Shape shape, long n) {
    std::vector<HTREEITEM> items;
    items.reserve(static_cast<size_t>(n));
    for (long k = 0; k < n; ++k) {
        long parent = ParentID(shape, k);
        HTREEITEM hParent = parent < 0 ? TVI_ROOT : items[static_cast<size_t>(parent - 1)];
        items.push_back(tree.AddItem(hParent, "item", TVI_LAST, 0, 0, k + 1));
    }
    return items;
}

void Items(benchmark::State& state, long n) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * n);
}

// --- Filling ---------------------------------------------------------------------------------------------

void AddItem(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    for (auto _ : state) {
        state.PauseTiming();
        Empty(t.tree);
        state.ResumeTiming();
        HTREEITEM hRoot = t.tree.AddItem(TVI_ROOT, "root", TVI_LAST, 0, 0, 1);
        for (long k = 1; k < n; ++k)
            t.tree.AddItem(hRoot, "item", TVI_LAST, 0, 0, k + 1);
    }
    Items(state, n);
}

template <Shape shape, bool bReference> void ImpByIds(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    CStringArray records;
    MakeRecords(records, shape, n);
    for (auto _ : state) {
        state.PauseTiming();
        Empty(t.tree);
        state.ResumeTiming();
        HTREEITEM hItem =
            bReference ? ReferenceImpByIds(t.tree, &records, false, n) : t.tree.ImpByIds(&records, false, n);
        benchmark::DoNotOptimize(hItem);
    }
    Items(state, n);
}

template <bool bReference> void ImpByPaths(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    CStringArray paths;
    MakePaths(paths, n);
    for (auto _ : state) {
        state.PauseTiming();
        Empty(t.tree);
        state.ResumeTiming();
        if (bReference)
            ReferenceImpByPaths(t.tree, &paths, false);
        else
            t.tree.ImpByPaths(&paths, 0, false);
    }
    state.counters["items"] = static_cast<double>(t.tree.GetCount());
    Items(state, n);
}

// --- Searching and addressing at their worst ---------------------------------------------------------------

// An ID that no item has: the whole branch is walked.
void FindHandleByID(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    Fill(t.tree, Shape::Balanced, n);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.tree.FindHandleByID(n + 1, t.tree.GetRootItem()));
    Items(state, n);
}

// The last of n children: every sibling's text is compared before it.
void GetItemByDirFlat(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    HTREEITEM hRoot = t.tree.AddItem(TVI_ROOT, "root", TVI_LAST, 0, 0, 1);
    for (long k = 1; k < n; ++k)
        t.tree.AddItem(hRoot, ("item " + std::to_string(k)).c_str(), TVI_LAST, 0, 0, k + 1);
    CString strPath;
    strPath.Format("root\\item %ld", n - 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.tree.GetItemByDir(strPath));
    Items(state, n);
}

// The bottom of a chain n deep, by its path of n components.
void GetItemByDirDeep(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    std::vector<HTREEITEM> chain = Fill(t.tree, Shape::Chain, n);
    CString strPath;
    t.tree.GetItemDir(strPath, chain.back());
    for (auto _ : state)
        benchmark::DoNotOptimize(t.tree.GetItemByDir(strPath));
    Items(state, n);
}

void GetItemDirDeep(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    std::vector<HTREEITEM> chain = Fill(t.tree, Shape::Chain, n);
    CString strPath;
    for (auto _ : state) {
        t.tree.GetItemDir(strPath, chain.back());
        benchmark::DoNotOptimize(strPath.GetLength());
    }
    Items(state, n);
}

template <Shape shape> void GetLeafDirs(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    Fill(t.tree, shape, n);
    for (auto _ : state) {
        CStringArray leaves;
        COrnTreeCtrl::GetLeafDirs(t.tree, "item", t.tree.GetRootItem(), leaves);
        benchmark::DoNotOptimize(leaves.GetSize());
    }
    Items(state, n);
}

// --- Expanding and checking --------------------------------------------------------------------------------

// again: the branch was expanded before, so every item is shown already.
template <Shape shape, bool again> void ExpandAll(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        {
            Tree t;
            Fill(t.tree, shape, n);
            if (again)
                t.tree.ExpandAll(t.tree.GetRootItem());
            state.ResumeTiming();
            t.tree.ExpandAll(t.tree.GetRootItem());
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    Items(state, n);
}

// A click on the root's box checks or unchecks all n - 1 descendants. The label says how many freed items
// the process held when the tree was filled (the benchmark's first, shorter run of a size frees its tree).
void ClickItem(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    long long nFreedBefore = g_nItemsFreed;
    Host<COrnCheckTreeCtrl> t;
    Fill(t.tree, Shape::Balanced, n);
    for (auto _ : state)
        benchmark::DoNotOptimize(t.tree.ClickItem(t.tree.GetRootItem()));
    Items(state, n);
    state.SetLabel("filled after " + std::to_string(nFreedBefore) + " items freed");
}

// Clicks on the top and on the bottom item of a chain: the first writes every item below it, the second
// climbs to the top writing every item above it; collapsed or, with expanded, every level shown.
template <bool expanded> void CheckChain(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Host<COrnCheckTreeCtrl> t;
    std::vector<HTREEITEM> chain = Fill(t.tree, Shape::Chain, n);
    if (expanded)
        t.tree.ExpandAll(chain.front());
    for (auto _ : state) {
        benchmark::DoNotOptimize(t.tree.ClickItem(chain.front()));
        benchmark::DoNotOptimize(t.tree.ClickItem(chain.back()));
    }
    Items(state, 2 * n);
}

// --- One request
// ---------------------------------------------------------------------------------------------

// One SendMessageA round trip: the framework's dispatch for the subclassed tree finds no handler of its own
// and passes TVM_GETNEXTITEM to the tree view's procedure, whose answer comes back the same way.
void RoundTrip(benchmark::State& state) {
    Tree t;
    HTREEITEM hRoot = t.tree.AddItem(TVI_ROOT, "root", TVI_LAST, 0, 0, 1);
    t.tree.AddItem(hRoot, "item", TVI_LAST, 0, 0, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ::SendMessageA(t.tree.m_hWnd, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(hRoot)));
}

// --- Hit tests and scrolling in a large expanded tree ------------------------------------------------------

// n items: a thousandth of them top-level, expanded, each holding an equal share of the rest.
std::vector<HTREEITEM> FillExpanded(COrnTreeCtrl& tree, long n) {
    std::vector<HTREEITEM> items;
    items.reserve(static_cast<size_t>(n));
    long nTop = std::max(1L, n / 1000);
    HTREEITEM hTop = nullptr;
    for (long k = 0; k < n; ++k) {
        if (k % (n / nTop) == 0 && k / (n / nTop) < nTop) {
            if (hTop)
                tree.Expand(hTop, TVE_EXPAND);
            hTop = tree.AddItem(TVI_ROOT, "a parent item", TVI_LAST, 0, 0, k + 1);
            items.push_back(hTop);
        } else {
            items.push_back(tree.AddItem(hTop, "child item", TVI_LAST, 0, 0, k + 1));
        }
    }
    tree.Expand(hTop, TVE_EXPAND);
    return items;
}

// Scrolls a random item to the top, then asks which item is at a random point.
void HitTest(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    std::vector<HTREEITEM> items = FillExpanded(t.tree, n);
    std::mt19937 random(7);
    for (auto _ : state) {
        t.tree.SelectSetFirstVisible(items[random() % items.size()]);
        benchmark::DoNotOptimize(t.tree.HitTest(CPoint(40, static_cast<int>(random() % 400))));
    }
}

// One line down at a time, from the top to the bottom and again.
void LineScroll(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    std::vector<HTREEITEM> items = FillExpanded(t.tree, n);
    long nLine = 0;
    for (auto _ : state) {
        if (++nLine == n) {
            t.tree.SendMessage(WM_VSCROLL, SB_TOP, 0);
            nLine = 0;
        }
        t.tree.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
    }
    benchmark::DoNotOptimize(t.tree.GetFirstVisibleItem());
}

void DeleteAll(benchmark::State& state) {
    long n = static_cast<long>(state.range(0));
    Tree t;
    for (auto _ : state) {
        state.PauseTiming();
        FillExpanded(t.tree, n);
        state.ResumeTiming();
        t.tree.DeleteAllItems();
        g_nItemsFreed += n;
    }
    Items(state, n);
}

// --- Footprint ---------------------------------------------------------------------------------------------

// Runs a fill in a child process, on a fresh tree, with every allocation taken from the main heap and the
// heap never given back, so that its size after the fill is its highest during it. The fill's input is made
// before the measurement.
CFootprint Measure(const std::function<std::function<void(CBenchTree&)>()>& prepare) {
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    pid_t pid = fork();
    if (pid == 0) {
        HoldHeap();
        CFootprint result;
        {
            Tree t;
            std::function<void(CBenchTree&)> fill = prepare();
            result = MeasureHeap([&] {
                fill(t.tree);
                return t.tree.GetCount();
            });
        }
        ssize_t written = write(fds[1], &result, sizeof result);
        _exit(written == sizeof result ? 0 : 1);
    }
    CFootprint result;
    if (read(fds[0], &result, sizeof result) != sizeof result)
        result = {};
    close(fds[0]);
    close(fds[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    return result;
}

// prepare(n) makes the input of n items and gives the fill that uses it.
void Footprint(benchmark::State& state, std::function<std::function<void(CBenchTree&)>(long)> prepare) {
    long n = static_cast<long>(state.range(0));
    for (auto _ : state) {
        CFootprint footprint = Measure([&] { return prepare(n); });
        state.counters["bytes/item"] = footprint.inUse;
        state.counters["peak bytes/item"] = footprint.peak;
    }
}

// Small inputs are repeated until the time is long enough; the largest run a few times.
void Sizes(benchmark::internal::Benchmark* b) {
    b->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_CAPTURE(Footprint, AddItem,
                  [](long n) {
                      return std::function<void(CBenchTree&)>(
                          [n](CBenchTree& tree) { Fill(tree, Shape::Flat, n); });
                  })
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Footprint, ImpByIds,
                  [](long n) {
                      auto records = std::make_shared<CStringArray>();
                      MakeRecords(*records, Shape::Balanced, n);
                      return std::function<void(CBenchTree&)>(
                          [records](CBenchTree& tree) { tree.ImpByIds(records.get(), false, 0); });
                  })
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Footprint, ImpByPaths,
                  [](long n) {
                      auto paths = std::make_shared<CStringArray>();
                      MakePaths(*paths, n);
                      return std::function<void(CBenchTree&)>(
                          [paths](CBenchTree& tree) { tree.ImpByPaths(paths.get(), 0, false); });
                  })
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

BENCHMARK(AddItem)->Apply(Sizes);
BENCHMARK_TEMPLATE(ImpByIds, Shape::Flat, false)->Name("ImpByIds/flat")->Apply(Sizes);
BENCHMARK_TEMPLATE(ImpByIds, Shape::Balanced, false)->Name("ImpByIds/balanced")->Apply(Sizes);
BENCHMARK_TEMPLATE(ImpByIds, Shape::Chain, false)->Name("ImpByIds/chain")->Apply(Sizes);
BENCHMARK_TEMPLATE(ImpByPaths, false)->Name("ImpByPaths/folders")->Apply(Sizes);
// The definitions grow with the square of the input: up to 10^5, once each at the larger sizes.
BENCHMARK_TEMPLATE(ImpByIds, Shape::Flat, true)
    ->Name("ImpByIdsReference/flat")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(ImpByIds, Shape::Flat, true)
    ->Name("ImpByIdsReference/flat")
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(ImpByPaths, true)
    ->Name("ImpByPathsReference/folders")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(ImpByPaths, true)
    ->Name("ImpByPathsReference/folders")
    ->Arg(100000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(FindHandleByID)->Apply(Sizes);
BENCHMARK(GetItemByDirFlat)->Name("GetItemByDir/flat")->Apply(Sizes);
BENCHMARK(GetItemByDirDeep)->Name("GetItemByDir/chain")->Apply(Sizes);
BENCHMARK(GetItemDirDeep)->Name("GetItemDir/chain")->Apply(Sizes);
BENCHMARK_TEMPLATE(GetLeafDirs, Shape::Balanced)->Name("GetLeafDirs/balanced")->Apply(Sizes);
BENCHMARK_TEMPLATE(GetLeafDirs, Shape::Chain)->Name("GetLeafDirs/chain")->Apply(Sizes);
BENCHMARK_TEMPLATE(ExpandAll, Shape::Balanced, false)->Name("ExpandAll/balanced")->Apply(Sizes);
BENCHMARK_TEMPLATE(ExpandAll, Shape::Chain, false)->Name("ExpandAll/chain")->Apply(Sizes);
BENCHMARK_TEMPLATE(ExpandAll, Shape::Chain, true)->Name("ExpandAll/expanded_chain")->Apply(Sizes);
BENCHMARK(ClickItem)->Apply(Sizes);
BENCHMARK_TEMPLATE(CheckChain, false)->Name("CheckChain/collapsed")->Apply(Sizes);
BENCHMARK_TEMPLATE(CheckChain, true)->Name("CheckChain/expanded")->Apply(Sizes);
BENCHMARK(RoundTrip)->Name("SendMessage/TVM_GETNEXTITEM")->Unit(benchmark::kNanosecond);
BENCHMARK(HitTest)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(LineScroll)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteAll)->Apply(Sizes);
BENCHMARK_MAIN();
