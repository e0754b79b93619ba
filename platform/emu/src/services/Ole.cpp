// COM and OLE initialisation counts (per thread), object locks and drop-target registration. A registered
// target lives in the window property "OleDropTargetInterface", so it goes with the window.
#include "DropTargets.h"

#include "ResetHooks.h"

#include <emu/Session.h>

#include <ole2.h>

#include <map>

const IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDropTarget = {0x00000122, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDropSource = {0x00000121, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IDataObject = {0x0000010E, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IEnumFORMATETC = {0x00000103, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

namespace emu::detail {
namespace {

constexpr char dropTargetProperty[] = "OleDropTargetInterface";

struct Apartment {
    int comCount = 0;
    DWORD model = COINIT_APARTMENTTHREADED;
    int oleCount = 0;
    std::map<IUnknown*, int> locks;
};

Apartment& Thread() {
    thread_local Apartment apartment;
    return apartment;
}

HRESULT& ForcedOleResult() {
    static HRESULT result = S_OK;
    return result;
}

// Objects still locked are forgotten, not released: the test that made them may have freed them already.
const ResetHook resetOle(ResetStage::Services, [] {
    Thread() = Apartment{};
    ForcedOleResult() = S_OK;
});

} // namespace

IDropTarget* RegisteredDropTarget(HWND hwnd) {
    return IsWindow(hwnd) ? static_cast<IDropTarget*>(GetPropA(hwnd, dropTargetProperty)) : nullptr;
}

} // namespace emu::detail

using namespace emu::detail;

void emu::SetOleInitializeResult(HRESULT hr) {
    ForcedOleResult() = hr;
}

HRESULT WINAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit) {
    if (pvReserved)
        return E_INVALIDARG;
    Apartment& apartment = Thread();
    DWORD model = dwCoInit & COINIT_APARTMENTTHREADED;
    if (apartment.comCount > 0) {
        if (apartment.model != model)
            return RPC_E_CHANGED_MODE;
        ++apartment.comCount;
        return S_FALSE;
    }
    apartment.comCount = 1;
    apartment.model = model;
    return S_OK;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize(void) {
    Apartment& apartment = Thread();
    if (apartment.comCount > 0 && --apartment.comCount == 0)
        apartment.locks.clear();
}

HRESULT WINAPI OleInitialize(LPVOID pvReserved) {
    if (FAILED(ForcedOleResult()))
        return ForcedOleResult();
    HRESULT hr = CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
    if (FAILED(hr))
        return hr;
    return Thread().oleCount++ == 0 ? hr : S_FALSE;
}

void WINAPI OleUninitialize(void) {
    Apartment& apartment = Thread();
    if (apartment.oleCount == 0)
        return;
    --apartment.oleCount;
    CoUninitialize();
}

HRESULT WINAPI CoLockObjectExternal(LPUNKNOWN pUnk, BOOL fLock, BOOL) {
    if (!pUnk)
        return E_INVALIDARG;
    Apartment& apartment = Thread();
    if (apartment.comCount == 0)
        return CO_E_NOTINITIALIZED;
    if (fLock) {
        ++apartment.locks[pUnk];
        pUnk->AddRef();
        return S_OK;
    }
    auto it = apartment.locks.find(pUnk);
    if (it == apartment.locks.end())
        return S_OK;
    if (--it->second == 0)
        apartment.locks.erase(it);
    pUnk->Release();
    return S_OK;
}

HRESULT WINAPI RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget) {
    if (Thread().oleCount == 0)
        return E_OUTOFMEMORY;
    if (!pDropTarget)
        return E_INVALIDARG;
    if (!IsWindow(hwnd))
        return DRAGDROP_E_INVALIDHWND;
    if (RegisteredDropTarget(hwnd))
        return DRAGDROP_E_ALREADYREGISTERED;
    pDropTarget->AddRef();
    SetPropA(hwnd, dropTargetProperty, pDropTarget);
    return S_OK;
}

HRESULT WINAPI RevokeDragDrop(HWND hwnd) {
    if (!IsWindow(hwnd))
        return DRAGDROP_E_INVALIDHWND;
    auto* target = static_cast<IDropTarget*>(RemovePropA(hwnd, dropTargetProperty));
    if (!target)
        return DRAGDROP_E_NOTREGISTERED;
    target->Release();
    return S_OK;
}
