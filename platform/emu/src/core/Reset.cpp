// emu::Reset: every part of the emulation clears its state through its reset hooks, stage by stage; the
// core's first stage removes the hooks and destroys every window, its last forgets the classes of modules
// other than the emulation's own.
#include "core/Core.h"

#include "ResetHooks.h"
#include "emu/Session.h"

#include <algorithm>

namespace emu::detail {
namespace {

struct Entry {
    ResetStage stage;
    void (*reset)();
};

std::vector<Entry>& Registry() {
    static std::vector<Entry> entries;
    return entries;
}

void DestroyAllWindows() {
    core::ClearHooks();
    // Windows created while others are destroyed are destroyed on the next pass.
    for (int pass = 0; pass < 8; ++pass) {
        std::vector<HWND> tops = core::TopLevelWindows();
        if (tops.empty())
            break;
        for (HWND h : tops) {
            if (core::Window* w = core::Find(h))
                core::DestroyTree(w);
        }
    }
}

HMODULE EmulationModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&DestroyAllWindows), &module);
    return module;
}

const ResetHook windows(ResetStage::Windows, DestroyAllWindows);
const ResetHook classes(ResetStage::Last, [] { core::UnregisterClassesExcept(EmulationModule()); });

} // namespace

ResetHook::ResetHook(ResetStage stage, void (*reset)()) {
    Registry().push_back(Entry{stage, reset});
}

void RunResetHooks() {
    std::vector<Entry> entries = Registry();
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.stage < b.stage; });
    for (const Entry& e : entries)
        e.reset();
}

} // namespace emu::detail

namespace emu {

void Reset() {
    detail::RunResetHooks();
}

} // namespace emu
