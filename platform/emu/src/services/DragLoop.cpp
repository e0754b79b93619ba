// OLE's modal drag loop. It runs on the thread's own queue: a hidden window holds the mouse capture, so the
// mouse messages of the drag reach no window of the application; key messages are read but not dispatched
// (Escape is passed to the drop source); everything else is dispatched as usual. Each mouse or key message
// is one step of the drag, and so is each period of virtual time without input: on Windows the loop goes on
// asking the source and the target while the pointer rests (the platform's conformance test of DoDragDrop
// sees several rounds without input), which is what makes a target scroll on while the pointer stays in
// its scroll zone. The period is DD_DEFSCROLLINTERVAL, the platform's default interval of drag scrolling,
// 50 ms (the rate at which Windows polls is not documented). When no input is left, the drag ends as the
// user's cancel would.
#include "DropTargets.h"

#include <ole2.h>

namespace emu::detail {
namespace {

constexpr char trackerClass[] = "EmuOleDragTracker";

HINSTANCE EmulationModule() {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&EmulationModule), &module);
    return module;
}

// A message-only window holding the capture for the length of the drag; destroying it lets the capture go.
class Tracker {
public:
    Tracker() {
        HINSTANCE module = EmulationModule();
        WNDCLASSA wc{};
        if (!GetClassInfoA(module, trackerClass, &wc)) {
            wc.lpfnWndProc = DefWindowProcA;
            wc.hInstance = module;
            wc.lpszClassName = trackerClass;
            RegisterClassA(&wc);
        }
        m_hwnd = CreateWindowExA(0, trackerClass, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, module,
                                 nullptr);
        if (m_hwnd) {
            SetCapture(m_hwnd);
            SetTimer(m_hwnd, PollTimer, DD_DEFSCROLLINTERVAL, nullptr);
        }
    }
    ~Tracker() {
        if (m_hwnd)
            DestroyWindow(m_hwnd);
    }
    Tracker(const Tracker&) = delete;
    Tracker& operator=(const Tracker&) = delete;

    static constexpr UINT_PTR PollTimer = 1;
    // A round of the loop that its timer asks for.
    bool Polls(const MSG& msg) const {
        return msg.message == WM_TIMER && msg.hwnd == m_hwnd && m_hwnd && msg.wParam == PollTimer;
    }

private:
    HWND m_hwnd;
};

// The MK_ flags of the last message retrieved.
DWORD KeyState() {
    struct Flag {
        int vk;
        DWORD mk;
    };
    constexpr Flag flags[] = {{VK_LBUTTON, MK_LBUTTON}, {VK_RBUTTON, MK_RBUTTON}, {VK_MBUTTON, MK_MBUTTON},
                              {VK_SHIFT, MK_SHIFT},     {VK_CONTROL, MK_CONTROL}, {VK_MENU, MK_ALT}};
    DWORD keys = 0;
    for (const Flag& f : flags)
        if (GetKeyState(f.vk) < 0)
            keys |= f.mk;
    return keys;
}

bool IsMouseMessage(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

class DragLoop {
public:
    DragLoop(IDataObject* data, IDropSource* source, DWORD allowed)
        : m_data(data), m_source(source), m_allowed(allowed) {
        DWORD pos = GetMessagePos();
        m_pt = POINTL{static_cast<SHORT>(LOWORD(pos)), static_cast<SHORT>(HIWORD(pos))};
        m_keys = KeyState();
    }

    HRESULT Run(DWORD* pdwEffect) {
        ListFormats();
        Tracker tracker;
        m_tracker = &tracker;
        for (;;) {
            HRESULT hr = m_source->QueryContinueDrag(m_escape ? TRUE : FALSE, m_keys);
            m_escape = false;
            if (hr == S_OK && m_exhausted)
                hr = DRAGDROP_S_CANCEL;
            Retarget();
            if (hr == DRAGDROP_S_DROP)
                return Drop(pdwEffect);
            if (hr != S_OK) {
                if (IDropTarget* target = Entered())
                    target->DragLeave();
                *pdwEffect = DROPEFFECT_NONE;
                return hr;
            }
            Over();
            if (!NextInput()) {
                m_exhausted = true;
                m_escape = true;
            }
        }
    }

private:
    // The platform asks for the formats before anything else.
    void ListFormats() {
        IEnumFORMATETC* formats = nullptr;
        if (FAILED(m_data->EnumFormatEtc(DATADIR_GET, &formats)) || !formats)
            return;
        FORMATETC format;
        ULONG fetched = 0;
        while (formats->Next(1, &format, &fetched) == S_OK && fetched == 1) {
        }
        formats->Release();
    }

    // The target entered, while it is still registered for its window.
    IDropTarget* Entered() const {
        return m_target && RegisteredDropTarget(m_window) == m_target ? m_target : nullptr;
    }

    // The window under the point, or the nearest of its parents, that has a drop target.
    void Retarget() {
        HWND window = nullptr;
        IDropTarget* registered = nullptr;
        for (HWND h = WindowFromPoint(POINT{m_pt.x, m_pt.y}); h && !registered;
             h = GetAncestor(h, GA_PARENT)) {
            registered = RegisteredDropTarget(h);
            window = h;
        }
        if (!registered)
            window = nullptr;
        if (window == m_window && registered == m_registered)
            return;
        if (IDropTarget* target = Entered())
            target->DragLeave();
        m_window = window;
        m_registered = registered;
        m_target = nullptr;
        m_effect = DROPEFFECT_NONE;
        if (registered) {
            DWORD effect = m_allowed;
            if (registered->DragEnter(m_data, m_keys, m_pt, &effect) == S_OK) {
                m_target = registered;
                m_effect = effect & m_allowed;
            }
        }
        m_source->GiveFeedback(m_effect);
    }

    void Over() {
        m_effect = DROPEFFECT_NONE;
        if (IDropTarget* target = Entered()) {
            DWORD effect = m_allowed;
            if (SUCCEEDED(target->DragOver(m_keys, m_pt, &effect)))
                m_effect = effect & m_allowed;
        }
        m_source->GiveFeedback(m_effect);
    }

    HRESULT Drop(DWORD* pdwEffect) {
        *pdwEffect = DROPEFFECT_NONE;
        IDropTarget* target = Entered();
        if (!target)
            return DRAGDROP_S_DROP;
        if (m_effect == DROPEFFECT_NONE) {
            target->DragLeave();
            return DRAGDROP_S_DROP;
        }
        DWORD effect = m_allowed;
        HRESULT hr = target->Drop(m_data, m_keys, m_pt, &effect);
        if (FAILED(hr))
            return hr;
        *pdwEffect = effect & m_allowed;
        return DRAGDROP_S_DROP;
    }

    // Retrieves messages up to the next mouse or key message or the next round of the timer, dispatching
    // the others. False when no input is left: virtual time only passes while input is queued, so the timer
    // stops too.
    bool NextInput() {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (m_tracker->Polls(msg))
                return true;
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return false;
            }
            if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) {
                if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                    m_escape = true;
                m_keys = KeyState();
                return true;
            }
            if (IsMouseMessage(msg.message)) {
                m_pt = POINTL{msg.pt.x, msg.pt.y};
                m_keys = KeyState();
                return true;
            }
            DispatchMessageA(&msg);
        }
        return false;
    }

    Tracker* m_tracker = nullptr;
    IDataObject* m_data;
    IDropSource* m_source;
    DWORD m_allowed;
    POINTL m_pt;
    DWORD m_keys;
    bool m_escape = false;
    bool m_exhausted = false;
    HWND m_window = nullptr;             // the window under the pointer that has a drop target
    IDropTarget* m_registered = nullptr; // its target when the pointer came
    IDropTarget* m_target = nullptr;     // the same once it accepted DragEnter
    DWORD m_effect = DROPEFFECT_NONE;    // the effect the target shows
};

} // namespace
} // namespace emu::detail

HRESULT WINAPI DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects,
                          LPDWORD pdwEffect) {
    if (!pDataObj || !pDropSource || !pdwEffect)
        return E_INVALIDARG;
    return emu::detail::DragLoop(pDataObj, pDropSource, dwOKEffects).Run(pdwEffect);
}
