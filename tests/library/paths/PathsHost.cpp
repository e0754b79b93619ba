#include "PathsHost.h"

#include <algorithm>
#include <cstdio>

BEGIN_MESSAGE_MAP(CPathsParent, CWnd)
ON_NOTIFY(TVN_ITEMEXPANDINGA, kTreeID, &CPathsParent::OnTreeNotify)
ON_NOTIFY(TVN_ITEMEXPANDEDA, kTreeID, &CPathsParent::OnTreeNotify)
ON_NOTIFY(TVN_SELCHANGINGA, kTreeID, &CPathsParent::OnTreeNotify)
ON_NOTIFY(TVN_SELCHANGEDA, kTreeID, &CPathsParent::OnTreeNotify)
END_MESSAGE_MAP()

std::string Format(const Row& row) {
    return std::string(2 * static_cast<size_t>(row.level), ' ') + row.text + " " + std::to_string(row.image) +
           "/" + std::to_string(row.selectedImage) + " #" + std::to_string(row.id);
}

std::vector<std::string> Format(const std::vector<Row>& rows) {
    std::vector<std::string> lines;
    for (const Row& row : rows)
        lines.push_back(Format(row));
    return lines;
}

std::vector<Row> ReadTree(const CTreeCtrl& tree, std::vector<HTREEITEM>* pHandles) {
    std::vector<Row> rows;
    int level = 0;
    HTREEITEM hItem = tree.GetRootItem();
    while (hItem != NULL) {
        int image = -1, selectedImage = -1;
        tree.GetItemImage(hItem, image, selectedImage);
        rows.push_back({level, std::string(tree.GetItemText(hItem)), image, selectedImage,
                        static_cast<LONG>(tree.GetItemData(hItem))});
        if (pHandles)
            pHandles->push_back(hItem);
        if (HTREEITEM hChild = tree.GetChildItem(hItem)) {
            hItem = hChild;
            ++level;
            continue;
        }
        while (hItem != NULL && tree.GetNextSiblingItem(hItem) == NULL) {
            hItem = tree.GetParentItem(hItem);
            --level;
        }
        if (hItem != NULL)
            hItem = tree.GetNextSiblingItem(hItem);
    }
    return rows;
}

TreeRequests::TreeRequests(HWND hwnd, std::string refuseText, std::vector<UINT> messages)
    : m_hwnd(hwnd), m_refuseText(std::move(refuseText)), m_messages(std::move(messages)) {
    s_pActive = this;
    m_proc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TreeRequests::Proc)));
}

TreeRequests::~TreeRequests() {
    if (IsWindow(m_hwnd))
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc));
    s_pActive = nullptr;
}

Journal TreeRequests::Only(std::initializer_list<const char*> prefixes) const {
    Journal out;
    for (const std::string& request : m_requests)
        for (const char* prefix : prefixes)
            if (request.rfind(prefix, 0) == 0) {
                out.push_back(request);
                break;
            }
    return out;
}

LRESULT CALLBACK TreeRequests::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TreeRequests* self = s_pActive;
    if (self->m_messages.empty() ||
        std::find(self->m_messages.begin(), self->m_messages.end(), msg) != self->m_messages.end()) {
        std::string text = self->Describe(msg, wp, lp);
        if (!text.empty())
            self->m_requests.push_back(text);
    }
    if (msg == TVM_INSERTITEMA && !self->m_refuseText.empty()) {
        auto* is = reinterpret_cast<const TVINSERTSTRUCTA*>(lp);
        if (is->item.pszText != nullptr && self->m_refuseText == is->item.pszText)
            return 0;
    }
    return CallWindowProcA(self->m_proc, hwnd, msg, wp, lp);
}

std::string TreeRequests::Name(HTREEITEM hItem) const {
    if (hItem == TVI_ROOT)
        return "root";
    if (hItem == TVI_LAST)
        return "last";
    std::string name = g_names.Name(hItem);
    if (name != "?")
        return name;
    // Read past the recorder, so that naming an item is not recorded as a request.
    char text[260] = "";
    TVITEMA item{};
    item.hItem = hItem;
    item.mask = TVIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    return CallWindowProcA(m_proc, m_hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? text : "?";
}

std::string TreeRequests::Describe(UINT msg, WPARAM wp, LPARAM lp) const {
    auto hex = [](UINT value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%x", value);
        return std::string(text);
    };
    auto item = [](LPARAM lParam) { return reinterpret_cast<HTREEITEM>(lParam); };
    switch (msg) {
    case TVM_EXPAND:
        return "EXPAND(" + Name(item(lp)) + (wp == TVE_EXPAND ? "" : "," + hex(static_cast<UINT>(wp))) + ")";
    case TVM_SELECTITEM:
        return "SELECT(" + Name(item(lp)) + (wp == TVGN_CARET ? "" : "," + hex(static_cast<UINT>(wp))) + ")";
    case TVM_DELETEITEM:
        return "DELETE(" + Name(item(lp)) + ")";
    case TVM_INSERTITEMA: {
        auto* is = reinterpret_cast<const TVINSERTSTRUCTA*>(lp);
        return "INSERT(" + Name(is->hParent) + "," + hex(is->item.mask) + ",'" +
               (is->item.pszText ? is->item.pszText : "null") + "'," + std::to_string(is->item.iImage) + "/" +
               std::to_string(is->item.iSelectedImage) + ",#" + std::to_string(is->item.lParam) + "," +
               Name(is->hInsertAfter) + ")";
    }
    case TVM_SETITEMA: {
        auto* tvi = reinterpret_cast<const TVITEMA*>(lp);
        return "SET(" + Name(tvi->hItem) + "," + hex(tvi->mask) + ",#" + std::to_string(tvi->lParam) + ")";
    }
    case TVM_GETITEMA: {
        auto* tvi = reinterpret_cast<const TVITEMA*>(lp);
        return "GET(" + Name(tvi->hItem) + "," + hex(tvi->mask) + ")";
    }
    case TVM_GETNEXTITEM:
        switch (wp) {
        case TVGN_ROOT:
            return "ROOT";
        case TVGN_CHILD:
            return "CHILD(" + Name(item(lp)) + ")";
        case TVGN_NEXT:
            return "NEXT(" + Name(item(lp)) + ")";
        case TVGN_PARENT:
            return "PARENT(" + Name(item(lp)) + ")";
        case TVGN_CARET:
            return "CARET";
        default:
            return "GETNEXT(" + hex(static_cast<UINT>(wp)) + ")";
        }
    default:
        return "";
    }
}

void PathsHost::SetUp() {
    emu::Reset();
    g_journal.clear();
    g_names.names.clear();
    ASSERT_TRUE(
        m_parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 100, 100, 400, 400, nullptr, nullptr));
    m_app.m_pMainWnd = &m_parent;
    ASSERT_TRUE(m_tree.Create(kTreeStyle, CRect(10, 10, 310, 350), &m_parent, kTreeID));
    m_tree.SetListener(&m_listener);
}

void PathsHost::TearDown() {
    m_app.m_pMainWnd = nullptr;
    CWnd::DeleteTempMap();
}

std::vector<HTREEITEM> PathsHost::Build(std::initializer_list<Node> nodes) {
    std::vector<HTREEITEM> handles;
    std::vector<HTREEITEM> lastOfLevel{TVI_ROOT};
    for (const Node& node : nodes) {
        lastOfLevel.resize(static_cast<size_t>(node.level) + 1);
        HTREEITEM hItem = m_tree.AddItem(lastOfLevel.back(), node.text, TVI_LAST, 0, 0, node.id);
        EXPECT_NE(hItem, nullptr) << node.text;
        g_names.names[hItem] = node.text;
        handles.push_back(hItem);
        lastOfLevel.push_back(hItem);
    }
    return handles;
}

std::vector<std::string> ToVector(const CStringArray& arr) {
    std::vector<std::string> out;
    for (INT_PTR i = 0; i < arr.GetSize(); ++i)
        out.emplace_back(arr[i]);
    return out;
}

CStringArray* FillArray(CStringArray& arr, const std::vector<std::string>& strings) {
    arr.RemoveAll();
    for (const std::string& str : strings)
        arr.Add(str.c_str());
    return &arr;
}
