// The imports against their record-by-record definition: on the same random trees and inputs, ImpByIds
// against ImpItem per record, and ImpByPaths against a CheckFz lookup from the first top-level item per
// path component, give the same trees (texts, images, IDs, order), the same result item and the same
// insertions, in the same order.
#include "PathsHost.h"

#include <ImportReference.h>

#include <random>

namespace {

using Strings = std::vector<std::string>;

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
    // The requests that change the tree.
    static inline const std::vector<UINT> kChanges = {TVM_INSERTITEMA, TVM_SETITEMA, TVM_DELETEITEM};

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
            TreeRequests requests(m_tree.m_hWnd, refuse, kChanges);
            HTREEITEM hResult = indexed();
            inserts[0] = requests.m_requests;
            rows[0] = RowOf(m_tree, hResult);
        }
        {
            TreeRequests requests(m_reference.m_hWnd, refuse, kChanges);
            HTREEITEM hResult = reference();
            inserts[1] = requests.m_requests;
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
        CompareIds(in, records, bClear, lWanted);
    }

    void ImportPaths(Inputs& in) {
        Strings strings = in.Paths();
        bool bClear = in.OneIn(3);
        CStringArray paths;
        FillArray(paths, strings);
        ComparePaths(in, paths, bClear);
    }

    void CompareIds(Inputs& in, CStringArray& records, bool bClear, long lWanted) {
        Compare(
            in, [&] { return m_tree.ImpByIds(&records, bClear, lWanted); },
            [&] { return ReferenceImpByIds(m_reference, &records, bClear, lWanted); });
    }

    void ComparePaths(Inputs& in, CStringArray& paths, bool bClear) {
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
        CompareIds(in, records, bClear, 300);
        ComparePaths(in, paths, false);
        if (HasFatalFailure())
            return;
    }
}

} // namespace
