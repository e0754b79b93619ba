// Keyboard accelerator tables, from ACCELERATORS resources (entries of 8 bytes: flags, key, command and
// padding, the last one flagged 0x80) or from ACCEL arrays, and their translation of key messages into
// commands. A table loaded from a resource is loaded once: loading it again gives the same handle until it
// is destroyed.
#include "ResetHooks.h"
#include "services/Handles.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

namespace emu::detail {
namespace {

constexpr WORD kLastEntry = 0x80;
constexpr BYTE kKeptFlags = 0x7F;
constexpr size_t kResourceEntrySize = 8;

struct AcceleratorTable {
    std::vector<ACCEL> entries;
};

struct Accelerators {
    HandleTable<AcceleratorTable> tables{0x54};
    // The table each resource was loaded into, by HRSRC value.
    std::map<uint32_t, uint32_t> loaded;
};

Accelerators& State() {
    static auto& state = *new Accelerators;
    return state;
}

const ResetHook reset(ResetStage::Services, [] {
    State().tables.Clear();
    State().loaded.clear();
});

AcceleratorTable* FindOrFail(HACCEL handle) {
    AcceleratorTable* table = State().tables.Find(FromHandle(handle));
    if (!table)
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return table;
}

HACCEL Add(std::vector<ACCEL> entries) {
    return ToHandle<HACCEL>(State().tables.Add(AcceleratorTable{std::move(entries)}));
}

std::vector<ACCEL> ReadResource(const BYTE* data, size_t size) {
    std::vector<ACCEL> entries;
    for (size_t at = 0; data && at + kResourceEntrySize <= size; at += kResourceEntrySize) {
        auto word = [&](size_t offset) {
            return static_cast<WORD>(data[at + offset] | data[at + offset + 1] << 8);
        };
        WORD flags = word(0);
        entries.push_back({static_cast<BYTE>(flags & kKeptFlags), word(2), word(4)});
        if (flags & kLastEntry)
            break;
    }
    return entries;
}

bool Down(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

bool Matches(const ACCEL& entry, const MSG& msg) {
    if (entry.key != static_cast<WORD>(msg.wParam))
        return false;
    if (entry.fVirt & FVIRTKEY) {
        if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
            return false;
        return Down(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0) &&
               Down(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) &&
               Down(VK_MENU) == ((entry.fVirt & FALT) != 0);
    }
    // A character: typed with Alt it comes as WM_SYSCHAR, which only entries with ALT take.
    if (msg.message == WM_CHAR)
        return !(entry.fVirt & FALT);
    return msg.message == WM_SYSCHAR && (entry.fVirt & FALT);
}

// The commands of the standard window menu that a window with WS_SYSMENU shows.
bool IsWindowMenuCommand(HWND hwnd, WORD command) {
    constexpr WORD commands[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    return (GetWindowLongA(hwnd, GWL_STYLE) & WS_SYSMENU) &&
           std::find(std::begin(commands), std::end(commands), command) != std::end(commands);
}

} // namespace
} // namespace emu::detail

using namespace emu::detail;

HACCEL WINAPI LoadAcceleratorsA(HINSTANCE hInstance, LPCSTR lpTableName) {
    HRSRC info = FindResourceA(hInstance, lpTableName, RT_ACCELERATOR);
    if (!info)
        return nullptr;
    Accelerators& state = State();
    auto cached = state.loaded.find(FromHandle(info));
    if (cached != state.loaded.end() && state.tables.Find(cached->second))
        return ToHandle<HACCEL>(cached->second);
    std::vector<ACCEL> entries =
        ReadResource(static_cast<const BYTE*>(LockResource(LoadResource(hInstance, info))),
                     SizeofResource(hInstance, info));
    if (entries.empty()) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    HACCEL table = Add(std::move(entries));
    state.loaded[FromHandle(info)] = FromHandle(table);
    return table;
}

HACCEL WINAPI CreateAcceleratorTableA(LPACCEL paccel, int cAccel) {
    if (!paccel || cAccel <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::vector<ACCEL> entries(paccel, paccel + cAccel);
    for (ACCEL& entry : entries)
        entry.fVirt &= kKeptFlags;
    return Add(std::move(entries));
}

int WINAPI CopyAcceleratorTableA(HACCEL hAccelSrc, LPACCEL lpAccelDst, int cAccelEntries) {
    const AcceleratorTable* table = FindOrFail(hAccelSrc);
    if (!table)
        return 0;
    int count = static_cast<int>(table->entries.size());
    if (!lpAccelDst)
        return count;
    int copied = std::clamp(cAccelEntries, 0, count);
    std::copy_n(table->entries.begin(), copied, lpAccelDst);
    return copied;
}

BOOL WINAPI DestroyAcceleratorTable(HACCEL hAccel) {
    if (!State().tables.Remove(FromHandle(hAccel))) {
        SetLastError(ERROR_INVALID_ACCEL_HANDLE);
        return FALSE;
    }
    return TRUE;
}

// Sends the command of the first entry that the key or character message matches, to hWnd: WM_SYSCOMMAND
// for a command of the window menu, WM_COMMAND (high word 1) for any other.
int WINAPI TranslateAcceleratorA(HWND hWnd, HACCEL hAccTable, LPMSG lpMsg) {
    if (!lpMsg) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const AcceleratorTable* table = FindOrFail(hAccTable);
    if (!table)
        return 0;
    if (!IsWindow(hWnd)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    UINT message = lpMsg->message;
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && message != WM_CHAR && message != WM_SYSCHAR)
        return 0;
    auto entry = std::find_if(table->entries.begin(), table->entries.end(),
                              [&](const ACCEL& candidate) { return Matches(candidate, *lpMsg); });
    if (entry == table->entries.end())
        return 0;
    WORD command = entry->cmd;
    if (IsWindowMenuCommand(hWnd, command))
        SendMessageA(hWnd, WM_SYSCOMMAND, command, MAKELPARAM(0, 1)); // high word 1: from an accelerator
    else
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(command, 1), 0);
    return 1;
}
