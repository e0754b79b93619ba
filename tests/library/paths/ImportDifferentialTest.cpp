// The imports against their record-by-record definition: on the same random trees and inputs, ImpByIds
// against ImpItem per record, and ImpByPaths against a CheckFz lookup from the first top-level item per
// path component, give the same trees (texts, images, IDs, order), the same result item and the same
// insertions, in the same order.
#include "PathsHost.h"

#include <random>

namespace {

using Strings = std::vector<std::string>;

// The definition of ImpByIds: each record through ImpItem.
HTREEITEM ReferenceImpByIds(CPathsTree& tree, CStringArray* pRecords, bool bClear, long lWantedID) {
    if (bClear)
        tree.DeleteAllItems();
    HTREEITEM hWanted = nullptr;
    int nRecords = static_cast<int>(pRecords->GetSize() / 4);
    for (int nRecord = 0; nRecord < nRecords; ++nRecord) {
        HTREEITEM hItem = tree.ImpItem(pRecords, nRecord, lWantedID);
        if (hWanted == nullptr)
            hWanted = hItem;
    }
    tree.InvalidateRect(nullptr, TRUE);
    return hWanted;
}

// The definition of ImpByPaths: the trimmed path's components, each partial path looked up with CheckFz
// from the first top-level item, a missing component appended to the current parent.
void ReferenceImpByPaths(CPathsTree& tree, CStringArray* pPaths, bool bClear) {
    if (bClear)
        tree.DeleteAllItems();
    CStringArray arrComponents;
    for (INT_PTR iPath = 0; iPath < pPaths->GetSize(); ++iPath) {
        CString strWork = pPaths->GetAt(iPath);
        strWork.TrimLeft('\\');
        strWork.TrimRight('\\');
        strWork += '\\';
        tree.Explode(strWork, &arrComponents);
        CString strPartial;
        HTREEITEM hParent = TVI_ROOT;
        for (INT_PTR i = 0; i < arrComponents.GetSize(); ++i) {
            strPartial += '\\';
            strPartial += arrComponents[i];
            strPartial.TrimLeft('\\');
            HTREEITEM hItem = tree.CheckFz(tree.GetRootItem(), strPartial);
            if (hItem == nullptr)
                hItem =
                    tree.InsertItem(TVIF_TEXT, arrComponents[i].IsEmpty() ? " " : LPCSTR(arrComponents[i]), 0,
                                    0, 0, 0, 0, hParent, TVI_LAST);
            hParent = hItem;
        }
    }
    tree.InvalidateRect(nullptr, TRUE);
}

// Notes the insertions, item changes and deletions a tree-view window receives, by text, and refuses to
// insert items with one text. Lighter than TreeRequests, which describes every request.
class Changes {
public:
    Changes(HWND hwnd, std::string refuseText) : m_hwnd(hwnd), m_refuseText(std::move(refuseText)) {
        s_pActive = this;
        m_proc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Changes::Proc)));
    }
    ~Changes() {
        SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc));
        s_pActive = nullptr;
    }
    Changes(const Changes&) = delete;
    Changes& operator=(const Changes&) = delete;

    Journal m_changes;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        Changes* self = s_pActive;
        if (msg == TVM_INSERTITEMA) {
            auto* is = reinterpret_cast<const TVINSERTSTRUCTA*>(lp);
            std::string text = is->item.pszText ? is->item.pszText : "null";
            self->m_changes.push_back(
                "INSERT(" + self->Text(is->hParent) + "," + std::to_string(is->item.mask) + ",'" + text +
                "'," + std::to_string(is->item.iImage) + "/" + std::to_string(is->item.iSelectedImage) +
                ",#" + std::to_string(is->item.lParam) + "," + self->Text(is->hInsertAfter) + ")");
            if (text == self->m_refuseText)
                return 0;
        } else if (msg == TVM_SETITEMA) {
            auto* item = reinterpret_cast<const TVITEMA*>(lp);
            self->m_changes.push_back("SET(" + self->Text(item->hItem) + "," + std::to_string(item->mask) +
                                      ",#" + std::to_string(item->lParam) + ")");
        } else if (msg == TVM_DELETEITEM) {
            self->m_changes.push_back("DELETE(" + self->Text(reinterpret_cast<HTREEITEM>(lp)) + ")");
        }
        return CallWindowProcA(self->m_proc, hwnd, msg, wp, lp);
    }
    std::string Text(HTREEITEM hItem) {
        if (hItem == nullptr || hItem == TVI_ROOT || hItem == TVI_LAST)
            return hItem == nullptr ? "null" : hItem == TVI_ROOT ? "root" : "last";
        char buffer[64] = "";
        TVITEMA item{};
        item.hItem = hItem;
        item.mask = TVIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        CallWindowProcA(m_proc, m_hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return buffer;
    }

    static inline Changes* s_pActive = nullptr;
    HWND m_hwnd;
    WNDPROC m_proc;
    std::string m_refuseText;
};

// Makes the random trees and inputs, from a small set of texts and IDs so that they meet often.
class Inputs {
public:
    explicit Inputs(unsigned seed, bool bDoubleByte) : m_random(seed), m_bDoubleByte(bDoubleByte) {}

    int Below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }
    bool OneIn(int n) { return Below(n) == 0; }

    // Item texts and path components: a few letters, the empty text, one space, texts with a backslash
    // (only items inserted directly can hold one), and in a double-byte code page a character whose
    // second byte is a backslash and a lead byte alone.
    std::string Text(bool bMayHoldBackslash) {
        static const char* const kTexts[] = {"A", "B", "C", "a", "", " ", "B "};
        if (m_bDoubleByte && OneIn(5)) {
            static const char* const kWide[] = {"\x81\x5C", "A\x81\x5C", "\x81", "B\x81", "\x82\x41"};
            return kWide[Below(5)];
        }
        if (bMayHoldBackslash && OneIn(8))
            return OneIn(2) ? "A\\B" : "\\";
        return kTexts[Below(7)];
    }
    // A number field: mostly small IDs, with -1, text without digits, blanks, signs and junk after digits.
    std::string Number() {
        switch (Below(12)) {
        case 0:
            return "-1";
        case 1:
            return OneIn(2) ? "x" : "";
        case 2:
            return " " + std::to_string(Below(8));
        case 3:
            return "+" + std::to_string(Below(8)) + "z";
        case 4:
            return "99999999999";
        default:
            return std::to_string(Below(12));
        }
    }
    long Id() { return Below(14) - 1; }

    Strings Records() {
        Strings fields;
        int n = OneIn(20) ? 0 : Below(OneIn(10) ? 300 : 30);
        for (int k = 0; k < n; ++k) {
            fields.push_back(std::to_string(Below(4)));
            fields.push_back(OneIn(4) ? "-1" : Number());
            fields.push_back(Number());
            fields.push_back(Text(true));
        }
        for (int extra = OneIn(8) ? Below(4) : 0; extra > 0; --extra)
            fields.push_back(Number());
        return fields;
    }

    std::string Path() {
        std::string path;
        for (int lead = OneIn(4) ? Below(3) : 0; lead > 0; --lead)
            path += '\\';
        int n = OneIn(10) ? 0 : 1 + Below(OneIn(8) ? 12 : 4);
        for (int i = 0; i < n; ++i) {
            if (i > 0)
                path += OneIn(8) ? "\\\\" : "\\";
            path += Text(false);
        }
        for (int trail = OneIn(4) ? Below(3) : 0; trail > 0; --trail)
            path += '\\';
        return path;
    }
    Strings Paths() {
        Strings paths;
        for (int n = OneIn(20) ? 0 : Below(OneIn(10) ? 200 : 25); n > 0; --n)
            paths.push_back(Path());
        return paths;
    }

private:
    std::mt19937 m_random;
    bool m_bDoubleByte;
};

class ImportDifferential : public PathsHost {
protected:
    void SetUp() override {
        PathsHost::SetUp();
        ASSERT_TRUE(m_reference.Create(kTreeStyle, CRect(10, 10, 310, 350), &m_parent, kTreeID + 1));
    }

    // The same tree in both controls: items inserted directly, at several levels and top-level items,
    // with IDs that repeat; now and then one that claims children it has not, or hides those it has.
    void Prepare(Inputs& in) {
        for (CPathsTree* pTree : {&m_tree, &m_reference})
            pTree->DeleteAllItems();
        std::vector<std::pair<HTREEITEM, HTREEITEM>> items;
        for (int n = in.OneIn(3) ? 0 : in.Below(40); n > 0; --n) {
            std::pair<HTREEITEM, HTREEITEM> parent{TVI_ROOT, TVI_ROOT};
            if (!items.empty() && !in.OneIn(4))
                parent = items[static_cast<size_t>(in.Below(static_cast<int>(items.size())))];
            std::string text = in.Text(true);
            int image = in.Below(4);
            long id = in.Id();
            items.emplace_back(
                m_tree.AddItem(parent.first, text.c_str(), TVI_LAST, image + 1, image, id),
                m_reference.AddItem(parent.second, text.c_str(), TVI_LAST, image + 1, image, id));
        }
        for (int n = in.OneIn(10) ? 2 : 0; n > 0 && !items.empty(); --n) {
            auto pick = items[static_cast<size_t>(in.Below(static_cast<int>(items.size())))];
            int children = in.Below(2);
            for (auto [pTree, hItem] :
                 {std::pair{&m_tree, pick.first}, std::pair{&m_reference, pick.second}}) {
                TVITEMA item{};
                item.hItem = hItem;
                item.mask = TVIF_CHILDREN;
                item.cChildren = children;
                ASSERT_TRUE(pTree->SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
            }
        }
        ASSERT_EQ(Format(ReadTree(m_tree)), Format(ReadTree(m_reference)));
    }

    // Runs the import on both trees, each watched for its insertions; now and then the trees refuse items
    // with one of the texts.
    template <class TIndexed, class TReference>
    void Compare(Inputs& in, TIndexed indexed, TReference reference) {
        std::string refuse = in.OneIn(6) ? in.Text(false) : std::string();
        if (refuse.empty())
            refuse = "\x01never";
        Journal inserts[2];
        int rows[2];
        {
            Changes changes(m_tree.m_hWnd, refuse);
            HTREEITEM hResult = indexed();
            inserts[0] = changes.m_changes;
            rows[0] = RowOf(m_tree, hResult);
        }
        {
            Changes changes(m_reference.m_hWnd, refuse);
            HTREEITEM hResult = reference();
            inserts[1] = changes.m_changes;
            rows[1] = RowOf(m_reference, hResult);
        }
        ASSERT_EQ(Format(ReadTree(m_tree)), Format(ReadTree(m_reference)));
        ASSERT_EQ(inserts[0], inserts[1]);
        ASSERT_EQ(rows[0], rows[1]);
    }

    // The result's place in pre-order, -1 for none.
    static int RowOf(const CTreeCtrl& tree, HTREEITEM hItem) {
        if (hItem == nullptr)
            return -1;
        std::vector<HTREEITEM> handles;
        ReadTree(tree, &handles);
        for (size_t i = 0; i < handles.size(); ++i)
            if (handles[i] == hItem)
                return static_cast<int>(i);
        return -2;
    }

    void ImportIds(Inputs& in) {
        Strings fields = in.Records();
        bool bClear = in.OneIn(3);
        long lWanted = in.Id();
        CStringArray records;
        FillArray(records, fields);
        Compare(
            in, [&] { return m_tree.ImpByIds(&records, bClear, lWanted); },
            [&] { return ReferenceImpByIds(m_reference, &records, bClear, lWanted); });
    }

    void ImportPaths(Inputs& in) {
        Strings strings = in.Paths();
        bool bClear = in.OneIn(3);
        CStringArray paths;
        FillArray(paths, strings);
        Compare(
            in,
            [&] {
                m_tree.ImpByPaths(&paths, 0, bClear);
                return HTREEITEM{};
            },
            [&] {
                ReferenceImpByPaths(m_reference, &paths, bClear);
                return HTREEITEM{};
            });
    }

    // Cases of one seed each: a prepared tree, then a few imports of either kind in a row.
    void Run(int nCases, unsigned firstSeed, bool bDoubleByte, int nPathShare) {
        if (bDoubleByte)
            emu::SetSystemCodePage(932);
        for (int c = 0; c < nCases; ++c) {
            unsigned seed = firstSeed + static_cast<unsigned>(c);
            SCOPED_TRACE("seed " + std::to_string(seed));
            Inputs in(seed, bDoubleByte);
            Prepare(in);
            for (int step = 1 + in.Below(3); step > 0; --step) {
                if (in.Below(4) < nPathShare)
                    ImportPaths(in);
                else
                    ImportIds(in);
                if (HasFatalFailure())
                    return;
            }
        }
    }

    CPathsTree m_reference;
};

TEST_F(ImportDifferential, ByIdsGivesWhatImpItemPerRecordGives) {
    Run(2500, 1000, false, 0);
}

TEST_F(ImportDifferential, ByPathsGivesWhatTheLookupPerComponentGives) {
    Run(2500, 20000, false, 4);
}

TEST_F(ImportDifferential, BothKindsInTurnOnTheSameTree) {
    Run(1500, 40000, false, 2);
}

TEST_F(ImportDifferential, PathsAndTextsInADoubleByteCodePage) {
    Run(1500, 60000, true, 3);
}

// Larger inputs: long chains of records each under the one before (forward references included), and deep
// paths that share their beginnings, merged several times into the same tree.
TEST_F(ImportDifferential, ChainsAndDeepPathsMergedAgain) {
    std::mt19937 random(5);
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Strings fields;
        for (int i = 0; i < 400; ++i) {
            int parent = static_cast<int>(random() % 3) == 0 ? static_cast<int>(random() % 500) : i;
            for (std::string field :
                 {std::to_string(i % 3), std::to_string(i == 0 ? -1 : parent),
                  std::to_string(i + 1 + static_cast<int>(random() % 2)), std::string("n")})
                fields.push_back(field);
        }
        Strings strings;
        for (int i = 0; i < 100; ++i) {
            std::string path = "n";
            for (int depth = static_cast<int>(random() % 40); depth > 0; --depth)
                path += (random() % 16 == 0 ? "\\\\" : "\\") +
                        std::string(1, static_cast<char>('a' + random() % 3));
            strings.push_back(path);
        }
        CStringArray records, paths;
        FillArray(records, fields);
        FillArray(paths, strings);
        bool bClear = round == 0;
        Inputs in(static_cast<unsigned>(round), false);
        Compare(
            in, [&] { return m_tree.ImpByIds(&records, bClear, 300); },
            [&] { return ReferenceImpByIds(m_reference, &records, bClear, 300); });
        Compare(
            in,
            [&] {
                m_tree.ImpByPaths(&paths, 0, false);
                return HTREEITEM{};
            },
            [&] {
                ReferenceImpByPaths(m_reference, &paths, false);
                return HTREEITEM{};
            });
        if (HasFatalFailure())
            return;
    }
}

} // namespace
