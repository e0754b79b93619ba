// LoadLibraryA and FreeLibrary over the system's loader, and the entry points that the loader calls as
// Windows calls a library's DllMain. A library's static objects are constructed while it is being mapped and
// destroyed while it is being unmapped, so its entry registration, the last of them, attaches and detaches
// it.
#include "Loader.h"

#include "Modules.h"
#include "ResetHooks.h"

#include <emu/Modules.h>
#include <windows.h>

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace emu::detail {
namespace {

struct Attached {
    HMODULE module;
    emu::ModuleEntry entry;
};

struct Loader {
    std::vector<Attached> attached;
    std::vector<emu::ModuleEntryCall> calls;
    // LoadLibraryA and FreeLibrary calls under way; an entry point may load or free other libraries.
    int loading = 0;
    int freeing = 0;
    // Modules whose entry refused to attach while the current LoadLibraryA was mapping.
    std::vector<HMODULE> refused;
    // The system loader's handles that LoadLibraryA holds, one per successful call.
    std::map<HMODULE, std::vector<void*>> references;
};

Loader& State() {
    static Loader& loader = *new Loader;
    return loader;
}

const ResetHook resetCalls(ResetStage::Services, [] { State().calls.clear(); });

// The reserved argument of the entry for a module loaded with the process, and at the process's end.
LPVOID const kProcessLifetime = reinterpret_cast<LPVOID>(1);

BOOL Call(const Attached& target, DWORD reason, LPVOID reserved) {
    BOOL result = target.entry(target.module, reason, reserved);
    State().calls.push_back({target.module, reason, result});
    return result;
}

struct ThreadEnd {
    ~ThreadEnd() {
        if (gettid() == getpid())
            return;
        std::vector<Attached> attached = State().attached;
        for (const Attached& target : attached)
            Call(target, DLL_THREAD_DETACH, nullptr);
    }
};

void Attach(emu::ModuleEntry entry) {
    Loader& loader = State();
    Attached target{ModuleOfAddress(reinterpret_cast<const void*>(entry)), entry};
    bool byLoadLibrary = loader.loading > 0;
    LPVOID reserved = byLoadLibrary ? nullptr : kProcessLifetime;
    if (Call(target, DLL_PROCESS_ATTACH, reserved)) {
        loader.attached.push_back(target);
        return;
    }
    Call(target, DLL_PROCESS_DETACH, reserved);
    if (byLoadLibrary) {
        loader.refused.push_back(target.module);
        return;
    }
    std::fprintf(stderr, "%s: the library's initialisation failed\n", ModulePath(target.module).c_str());
    std::_Exit(EXIT_FAILURE);
}

void Detach(emu::ModuleEntry entry) {
    Loader& loader = State();
    auto it = std::find_if(loader.attached.begin(), loader.attached.end(),
                           [&](const Attached& a) { return a.entry == entry; });
    if (it == loader.attached.end())
        return;
    Attached target = *it;
    loader.attached.erase(it);
    Call(target, DLL_PROCESS_DETACH, loader.freeing > 0 ? nullptr : kProcessLifetime);
}

void* OpenFile(const std::string& file) {
    return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

// As Windows: a loaded module of that name first; a name without extension is a ".dll"; "x.dll" is the
// file "libx.so" or "x.dll", looked for in the executable's folder, then where the system's loader looks.
void* Open(const char* name) {
    if (HMODULE loaded = FindModule(name))
        return OpenFile(ModulePath(loaded));
    std::string file = name;
    if (IsPathName(name)) {
        std::replace(file.begin(), file.end(), '\\', '/');
        return OpenFile(file);
    }
    if (file.find('.') == std::string::npos)
        file += ".dll";
    std::vector<std::string> files;
    std::string lower = file;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.ends_with(".dll"))
        files.push_back("lib" + file.substr(0, file.size() - 4) + ".so");
    files.push_back(file);
    std::string executable = ModulePath(ExecutableModule());
    std::string folder = executable.substr(0, executable.find_last_of('/') + 1);
    for (const std::string& candidate : files) {
        for (const std::string& path : {folder + candidate, candidate}) {
            if (void* handle = OpenFile(path))
                return handle;
        }
    }
    return nullptr;
}

void Close(void* handle) {
    Loader& loader = State();
    ++loader.freeing;
    dlclose(handle);
    --loader.freeing;
    ForgetUnloadedModules();
}

} // namespace

void WatchThreadEnd() {
    thread_local ThreadEnd end;
}

} // namespace emu::detail

using namespace emu::detail;

emu::ModuleEntryRegistration::ModuleEntryRegistration(ModuleEntry entry) : m_entry(entry) {
    Attach(m_entry);
}

emu::ModuleEntryRegistration::~ModuleEntryRegistration() {
    Detach(m_entry);
}

const std::vector<emu::ModuleEntryCall>& emu::ModuleEntryCalls() {
    return State().calls;
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    WatchThreadEnd();
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    Loader& loader = State();
    std::vector<HMODULE> outerRefused = std::exchange(loader.refused, {});
    ++loader.loading;
    void* handle = *lpLibFileName ? Open(lpLibFileName) : nullptr;
    --loader.loading;
    std::vector<HMODULE> refused = std::exchange(loader.refused, std::move(outerRefused));
    if (!handle) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    if (!refused.empty()) {
        Close(handle);
        SetLastError(ERROR_DLL_INIT_FAILED);
        return nullptr;
    }
    link_map* map = nullptr;
    dlinfo(handle, RTLD_DI_LINKMAP, &map);
    HMODULE module = ModuleOfAddress(map->l_ld);
    loader.references[module].push_back(handle);
    return module;
}

BOOL WINAPI FreeLibrary(HMODULE hLibModule) {
    WatchThreadEnd();
    HMODULE module = hLibModule ? ResolveModule(hLibModule) : nullptr;
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    Loader& loader = State();
    auto it = loader.references.find(module);
    // A module that came with the process stays until its end.
    if (it == loader.references.end())
        return TRUE;
    void* handle = it->second.back();
    it->second.pop_back();
    if (it->second.empty())
        loader.references.erase(it);
    Close(handle);
    return TRUE;
}
