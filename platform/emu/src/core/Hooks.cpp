// Hook chains: WH_CBT, WH_MSGFILTER, WH_GETMESSAGE and WH_CALLWNDPROC, the newest hook first.
#include "core/Core.h"

#include <array>
#include <list>

namespace emu::core {

int g_liveHooks[kHookTypes] = {};

namespace {

struct Hook {
    int type;
    HOOKPROC proc;
    HHOOK handle;
    bool removed = false;
};

constexpr std::array<int, kHookTypes> kTypes{WH_MSGFILTER, WH_GETMESSAGE, WH_CALLWNDPROC, WH_CBT};
static_assert(HookSlot(WH_MSGFILTER) == 0 && HookSlot(WH_GETMESSAGE) == 1 && HookSlot(WH_CALLWNDPROC) == 2 &&
              HookSlot(WH_CBT) == 3);

struct Chains {
    std::array<std::list<Hook>, kTypes.size()> lists;
    uint32_t serial = 1;
    int calls = 0; // hook calls in progress; removed hooks are erased when none is
    // The hook being called, innermost last, so that CallNextHookEx knows where the chain stands.
    std::vector<std::list<Hook>::iterator> current;
};

Chains& State() {
    static Chains chains;
    return chains;
}

void Compact() {
    if (State().calls)
        return;
    for (auto& list : State().lists)
        list.remove_if([](const Hook& h) { return h.removed; });
}

LRESULT CallFrom(int slot, std::list<Hook>::iterator it, int code, WPARAM wParam, LPARAM lParam) {
    auto& list = State().lists[slot];
    while (it != list.end() && it->removed)
        ++it;
    if (it == list.end())
        return 0;
    ++State().calls;
    State().current.push_back(it);
    LRESULT result = it->proc(code, wParam, lParam);
    State().current.pop_back();
    --State().calls;
    Compact();
    return result;
}

std::list<Hook>::iterator FindHook(HHOOK hhk, int& slot) {
    for (size_t i = 0; i < kTypes.size(); ++i) {
        auto& list = State().lists[i];
        for (auto it = list.begin(); it != list.end(); ++it) {
            if (it->handle == hhk && !it->removed) {
                slot = static_cast<int>(i);
                return it;
            }
        }
    }
    slot = -1;
    return {};
}

} // namespace

void ClearHooks() {
    for (size_t i = 0; i < kTypes.size(); ++i) {
        for (auto& hook : State().lists[i])
            hook.removed = true;
        g_liveHooks[i] = 0;
    }
    Compact();
}

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
    int slot = HookSlot(type);
    if (slot < 0)
        return 0;
    return CallFrom(slot, State().lists[slot].begin(), code, wParam, lParam);
}

} // namespace emu::core

using namespace emu::core;

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE hmod, DWORD dwThreadId) {
    int slot = HookSlot(idHook);
    if (slot < 0) {
        SetLastError(kErrorInvalidHookFilter);
        return nullptr;
    }
    if (!lpfn || (dwThreadId && dwThreadId != kThreadId)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!dwThreadId && !hmod) {
        SetLastError(kErrorHookNeedsModule);
        return nullptr;
    }
    auto handle =
        reinterpret_cast<HHOOK>(static_cast<uintptr_t>(0x5A000000u | (State().serial++ & 0xFFFFFF)));
    State().lists[slot].push_front(Hook{idHook, lpfn, handle});
    ++g_liveHooks[slot];
    return handle;
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    int slot;
    auto it = FindHook(hhk, slot);
    if (slot < 0) {
        SetLastError(kErrorInvalidHookHandle);
        return FALSE;
    }
    it->removed = true;
    --g_liveHooks[slot];
    Compact();
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    int slot;
    auto it = FindHook(hhk, slot);
    if (slot < 0) {
        // The handle is optional: the hook being called continues its own chain.
        if (State().current.empty())
            return 0;
        it = State().current.back();
        slot = HookSlot(it->type);
    }
    return CallFrom(slot, std::next(it), nCode, wParam, lParam);
}

BOOL WINAPI CallMsgFilterA(LPMSG lpMsg, int nCode) {
    if (!lpMsg || !HasHooks(WH_MSGFILTER))
        return FALSE;
    return CallHooks(WH_MSGFILTER, nCode, 0, reinterpret_cast<LPARAM>(lpMsg)) ? TRUE : FALSE;
}
