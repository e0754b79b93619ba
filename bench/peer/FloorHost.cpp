// The least a host can do on the tree view for the same records: one TVM_INSERTITEM per record, the
// parent found through a hash table from ID to item. It checks for a duplicate ID and places an unknown
// parent's item at the top level, as the import does, but keeps nothing of the table after the fill.
#include "BenchHost.h"
#include "PeerHost.h"

#include <cstdlib>
#include <unordered_map>

namespace {

constexpr char kParentClass[] = "PeerFloorHost";

class FloorHost : public PeerHost {
public:
    FloorHost() {
        emu::Reset();
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = kParentClass;
        ::RegisterClassA(&wc);
        m_parent = ::CreateWindowExA(0, kParentClass, "bench", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                     nullptr, nullptr, nullptr);
        ::InitCommonControls();
        m_tree = ::CreateWindowExA(
            0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
            0, 400, 400, m_parent, reinterpret_cast<HMENU>(UINT_PTR{7}), nullptr, nullptr);
        emu::PumpMessages();
    }
    ~FloorHost() override { ::DestroyWindow(m_parent); }
    FloorHost(const FloorHost&) = delete;
    FloorHost& operator=(const FloorHost&) = delete;

    void Prepare(Shape shape, long n) override { MakeRecords(m_records, shape, n); }
    long Fill() override {
        std::unordered_map<long, HTREEITEM> byID;
        byID.reserve(static_cast<size_t>(m_records.GetSize() / 4));
        TVINSERTSTRUCTA insert{};
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        for (INT_PTR i = 0; i + 3 < m_records.GetSize(); i += 4) {
            long group = std::strtol(m_records[i], nullptr, 10);
            long parentID = std::strtol(m_records[i + 1], nullptr, 10);
            long id = std::strtol(m_records[i + 2], nullptr, 10);
            if (byID.contains(id))
                continue;
            auto parent = byID.find(parentID);
            insert.hParent = parent == byID.end() ? TVI_ROOT : parent->second;
            insert.item.pszText = const_cast<char*>(static_cast<const char*>(m_records[i + 3]));
            insert.item.iImage = static_cast<int>(2 * group);
            insert.item.iSelectedImage = static_cast<int>(2 * group + 1);
            insert.item.lParam = id;
            auto hItem = reinterpret_cast<HTREEITEM>(
                ::SendMessageA(m_tree, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&insert)));
            if (hItem)
                byID.emplace(id, hItem);
        }
        emu::PumpMessages();
        return static_cast<long>(::SendMessageA(m_tree, TVM_GETCOUNT, 0, 0));
    }
    void Clear() override {
        ::SendMessageA(m_tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        emu::PumpMessages();
    }

private:
    HWND m_parent = nullptr;
    HWND m_tree = nullptr;
    CStringArray m_records;
};

} // namespace

std::unique_ptr<PeerHost> MakeFloorHost() {
    return std::make_unique<FloorHost>();
}
