// Describes tree-view notifications as short strings, naming items by the names a test gave them, so that
// a test can compare what a parent window received with an expected sequence.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

class TreeViewLog {
public:
    std::map<HTREEITEM, std::string> names;

    std::string Name(HTREEITEM h) const {
        if (!h)
            return "null";
        auto it = names.find(h);
        return it != names.end() ? it->second : "?";
    }

    // For example "SELCHANGING(a>b,mouse)", "ITEMEXPANDED(a,expand)", "ENDLABELEDIT(a,'x')", "KEYDOWN(40)".
    std::string Describe(const NMHDR* hdr) const {
        auto tv = reinterpret_cast<const NMTREEVIEWA*>(hdr);
        auto di = reinterpret_cast<const NMTVDISPINFOA*>(hdr);
        switch (hdr->code) {
        case TVN_SELCHANGINGA:
            return "SELCHANGING(" + Name(tv->itemOld.hItem) + ">" + Name(tv->itemNew.hItem) + "," +
                   Action(tv->action) + ")";
        case TVN_SELCHANGEDA:
            return "SELCHANGED(" + Name(tv->itemOld.hItem) + ">" + Name(tv->itemNew.hItem) + "," +
                   Action(tv->action) + ")";
        case TVN_ITEMEXPANDINGA:
            return "ITEMEXPANDING(" + Name(tv->itemNew.hItem) + "," + Expand(tv->action) + ")";
        case TVN_ITEMEXPANDEDA:
            return "ITEMEXPANDED(" + Name(tv->itemNew.hItem) + "," + Expand(tv->action) + ")";
        case TVN_DELETEITEMA:
            return "DELETEITEM(" + Name(tv->itemOld.hItem) + ")";
        case TVN_BEGINDRAGA:
            return "BEGINDRAG(" + Name(tv->itemNew.hItem) + ")";
        case TVN_BEGINRDRAGA:
            return "BEGINRDRAG(" + Name(tv->itemNew.hItem) + ")";
        case TVN_BEGINLABELEDITA:
            return "BEGINLABELEDIT(" + Name(di->item.hItem) + ")";
        case TVN_ENDLABELEDITA:
            return "ENDLABELEDIT(" + Name(di->item.hItem) + "," +
                   (di->item.pszText ? "'" + std::string(di->item.pszText) + "'" : std::string("null")) + ")";
        case TVN_GETDISPINFOA:
            return "GETDISPINFO(" + Name(di->item.hItem) + ")";
        case TVN_KEYDOWN:
            return "KEYDOWN(" + std::to_string(reinterpret_cast<const NMTVKEYDOWN*>(hdr)->wVKey) + ")";
        case NM_CLICK:
            return "CLICK";
        case NM_DBLCLK:
            return "DBLCLK";
        case NM_RCLICK:
            return "RCLICK";
        case NM_RETURN:
            return "RETURN";
        case NM_SETFOCUS:
            return "SETFOCUS";
        case NM_KILLFOCUS:
            return "KILLFOCUS";
        case NM_SETCURSOR: {
            auto mouse = reinterpret_cast<const NMMOUSE*>(hdr);
            return "SETCURSOR(" + Name(reinterpret_cast<HTREEITEM>(mouse->dwItemSpec)) + "," +
                   std::to_string(mouse->dwHitInfo) + ")";
        }
        case TVN_SINGLEEXPAND:
            return "SINGLEEXPAND(" + Name(tv->itemOld.hItem) + ">" + Name(tv->itemNew.hItem) + ")";
        case NM_CUSTOMDRAW: {
            auto cd = reinterpret_cast<const NMTVCUSTOMDRAW*>(hdr);
            std::string stage = (cd->nmcd.dwDrawStage & CDDS_ITEM) ? "ITEM" : "";
            stage += (cd->nmcd.dwDrawStage & ~CDDS_ITEM) == CDDS_PREPAINT ? "PREPAINT" : "POSTPAINT";
            if (cd->nmcd.dwDrawStage & CDDS_ITEM)
                stage += "," + Name(reinterpret_cast<HTREEITEM>(cd->nmcd.dwItemSpec));
            return "CUSTOMDRAW(" + stage + ")";
        }
        default:
            return "NOTIFY(" + std::to_string(static_cast<int>(hdr->code)) + ")";
        }
    }

private:
    static std::string Action(UINT action) {
        switch (action) {
        case TVC_BYMOUSE:
            return "mouse";
        case TVC_BYKEYBOARD:
            return "key";
        default:
            return "unknown";
        }
    }
    static std::string Expand(UINT action) {
        switch (action & 3) {
        case TVE_EXPAND:
            return "expand";
        case TVE_COLLAPSE:
            return "collapse";
        default:
            return "other";
        }
    }
};
