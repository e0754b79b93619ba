// A tree-view control in a plain parent window that records the notifications it receives and answers them
// as the test says.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <windowsx.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include "TreeViewLog.h"

#include <functional>
#include <string>
#include <vector>

class TreeFixture : public ::testing::Test {
protected:
    static constexpr DWORD DefaultStyle = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT;

    HWND parent = nullptr;
    HWND tree = nullptr;
    TreeViewLog names;
    std::vector<std::string> log;
    std::function<LRESULT(NMHDR*)> answer; // the parent's result for a notification; 0 without one
    bool logFocus = false;                 // NM_SETFOCUS and NM_KILLFOCUS are left out unless asked for
    bool logCursor = false;                // so is NM_SETCURSOR, which every uncaptured mouse message brings
    bool logCustomDraw = false;            // and NM_CUSTOMDRAW, which every paint brings

    void SetUp() override {
        emu::Reset();
        current = this;
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
        ASSERT_TRUE(InitCommonControlsEx(&icc));
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TreeFixture::ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TreeTestParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(0, "TreeTestParent", "parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(parent, nullptr);
        Create(DefaultStyle);
    }
    void TearDown() override {
        emu::Reset();
        current = nullptr;
    }

    // A tree of w x h pixels at the parent's client origin (rows of 16 pixels, so 10 rows in 160).
    void Create(DWORD style, int w = 200, int h = 160) {
        if (tree)
            DestroyWindow(tree);
        tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | style, 0, 0, w, h, parent,
                               reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(tree, nullptr);
        names.names.clear();
        log.clear();
    }

    HTREEITEM Add(const char* text, HTREEITEM under = TVI_ROOT, HTREEITEM after = TVI_LAST,
                  HWND in = nullptr) {
        TVINSERTSTRUCTA is{};
        is.hParent = under;
        is.hInsertAfter = after;
        is.item.mask = TVIF_TEXT;
        is.item.pszText = const_cast<char*>(text);
        auto h = reinterpret_cast<HTREEITEM>(
            SendMessageA(in ? in : tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
        if (h)
            names.names[h] = text;
        return h;
    }

    HTREEITEM Next(UINT code, HTREEITEM h = nullptr) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(h)));
    }
    HTREEITEM Caret() { return Next(TVGN_CARET); }
    LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(tree, msg, wp, lp); }
    BOOL Expand(HTREEITEM h, UINT code = TVE_EXPAND) {
        return static_cast<BOOL>(Send(TVM_EXPAND, code, reinterpret_cast<LPARAM>(h)));
    }
    BOOL Select(HTREEITEM h, UINT code = TVGN_CARET) {
        return static_cast<BOOL>(Send(TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(h)));
    }
    UINT State(HTREEITEM h) {
        return static_cast<UINT>(Send(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(h), 0xFFFF));
    }
    std::string Text(HTREEITEM h) {
        char buffer[300] = "";
        TVITEMA item{TVIF_TEXT, h, 0, 0, buffer, sizeof buffer, 0, 0, 0, 0};
        return Send(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? buffer : "<failed>";
    }
    TVHITTESTINFO HitTest(int x, int y) {
        TVHITTESTINFO info{{x, y}, 0, nullptr};
        Send(TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info));
        return info;
    }
    bool ItemRect(HTREEITEM h, BOOL textOnly, RECT& rc) {
        memcpy(&rc, &h, sizeof h);
        return Send(TVM_GETITEMRECT, textOnly, reinterpret_cast<LPARAM>(&rc)) != 0;
    }

    // Simulated user input at a point in the tree's client area.
    POINT Screen(int x, int y) {
        POINT p{x, y};
        ClientToScreen(tree, &p);
        return p;
    }
    void Click(int x, int y, emu::Button button = emu::Button::Left) {
        POINT p = Screen(x, y);
        emu::Click(p.x, p.y, button);
        emu::PumpMessages();
    }
    void Drag(int x, int y, int dx, int dy, emu::Button button = emu::Button::Left) {
        POINT p = Screen(x, y);
        emu::Wait(GetDoubleClickTime() + 1);
        emu::MouseMove(p.x, p.y);
        emu::MouseDown(button);
        emu::MouseMove(p.x + dx, p.y + dy);
        emu::MouseUp(button);
        emu::PumpMessages();
    }
    void Key(UINT vk) {
        emu::PressKey(vk);
        emu::PumpMessages();
    }

private:
    static inline TreeFixture* current = nullptr;
    static LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (current && msg == WM_NOTIFY) {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            const bool focus = hdr->code == NM_SETFOCUS || hdr->code == NM_KILLFOCUS;
            const bool cursor = hdr->code == NM_SETCURSOR;
            const bool draw = hdr->code == NM_CUSTOMDRAW;
            if ((!focus || current->logFocus) && (!cursor || current->logCursor) &&
                (!draw || current->logCustomDraw))
                current->log.push_back(current->names.Describe(hdr));
            return current->answer ? current->answer(hdr) : 0;
        }
        if (current && msg == WM_COMMAND) {
            static const std::map<int, std::string> codes{{EN_SETFOCUS, "SETFOCUS"},
                                                          {EN_KILLFOCUS, "KILLFOCUS"},
                                                          {EN_CHANGE, "CHANGE"},
                                                          {EN_UPDATE, "UPDATE"},
                                                          {EN_MAXTEXT, "MAXTEXT"}};
            auto it = codes.find(HIWORD(wp));
            current->log.push_back("EN_" + (it != codes.end() ? it->second : std::to_string(HIWORD(wp))));
            return 0;
        }
        if (current && msg == WM_CONTEXTMENU) {
            current->log.push_back("CONTEXTMENU(" + std::to_string(GET_X_LPARAM(lp)) + "," +
                                   std::to_string(GET_Y_LPARAM(lp)) + ")");
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
};

using Log = std::vector<std::string>;
