// Records the item requests a tree-view window receives (navigation, reading and writing items) as short
// strings described when they arrive, while the structures they point to are still valid: "PARENT(a1)",
// "GET(a2,image)", "GET(A,children)", "SET(A,4)". Items are named through NameOf. Only what the given call
// makes the tree receive is recorded.
#pragma once

#include "CheckHost.h"

class TreeRequests {
public:
    template <class TCall> static Journal During(HWND hwnd, TCall call) {
        TreeRequests recorder(hwnd);
        call();
        return std::move(recorder.m_requests);
    }

private:
    explicit TreeRequests(HWND hwnd) : m_hwnd(hwnd) {
        s_pActive = this;
        m_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeRequests::Proc)));
    }
    ~TreeRequests() {
        if (IsWindow(m_hwnd))
            SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc));
        s_pActive = nullptr;
    }
    TreeRequests(const TreeRequests&) = delete;
    TreeRequests& operator=(const TreeRequests&) = delete;

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        TreeRequests* self = s_pActive;
        std::string text = Describe(msg, wp, lp);
        if (!text.empty())
            self->m_requests.push_back(text);
        return CallWindowProcA(self->m_proc, hwnd, msg, wp, lp);
    }

    static std::string Describe(UINT msg, WPARAM wp, LPARAM lp) {
        switch (msg) {
        case TVM_GETNEXTITEM:
            return Relation(static_cast<UINT>(wp)) + "(" + NameOf(reinterpret_cast<HTREEITEM>(lp)) + ")";
        case TVM_GETITEMA: {
            auto* item = reinterpret_cast<const TVITEMA*>(lp);
            std::string what = item->mask == TVIF_CHILDREN                       ? "children"
                               : item->mask == (TVIF_IMAGE | TVIF_SELECTEDIMAGE) ? "image"
                                                                                 : std::to_string(item->mask);
            return "GET(" + NameOf(item->hItem) + "," + what + ")";
        }
        case TVM_SETITEMA: {
            auto* item = reinterpret_cast<const TVITEMA*>(lp);
            if (item->mask != (TVIF_IMAGE | TVIF_SELECTEDIMAGE) || item->iImage != item->iSelectedImage)
                return "SET(" + NameOf(item->hItem) + ",mask " + std::to_string(item->mask) + ")";
            return "SET(" + NameOf(item->hItem) + "," + std::to_string(item->iImage) + ")";
        }
        default:
            return "";
        }
    }

    static std::string Relation(UINT code) {
        switch (code) {
        case TVGN_ROOT:
            return "ROOT";
        case TVGN_NEXT:
            return "NEXT";
        case TVGN_PREVIOUS:
            return "PREVIOUS";
        case TVGN_PARENT:
            return "PARENT";
        case TVGN_CHILD:
            return "CHILD";
        default:
            return "GETNEXTITEM " + std::to_string(code);
        }
    }

    static inline TreeRequests* s_pActive = nullptr;
    HWND m_hwnd;
    WNDPROC m_proc;
    Journal m_requests;
};
