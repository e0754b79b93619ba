// The order in which the dialog manager walks a dialog's controls: children in Z order, descending into
// children that are themselves containers of controls (WS_EX_CONTROLPARENT) instead of stopping at them,
// and wrapping round at the dialog. Tab stops are the visible, enabled WS_TABSTOP controls; a group runs
// from a WS_GROUP control up to the next one.
#include <windows.h>

namespace {

bool IsContainer(HWND w) {
    LONG style = GetWindowLongA(w, GWL_STYLE);
    return (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && GetWindow(w, GW_CHILD) &&
           (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

// Visible and enabled by its own style: a dialog's controls count while the dialog itself is still hidden.
bool IsReachable(HWND w) {
    LONG style = GetWindowLongA(w, GWL_STYLE);
    return (style & WS_VISIBLE) && !(style & WS_DISABLED) && !IsContainer(w);
}

bool IsTabStop(HWND w) {
    return IsReachable(w) && (GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP);
}

HWND DescendFirst(HWND w) {
    while (w && IsContainer(w))
        w = GetWindow(w, GW_CHILD);
    return w;
}

HWND DescendLast(HWND w) {
    while (w && IsContainer(w))
        w = GetWindow(GetWindow(w, GW_CHILD), GW_HWNDLAST);
    return w;
}

HWND First(HWND dlg) {
    return DescendFirst(GetWindow(dlg, GW_CHILD));
}

HWND Last(HWND dlg) {
    HWND child = GetWindow(dlg, GW_CHILD);
    return child ? DescendLast(GetWindow(child, GW_HWNDLAST)) : nullptr;
}

// The control after w in the walk, wrapping round at the dialog, or within w's own parent when that parent
// is not reachable from the dialog as a container; `wrapped` tells that the walk went round.
HWND Next(HWND dlg, HWND w, bool& wrapped) {
    wrapped = false;
    for (;;) {
        if (HWND sibling = GetWindow(w, GW_HWNDNEXT))
            return DescendFirst(sibling);
        HWND parent = GetParent(w);
        if (!parent || parent == dlg) {
            wrapped = true;
            return First(dlg);
        }
        if (!(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) {
            wrapped = true;
            return DescendFirst(GetWindow(parent, GW_CHILD));
        }
        w = parent;
    }
}

HWND Previous(HWND dlg, HWND w, bool& wrapped) {
    wrapped = false;
    for (;;) {
        if (HWND sibling = GetWindow(w, GW_HWNDPREV))
            return DescendLast(sibling);
        HWND parent = GetParent(w);
        if (!parent || parent == dlg) {
            wrapped = true;
            return Last(dlg);
        }
        if (!(GetWindowLongA(parent, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) {
            wrapped = true;
            return DescendLast(GetWindow(GetWindow(parent, GW_CHILD), GW_HWNDLAST));
        }
        w = parent;
    }
}

// An upper bound of the steps any walk takes: every window below the dialog, twice.
int StepLimit(HWND dlg) {
    int count = 0;
    HWND w = GetWindow(dlg, GW_CHILD);
    while (w && count < 100000) {
        ++count;
        if (HWND child = GetWindow(w, GW_CHILD)) {
            w = child;
            continue;
        }
        while (w && w != dlg && !GetWindow(w, GW_HWNDNEXT))
            w = GetParent(w);
        w = w && w != dlg ? GetWindow(w, GW_HWNDNEXT) : nullptr;
    }
    return 2 * count + 2;
}

// Only WS_GROUP starts a group: the walk's wrap at the end of the dialog does not, so the last group runs on
// into the controls before the dialog's first WS_GROUP control.
bool StartsGroup(HWND w) {
    return (GetWindowLongA(w, GWL_STYLE) & WS_GROUP) != 0;
}

HWND GroupStart(HWND dlg, HWND w) {
    for (int steps = StepLimit(dlg); steps > 0 && !StartsGroup(w); --steps) {
        bool wrapped;
        w = Previous(dlg, w, wrapped);
    }
    return w;
}

HWND GroupEnd(HWND dlg, HWND w) {
    HWND from = w;
    for (int steps = StepLimit(dlg); steps > 0; --steps) {
        bool wrapped;
        HWND next = Next(dlg, w, wrapped);
        if (!next || next == from || StartsGroup(next))
            break;
        w = next;
    }
    return w;
}

bool Valid(HWND dlg, HWND ctl) {
    return ctl && IsWindow(ctl) && IsChild(dlg, ctl);
}

} // namespace

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg))
        return nullptr;
    bool fromStart = !Valid(hDlg, hCtl);
    if (fromStart && bPrevious)
        return nullptr;
    HWND w = fromStart ? First(hDlg) : hCtl;
    if (!w)
        return nullptr;
    if (fromStart && IsTabStop(w))
        return w;
    for (int steps = StepLimit(hDlg); steps > 0; --steps) {
        bool wrapped;
        w = bPrevious ? Previous(hDlg, w, wrapped) : Next(hDlg, w, wrapped);
        if (!w || w == hCtl || (fromStart && wrapped))
            return fromStart ? nullptr : hCtl;
        if (IsTabStop(w))
            return w;
    }
    return hCtl;
}

HWND WINAPI GetNextDlgGroupItem(HWND hDlg, HWND hCtl, BOOL bPrevious) {
    if (!IsWindow(hDlg))
        return nullptr;
    if (!Valid(hDlg, hCtl)) {
        if (bPrevious)
            return nullptr;
        HWND w = First(hDlg);
        for (int steps = StepLimit(hDlg); w && steps > 0 && !IsReachable(w); --steps) {
            bool wrapped;
            w = Next(hDlg, w, wrapped);
        }
        return w && IsReachable(w) ? w : nullptr;
    }
    HWND w = hCtl;
    for (int steps = StepLimit(hDlg); steps > 0; --steps) {
        HWND next;
        bool wrapped;
        if (bPrevious) {
            next = StartsGroup(w) ? GroupEnd(hDlg, w) : Previous(hDlg, w, wrapped);
        } else {
            next = Next(hDlg, w, wrapped);
            if (next && StartsGroup(next))
                next = GroupStart(hDlg, hCtl);
        }
        if (!next || next == hCtl)
            return hCtl;
        if (IsReachable(next))
            return next;
        w = next;
    }
    return hCtl;
}
