// Each ELF object is a module. Its handle is given out the first time the module is seen and stays the same
// for the life of the process: the executable is 0x00400000 and libraries follow from 0x10000000 in 64 KB
// steps, the way Windows modules look.
#include "Modules.h"

#include "Handles.h"
#include "Loader.h"
#include "ResetHooks.h"

#include <emu/Modules.h>
#include <windows.h>

#include <dlfcn.h>
#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace emu::detail {
namespace {

constexpr uint32_t executableHandle = 0x00400000;
constexpr uint32_t firstLibraryHandle = 0x10000000;
constexpr uint32_t libraryHandleStep = 0x10000;

struct Module {
    const void* base;
    uint32_t handle;
    std::string path;
};

struct Modules {
    std::vector<Module> list;
    uint32_t nextLibrary = firstLibraryHandle;
};

Modules& State() {
    static Modules& modules = *new Modules;
    WatchThreadEnd();
    return modules;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string CanonicalPath(const char* path) {
    char buffer[PATH_MAX];
    return realpath(path, buffer) ? std::string(buffer) : std::string(path);
}

// The base that dladdr reports for the executable's own addresses.
const void* ExecutableBase() {
    static const void* base = [] {
        const void* found = nullptr;
        dl_iterate_phdr(
            [](dl_phdr_info* info, size_t, void* data) {
                for (int i = 0; i < info->dlpi_phnum; ++i) {
                    if (info->dlpi_phdr[i].p_type != PT_LOAD)
                        continue;
                    Dl_info dl{};
                    auto address =
                        reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                    if (dladdr(address, &dl))
                        *static_cast<const void**>(data) = dl.dli_fbase;
                    break;
                }
                return 1; // the first object is the executable
            },
            &found);
        return found;
    }();
    return base;
}

const Module& Register(const void* base, const char* fileName) {
    Modules& modules = State();
    auto it = std::find_if(modules.list.begin(), modules.list.end(),
                           [&](const Module& m) { return m.base == base; });
    if (it != modules.list.end())
        return *it;
    if (base == ExecutableBase()) {
        modules.list.push_back({base, executableHandle, ExecutablePath()});
    } else {
        modules.list.push_back({base, modules.nextLibrary, CanonicalPath(fileName)});
        modules.nextLibrary += libraryHandleStep;
    }
    return modules.list.back();
}

HMODULE HandleOf(const Module& module) {
    return ToHandle<HMODULE>(module.handle);
}

const Module* FindByHandle(HMODULE module) {
    uint32_t value = FromHandle(module);
    if (value == executableHandle)
        return &Register(ExecutableBase(), nullptr);
    for (const Module& m : State().list)
        if (m.handle == value)
            return &m;
    return nullptr;
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name a Windows build would give the module: "libx.so" (or "libx.so.1") is "x.dll", the executable
// "name" is "name.exe".
std::string WindowsName(const Module& module) {
    std::string base = Lower(BaseName(module.path));
    if (module.handle == executableHandle)
        return base.find('.') == std::string::npos ? base + ".exe" : base;
    size_t so = base.find(".so");
    if (so != std::string::npos)
        base.erase(so);
    if (base.starts_with("lib"))
        base.erase(0, 3);
    return base + ".dll";
}

bool NameMatches(const Module& module, std::string name) {
    name = Lower(name);
    if (IsPathName(name.c_str()))
        return name == Lower(module.path);
    if (name.find('.') == std::string::npos)
        name += ".dll";
    return name == Lower(BaseName(module.path)) || name == WindowsName(module);
}

// Calls visit(base, file name, program headers) for each mapped object, in load order, until it returns
// true.
template <class Visit> void ForEachMapped(Visit visit) {
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type != PT_LOAD)
                    continue;
                Dl_info dl{};
                auto address = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                if (!dladdr(address, &dl))
                    return 0;
                return (*static_cast<Visit*>(data))(dl.dli_fbase, dl.dli_fname, *info) ? 1 : 0;
            }
            return 0;
        },
        &visit);
}

size_t AlignTo(size_t offset, size_t alignment) {
    return (offset + alignment - 1) / alignment * alignment;
}

// Adds the descriptors of the notes of that owner and type in one PT_NOTE segment.
void ReadNotes(const BYTE* segment, size_t size, size_t alignment, std::string_view owner, uint32_t type,
               std::vector<std::span<const BYTE>>& found) {
    constexpr size_t kHeader = 12; // namesz, descsz, type
    for (size_t at = 0; size - at >= kHeader;) {
        uint32_t fields[3];
        std::memcpy(fields, segment + at, sizeof fields);
        size_t name = at + kHeader;
        size_t desc = name + AlignTo(fields[0], alignment);
        if (desc < name || desc > size || fields[1] > size - desc)
            return;
        std::string_view noteOwner(reinterpret_cast<const char*>(segment + name), fields[0]);
        if (fields[2] == type && noteOwner.size() == owner.size() + 1 && noteOwner.starts_with(owner) &&
            noteOwner.back() == '\0')
            found.emplace_back(segment + desc, fields[1]);
        at = desc + AlignTo(fields[1], alignment);
    }
}

HMODULE FindByName(const char* name) {
    HMODULE found = nullptr;
    ForEachMapped([&](const void* base, const char* fileName, const dl_phdr_info&) {
        const Module& module = Register(base, fileName);
        if (NameMatches(module, name))
            found = HandleOf(module);
        return found != nullptr;
    });
    return found;
}

struct FileNameFailure {
    std::string name;
    UINT successes;
};

std::optional<FileNameFailure>& Failure() {
    static std::optional<FileNameFailure>& failure = *new std::optional<FileNameFailure>;
    return failure;
}

const ResetHook resetFailure(ResetStage::Services, [] { Failure().reset(); });

bool QueryFails(const Module& module) {
    std::optional<FileNameFailure>& failure = Failure();
    if (!failure || !NameMatches(module, failure->name))
        return false;
    if (failure->successes == 0)
        return true;
    --failure->successes;
    return false;
}

} // namespace

HMODULE ModuleOfAddress(const void* address) {
    Dl_info dl{};
    if (!address || !dladdr(address, &dl) || !dl.dli_fbase)
        return nullptr;
    return HandleOf(Register(dl.dli_fbase, dl.dli_fname));
}

HMODULE ExecutableModule() {
    return ToHandle<HMODULE>(executableHandle);
}

HMODULE ResolveModule(HMODULE module) {
    if (!module)
        return ExecutableModule();
    const Module* found = FindByHandle(module);
    return found ? HandleOf(*found) : nullptr;
}

bool IsPathName(const char* name) {
    return std::strpbrk(name, "/\\") != nullptr;
}

HMODULE FindModule(const char* name) {
    return FindByName(name);
}

std::string ModulePath(HMODULE module) {
    const Module* found = FindByHandle(module);
    return found ? found->path : std::string();
}

std::vector<std::span<const BYTE>> ModuleNotes(HMODULE module, std::string_view owner, uint32_t type) {
    std::vector<std::span<const BYTE>> found;
    const Module* wanted = FindByHandle(module);
    if (!wanted)
        return found;
    ForEachMapped([&](const void* base, const char*, const dl_phdr_info& info) {
        if (base != wanted->base)
            return false;
        for (int i = 0; i < info.dlpi_phnum; ++i) {
            const ElfW(Phdr)& header = info.dlpi_phdr[i];
            if (header.p_type == PT_NOTE)
                ReadNotes(reinterpret_cast<const BYTE*>(info.dlpi_addr + header.p_vaddr), header.p_memsz,
                          header.p_align == 8 ? 8 : 4, owner, type, found);
        }
        return true;
    });
    return found;
}

void ForgetUnloadedModules() {
    std::vector<const void*> mapped;
    ForEachMapped([&](const void* base, const char*, const dl_phdr_info&) {
        mapped.push_back(base);
        return false;
    });
    std::erase_if(State().list, [&](const Module& module) {
        return module.handle != executableHandle &&
               std::find(mapped.begin(), mapped.end(), module.base) == mapped.end();
    });
}

} // namespace emu::detail

using namespace emu::detail;

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName)
        return ExecutableModule();
    HMODULE module = FindByName(lpModuleName);
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

BOOL WINAPI GetModuleHandleExA(DWORD dwFlags, LPCSTR lpModuleName, HMODULE* phModule) {
    constexpr DWORD known = GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT |
                            GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS;
    constexpr DWORD pinAndUnchanged =
        GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
    if (phModule)
        *phModule = nullptr;
    if (!phModule || (dwFlags & ~known) || (dwFlags & pinAndUnchanged) == pinAndUnchanged) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HMODULE module = (dwFlags & GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS) ? ModuleOfAddress(lpModuleName)
                                                                        : GetModuleHandleA(lpModuleName);
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return FALSE;
    }
    *phModule = module;
    return TRUE;
}

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    const Module* module = hModule ? FindByHandle(hModule) : FindByHandle(ExecutableModule());
    if (!module) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (QueryFails(*module)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    const std::string& path = module->path;
    if (path.size() >= nSize) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

void emu::FailModuleFileName(LPCSTR moduleName, UINT successes) {
    if (moduleName)
        Failure() = FileNameFailure{moduleName, successes};
    else
        Failure().reset();
}
