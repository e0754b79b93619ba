// Insert, navigate, hit test and delete-all on the emulated tree view at 10^3 to 10^6 items.
#include <benchmark/benchmark.h>
#include <commctrl.h>
#include <emu/Emu.h>

#include <malloc.h>
#include <random>

namespace {

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    return msg == WM_NOTIFY ? 0 : DefWindowProcA(hwnd, msg, wp, lp);
}

struct Tree {
    HWND parent = nullptr, tree = nullptr;
    Tree() {
        emu::Reset();
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "BenchParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, "BenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                 nullptr, wc.hInstance, nullptr);
        tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT,
                               0, 0, 400, 400, parent, nullptr, wc.hInstance, nullptr);
    }
    ~Tree() { emu::Reset(); }
    HTREEITEM Insert(HTREEITEM under, const char* text, LPARAM data) {
        TVINSERTSTRUCTA is{};
        is.hParent = under;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT | TVIF_PARAM;
        is.item.pszText = const_cast<char*>(text);
        is.item.lParam = data;
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
    }
    // n items: a thousandth of them top-level, expanded, each holding an equal share of the rest.
    void Fill(int64_t n) {
        int64_t parents = std::max<int64_t>(1, n / 1000);
        HTREEITEM top = nullptr;
        for (int64_t k = 0; k < n; ++k) {
            if (k % (n / parents) == 0 && k / (n / parents) < parents) {
                if (top)
                    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
                top = Insert(TVI_ROOT, "a parent item", k);
            } else {
                Insert(top, "child item", k);
            }
        }
        SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(top));
    }
};

size_t HeapInUse() {
    struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// Runs first, while the process-wide item table is still empty: the heap it takes for a million items.
void Footprint(benchmark::State& state) {
    for (auto _ : state) {
        Tree t;
        size_t before = HeapInUse();
        t.Fill(state.range(0));
        state.counters["bytes/item"] =
            static_cast<double>(HeapInUse() - before) / static_cast<double>(state.range(0));
    }
}

void Insert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            Tree t;
            state.ResumeTiming();
            t.Fill(state.range(0));
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void Navigate(benchmark::State& state) {
    Tree t;
    t.Fill(state.range(0));
    for (auto _ : state) {
        int64_t seen = 0;
        for (HTREEITEM h = reinterpret_cast<HTREEITEM>(SendMessageA(t.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
             h;) {
            ++seen;
            auto next = reinterpret_cast<HTREEITEM>(
                SendMessageA(t.tree, TVM_GETNEXTITEM, TVGN_NEXTVISIBLE, reinterpret_cast<LPARAM>(h)));
            h = next;
        }
        benchmark::DoNotOptimize(seen);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void HitTest(benchmark::State& state) {
    Tree t;
    t.Fill(state.range(0));
    std::mt19937 random(7);
    for (auto _ : state) {
        int row = static_cast<int>(random() % static_cast<uint32_t>(state.range(0)));
        SendMessageA(t.tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, row & 0xFFFF), 0);
        TVHITTESTINFO info{{30, static_cast<LONG>(random() % 400)}, 0, nullptr};
        benchmark::DoNotOptimize(SendMessageA(t.tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
        SendMessageA(t.tree, WM_VSCROLL, SB_LINEDOWN, 0);
    }
}

void DeleteAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        {
            Tree t;
            t.Fill(state.range(0));
            state.ResumeTiming();
            SendMessageA(t.tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(Footprint)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Insert)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(Navigate)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(HitTest)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(DeleteAll)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
