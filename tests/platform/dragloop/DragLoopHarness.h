// A window set for the OLE drag loop, and recording COM objects. The frame (a popup at screen 100, 100,
// 600 by 300) holds "left" (client x 0-200) and "right" (200-400) side by side; "inner" is a child of
// "right" (client 50-150 both ways in it); the frame's own area from x 400 on has no drop target. Every call
// the loop makes on the objects is noted, in order, in one record.
#pragma once

#include <emu/Emu.h>

#include <ole2.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace dragloop_test {

using Record = std::vector<std::string>;

inline Record& Calls() {
    static Record calls;
    return calls;
}

inline std::string Point(POINTL pt) {
    return std::to_string(pt.x) + "," + std::to_string(pt.y);
}

// Notes each call as "name:Call keys x,y effect" (the effect as the loop offers it), then answers.
class RecordingTarget : public IDropTarget {
public:
    explicit RecordingTarget(std::string name) : m_name(std::move(name)) {}

    DWORD m_answer = DROPEFFECT_MOVE;
    std::function<void()> m_onOver;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDropTarget) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD keys, POINTL pt, DWORD* effect) override {
        Note("Enter", keys, pt, effect);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override {
        Note("Over", keys, pt, effect);
        if (m_onOver)
            m_onOver();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        Calls().push_back(m_name + ":Leave");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject*, DWORD keys, POINTL pt, DWORD* effect) override {
        Note("Drop", keys, pt, effect);
        return S_OK;
    }

private:
    void Note(const char* call, DWORD keys, POINTL pt, DWORD* effect) {
        Calls().push_back(m_name + ":" + call + " " + std::to_string(keys) + " " + Point(pt) + " " +
                          std::to_string(*effect));
        *effect = m_answer;
    }
    std::string m_name;
};

// Answers as the platform's default source would (Escape cancels, releasing the left button drops), unless
// told to go on whatever happens.
class RecordingSource : public IDropSource {
public:
    bool m_neverStop = false;
    int m_dropAt = 0; // when non-zero, the call that drops, whatever happens; the ones before go on
    int m_queries = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDropSource) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        Calls().push_back("Query " + std::to_string(escape) + " " + std::to_string(keys));
        if (m_dropAt)
            return ++m_queries == m_dropAt ? DRAGDROP_S_DROP : S_OK;
        if (m_neverStop)
            return S_OK;
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override {
        Calls().push_back("Feedback " + std::to_string(effect));
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

class RecordingData : public IDataObject {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
        if (riid == IID_IUnknown || riid == IID_IDataObject) {
            *object = this;
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC*) override { return DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC** formats) override {
        Calls().push_back("Formats");
        *formats = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }
};

// What the windows receive, as "window:message" for the messages a drag could wrongly deliver.
inline Record& Delivered() {
    static Record delivered;
    return delivered;
}

// A press on "left" starts the drag from inside WM_LBUTTONDOWN, as an application does.
inline std::function<void()>& OnLeftPress() {
    static std::function<void()> start;
    return start;
}

inline std::string NameOf(HWND hwnd) {
    char name[32] = {};
    GetWindowTextA(hwnd, name, sizeof name);
    return name;
}

inline LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        Delivered().push_back(NameOf(hwnd) + ":WM_MOUSEMOVE");
        break;
    case WM_LBUTTONUP:
        Delivered().push_back(NameOf(hwnd) + ":WM_LBUTTONUP");
        break;
    case WM_KEYDOWN:
        Delivered().push_back(NameOf(hwnd) + ":WM_KEYDOWN");
        break;
    case WM_TIMER:
        Delivered().push_back(NameOf(hwnd) + ":WM_TIMER");
        KillTimer(hwnd, wParam);
        break;
    case WM_USER:
        Delivered().push_back(NameOf(hwnd) + ":WM_USER");
        break;
    case WM_LBUTTONDOWN:
        if (NameOf(hwnd) == "left" && OnLeftPress())
            OnLeftPress()();
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

class DragLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        Calls().clear();
        Delivered().clear();
        OnLeftPress() = [this] {
            m_result = DoDragDrop(&m_data, &m_source, m_allowed, &m_effect);
            m_finished = true;
        };
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); // S_FALSE where the thread has OLE already
        WNDCLASSA wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "DragLoopTestWindow";
        RegisterClassA(&wc);
        m_frame = Create("frame", WS_POPUP | WS_VISIBLE, 100, 100, 600, 300, nullptr);
        m_left = Create("left", WS_CHILD | WS_VISIBLE, 0, 0, 200, 300, m_frame);
        m_right = Create("right", WS_CHILD | WS_VISIBLE, 200, 0, 200, 300, m_frame);
        m_inner = Create("inner", WS_CHILD | WS_VISIBLE, 50, 50, 100, 100, m_right);
        ASSERT_EQ(RegisterDragDrop(m_left, &m_leftTarget), S_OK);
        ASSERT_EQ(RegisterDragDrop(m_right, &m_rightTarget), S_OK);
        SetFocus(m_frame);
    }
    void TearDown() override {
        OnLeftPress() = nullptr;
        emu::Reset();
    }

    static HWND Create(const char* name, DWORD style, int x, int y, int cx, int cy, HWND parent) {
        return CreateWindowExA(0, "DragLoopTestWindow", name, style, x, y, cx, cy, parent, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    }

    // Presses the left button at (x, y) (screen), which starts the drag, after the input queued by `during`
    // runs the drag; returns once the queue is empty.
    void Drag(int x, int y, const std::function<void()>& during) {
        emu::MouseMove(x, y);
        emu::MouseDown();
        during();
        emu::PumpMessages();
        ASSERT_TRUE(m_finished) << "the press started no drag";
    }

    HWND m_frame = nullptr, m_left = nullptr, m_right = nullptr, m_inner = nullptr;
    RecordingTarget m_leftTarget{"left"};
    RecordingTarget m_rightTarget{"right"};
    RecordingSource m_source;
    RecordingData m_data;
    DWORD m_allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    DWORD m_effect = 0xDEAD;
    HRESULT m_result = E_FAIL;
    bool m_finished = false;
};

} // namespace dragloop_test
