// Filling the tree from ID records and from item paths.
#include "PathsHost.h"

#include <climits>

namespace {

using Strings = std::vector<std::string>;

class ImportHost : public PathsHost {
protected:
    // Lets the new windows paint, clears the update region, runs the call, and tells whether the tree was
    // then invalidated whole with its background to be erased. (Under Wine a window whose first painting is
    // still to come is not sent the erase.)
    template <class TCall> bool InvalidatesWithErase(TCall call) {
        emu::PumpMessages(AfxPumpMessage);
        ::ValidateRect(m_tree.m_hWnd, nullptr);
        call();
        CRect client, update;
        m_tree.GetClientRect(&client);
        if (!::GetUpdateRect(m_tree.m_hWnd, &update, FALSE) || update != client)
            return false;
        EraseWatch watch(m_tree.m_hWnd);
        ::GetUpdateRect(m_tree.m_hWnd, nullptr, TRUE);
        return watch.m_bErased;
    }

    // Notes whether the tree is asked to erase its background.
    struct EraseWatch {
        explicit EraseWatch(HWND hwnd) : m_hwnd(hwnd) {
            s_pActive = this;
            m_proc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EraseWatch::Proc)));
        }
        ~EraseWatch() { SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_proc)); }
        EraseWatch(const EraseWatch&) = delete;
        EraseWatch& operator=(const EraseWatch&) = delete;
        static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
            if (msg == WM_ERASEBKGND)
                s_pActive->m_bErased = true;
            return CallWindowProcA(s_pActive->m_proc, hwnd, msg, wp, lp);
        }
        static inline EraseWatch* s_pActive = nullptr;
        HWND m_hwnd;
        WNDPROC m_proc;
        bool m_bErased = false;
    };

    CStringArray m_records;
};

class ImportByIds : public ImportHost {
protected:
    // The nine records of the worked example, in order.
    static inline const Strings kExample = {
        "0", "-1", "1", "Root",       "1", "1",  "2", "Child",  "1", "1",  "3", "",
        "0", "2",  "4", "Grandchild", "2", "-1", "5", "Second", "1", "5",  "6", "Under second",
        "0", "1",  "2", "Again",      "0", "9",  "7", "Orphan", "0", "-1", "6", "Copy"};
};

// The tree the example ends with, whatever ID is wanted, and the item each wanted ID gives (a row of the
// tree, or none).
TEST_F(ImportByIds, TheWorkedExampleBuildsItsTreeAndFindsTheWantedItem) {
    const std::vector<Row> expected = {
        {0, "Root", 0, 1, 1},   {1, "Child", 2, 3, 2},  {2, "Grandchild", 0, 1, 4},
        {1, " ", 2, 3, 3},      {0, "Second", 4, 5, 5}, {0, "Under second", 2, 3, 6},
        {0, "Orphan", 0, 1, 7}, {0, "Copy", 0, 1, 6},
    };
    struct Case {
        long wanted;
        int row; // -1: no item
    } cases[] = {{4, 2}, {6, 5}, {2, 1}, {8, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE("wanted ID " + std::to_string(c.wanted));
        m_tree.AddItem(TVI_ROOT, "left from before", TVI_LAST, 0, 0, 99);
        HTREEITEM hResult = m_tree.ImpByIds(FillArray(m_records, kExample), true, c.wanted);
        std::vector<HTREEITEM> handles;
        EXPECT_EQ(Format(ReadTree(m_tree, &handles)), Format(expected));
        ASSERT_EQ(handles.size(), expected.size());
        EXPECT_EQ(hResult, c.row < 0 ? nullptr : handles[static_cast<size_t>(c.row)]);
    }
}

// Each record is inserted with item data 0 and then given its ID, as the last child of its parent; a
// skipped record sends nothing.
TEST_F(ImportByIds, InsertsThenSetsTheIDOfEachRecord) {
    TreeRequests requests(m_tree.m_hWnd);
    m_tree.ImpByIds(FillArray(m_records, {"0", "-1", "1", "Root", "3", "1", "2", "Kid", "0", "-1", "1", "Dup",
                                          "0", "77", "5", "Lost"}),
                    true, 0);
    EXPECT_EQ(requests.Only({"INSERT", "SET", "DELETE"}),
              (Journal{"DELETE(root)", "INSERT(root,0x23,'Root',0/1,#0,last)", "SET(Root,0x4,#1)",
                       "INSERT(Root,0x23,'Kid',6/7,#0,last)", "SET(Kid,0x4,#2)",
                       "INSERT(null,0x23,'Lost',0/1,#0,last)", "SET(Lost,0x4,#5)"}));
}

TEST_F(ImportByIds, WithoutClearMergesIntoTheTree) {
    Build({{0, "Root", 1}, {1, "Child", 2}, {0, "Other", 3}, {1, "Deep", 4}});
    HTREEITEM hResult =
        m_tree.ImpByIds(FillArray(m_records, {"0", "1", "2", "Dup", "1", "1", "10", "New", "0", "-1", "4",
                                              "Seen only outside", "0", "4", "11", "Under a hidden parent"}),
                        false, 2);
    EXPECT_EQ(hResult, nullptr) << "the existing item is not a newly inserted one";
    EXPECT_EQ(Format(ReadTree(m_tree)),
              (Strings{"Root 0/0 #1", "  Child 0/0 #2", "  New 2/3 #10", "Other 0/0 #3", "  Deep 0/0 #4",
                       "Seen only outside 0/1 #4", "Under a hidden parent 0/1 #11"}));
}

TEST_F(ImportByIds, AChildBeforeItsParentStaysAtTheTopLevel) {
    m_tree.ImpByIds(FillArray(m_records, {"0", "20", "21", "Kid", "0", "-1", "20", "Parent", "0", "21", "22",
                                          "Grandkid"}),
                    true, 0);
    EXPECT_EQ(Format(ReadTree(m_tree)), (Strings{"Kid 0/1 #21", "  Grandkid 0/1 #22", "Parent 0/1 #20"}));
}

// 0 is an ordinary ID, and so is a text without digits.
TEST_F(ImportByIds, IDZeroAndTextsWithoutDigits) {
    m_tree.ImpByIds(FillArray(m_records, {"0", "0", "30", "No parent yet"}), true, 0);
    EXPECT_EQ(Format(ReadTree(m_tree)), Strings{"No parent yet 0/1 #30"});

    CStringArray paths;
    m_tree.ImpByPaths(FillArray(paths, {"P"}), 0, true);
    m_tree.ImpByIds(FillArray(m_records, {"0", "zero", "31", "Under P", "0", "-1", "none", "No digits", "0",
                                          "-1", "0", "Zero", "1", "0", "32", "Also under P"}),
                    false, 0);
    EXPECT_EQ(Format(ReadTree(m_tree)), (Strings{"P 0/0 #0", "  Under P 0/1 #31", "  Also under P 2/3 #32"}));
}

TEST_F(ImportByIds, ReadsNumbersAsAtolWithin32Bits) {
    struct Case {
        const char* text;
        LONG value;
    } cases[] = {
        {"42", 42},
        {"  42", 42},
        {"\t\n\v\f\r7", 7},
        {"+7", 7},
        {"-7", -7},
        {"-0", 0},
        {"007", 7},
        {"12abc", 12},
        {"1 2", 1},
        {"0x1A", 0},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"+-5", 0},
        {"2147483647", INT_MAX},
        {"2147483648", INT_MAX},
        {"99999999999999999999999999", INT_MAX},
        {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN},
        {"-99999999999999999999999999", INT_MIN},
        {"4294967301", INT_MAX},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        HTREEITEM hItem = m_tree.ImpByIds(FillArray(m_records, {"0", "-1", c.text, "T"}), true, c.value);
        ASSERT_NE(hItem, nullptr);
        EXPECT_EQ(static_cast<LONG>(m_tree.GetItemData(hItem)), c.value);
    }
}

TEST_F(ImportByIds, ImageGroupsAndEmptyTexts) {
    m_tree.ImpByIds(
        FillArray(m_records, {"3", "-1", "1", "Three", " 2x", "-1", "2", "", "0", "-1", "3", " "}), true, 0);
    EXPECT_EQ(Format(ReadTree(m_tree)),
              Format({{0, "Three", 6, 7, 1}, {0, " ", 4, 5, 2}, {0, " ", 0, 1, 3}}));
}

// Records are read four strings at a time; a partial record at the end is ignored.
TEST_F(ImportByIds, SevenStringsImportOneRecord) {
    HTREEITEM hResult =
        m_tree.ImpByIds(FillArray(m_records, {"0", "-1", "1", "One", "0", "-1", "2"}), true, 2);
    EXPECT_EQ(hResult, nullptr);
    EXPECT_EQ(Format(ReadTree(m_tree)), Strings{"One 0/1 #1"});
}

// The tree is invalidated with erase at the end even when nothing was imported; a null array does nothing.
TEST_F(ImportByIds, AnEmptyArrayStillClearsAndInvalidates) {
    Build({{0, "Old", 1}});
    EXPECT_FALSE(InvalidatesWithErase([&] { EXPECT_EQ(m_tree.ImpByIds(nullptr, true, 1), nullptr); }));
    EXPECT_EQ(m_tree.GetCount(), 1u);
    EXPECT_TRUE(InvalidatesWithErase([&] { EXPECT_EQ(m_tree.ImpByIds(&m_records, false, 0), nullptr); }));
    EXPECT_EQ(m_tree.GetCount(), 1u);
    m_tree.ImpByIds(&m_records, true, 0);
    EXPECT_EQ(m_tree.GetCount(), 0u);
}

class ImportItem : public ImportByIds {};

TEST_F(ImportItem, ARecordOutsideTheArrayThrowsBeforeInserting) {
    FillArray(m_records, {"0", "-1", "1", "One", "0", "-1", "2"});
    for (int nRecord : {1, 2, -1, INT_MIN}) {
        SCOPED_TRACE(nRecord);
        bool bThrown = false;
        try {
            m_tree.ImpItem(&m_records, nRecord, 0);
        } catch (CInvalidArgException* e) {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
        EXPECT_EQ(m_tree.GetCount(), 0u);
    }
    EXPECT_NE(m_tree.ImpItem(&m_records, 0, 1), nullptr);
}

TEST_F(ImportItem, AnEmptyArrayGivesNothingForAnyRecord) {
    EXPECT_EQ(m_tree.ImpItem(&m_records, 5, 0), nullptr);
    EXPECT_EQ(m_tree.ImpItem(&m_records, -1, 0), nullptr);
}

// A refused insertion sets no ID; the import goes on with the next record.
TEST_F(ImportItem, ARefusedInsertionSetsNoID) {
    TreeRequests requests(m_tree.m_hWnd, "Refused");
    EXPECT_EQ(
        m_tree.ImpByIds(FillArray(m_records, {"0", "-1", "1", "Refused", "0", "1", "2", "Next"}), true, 1),
        nullptr);
    EXPECT_EQ(requests.Only({"INSERT", "SET"}),
              (Journal{"INSERT(root,0x23,'Refused',0/1,#0,last)", "INSERT(null,0x23,'Next',0/1,#0,last)",
                       "SET(Next,0x4,#2)"}));
    EXPECT_EQ(Format(ReadTree(m_tree)), Strings{"Next 0/1 #2"});
}

class ImportByPaths : public ImportHost {
protected:
    void Import(const Strings& paths, bool bClear) {
        m_tree.ImpByPaths(FillArray(m_paths, paths), 0, bClear);
    }
    Strings Tree() { return Format(ReadTree(m_tree)); }
    CStringArray m_paths;
};

// The five paths of the worked example, and the tree after each of them.
TEST_F(ImportByPaths, TheWorkedExampleBuildsItsTreePathByPath) {
    const Strings paths = {"A\\B", "A\\E", "\\A\\B\\D\\", "X\\Y", "X\\Z"};
    const std::vector<Strings> after = {
        {"A", "  B"},
        {"A", "  B", "  E"},
        {"A", "  B", "    D", "  E"},
        {"A", "  B", "    D", "  E", "X", "  Y"},
        {"A", "  B", "    D", "  E", "X", "  Y", "X", "  Z"},
    };
    for (size_t n = 1; n <= paths.size(); ++n) {
        SCOPED_TRACE("after " + paths[n - 1]);
        Build({{0, "left from before", 5}});
        Import(Strings(paths.begin(), paths.begin() + static_cast<std::ptrdiff_t>(n)), true);
        Strings expected;
        for (const std::string& line : after[n - 1])
            expected.push_back(line + " 0/0 #0");
        EXPECT_EQ(Tree(), expected);
    }
}

// Only the missing components are inserted, with the text alone: ID 0 and image 0.
TEST_F(ImportByPaths, InsertsTheMissingComponentsWithTextOnly) {
    Import({"A\\B"}, true);
    TreeRequests requests(m_tree.m_hWnd);
    Import({"A\\B\\C\\D"}, false);
    EXPECT_EQ(requests.Only({"INSERT", "SET", "DELETE"}),
              (Journal{"INSERT(B,0x1,'C',0/0,#0,last)", "INSERT(C,0x1,'D',0/0,#0,last)"}));
    EXPECT_EQ(m_tree.FindHandleByID(0, m_tree.GetRootItem()), m_tree.GetRootItem());
}

TEST_F(ImportByPaths, EmptyStringsAddAOneSpaceItemEachTime) {
    Import({"A", "", "\\\\"}, true);
    EXPECT_EQ(Tree(), Format({{0, "A", 0, 0, 0}, {0, " ", 0, 0, 0}, {0, " ", 0, 0, 0}}));

    m_tree.DeleteAllItems();
    Build({{0, "", 0}});
    Import({"", "\\"}, false);
    EXPECT_EQ(Tree(), Format({{0, "", 0, 0, 0}})) << "the first top-level item's empty text is found";
}

// An empty component resolves to the item above it; the next component is looked up with the empty one in
// between, which never matches, so it is inserted again on every import.
TEST_F(ImportByPaths, DoubleBackslashesUnderTheFirstItem) {
    Import({"A\\B"}, true);
    Import({"A\\\\B"}, false);
    EXPECT_EQ(Tree(), (Strings{"A 0/0 #0", "  B 0/0 #0", "  B 0/0 #0"}));
    Import({"A\\\\B"}, false);
    EXPECT_EQ(Tree(), (Strings{"A 0/0 #0", "  B 0/0 #0", "  B 0/0 #0", "  B 0/0 #0"}));
}

TEST_F(ImportByPaths, AnEmptyComponentThatMustBeCreatedIsOneSpace) {
    Import({"A", "X\\\\Y"}, true);
    EXPECT_EQ(Tree(), Format({{0, "A", 0, 0, 0}, {0, "X", 0, 0, 0}, {1, " ", 0, 0, 0}, {2, "Y", 0, 0, 0}}));
}

// A second import finds again only paths inside the first top-level item's branch without empty components.
TEST_F(ImportByPaths, TheSamePathsTwiceWithoutClear) {
    const Strings paths = {"A\\B", "A\\\\C", "X\\Y", "A\\B\\D"};
    Import(paths, true);
    const Strings once = Tree();
    EXPECT_EQ(once,
              (Strings{"A 0/0 #0", "  B 0/0 #0", "    D 0/0 #0", "  C 0/0 #0", "X 0/0 #0", "  Y 0/0 #0"}));
    Import(paths, false);
    EXPECT_EQ(Tree(), (Strings{"A 0/0 #0", "  B 0/0 #0", "    D 0/0 #0", "  C 0/0 #0", "  C 0/0 #0",
                               "X 0/0 #0", "  Y 0/0 #0", "X 0/0 #0", "  Y 0/0 #0"}));
}

// After a refused insertion the rest of the path goes to the top level.
TEST_F(ImportByPaths, ARefusedComponentSendsTheRestToTheTopLevel) {
    TreeRequests requests(m_tree.m_hWnd, "B");
    Import({"A\\B\\C\\D"}, true);
    EXPECT_EQ(Tree(), (Strings{"A 0/0 #0", "C 0/0 #0", "  D 0/0 #0"}));
    EXPECT_EQ(requests.Only({"INSERT"}),
              (Journal{"INSERT(root,0x1,'A',0/0,#0,last)", "INSERT(A,0x1,'B',0/0,#0,last)",
                       "INSERT(null,0x1,'C',0/0,#0,last)", "INSERT(C,0x1,'D',0/0,#0,last)"}));
}

TEST_F(ImportByPaths, ClearsAndInvalidatesUnlessTheArrayIsNull) {
    Build({{0, "Old", 1}});
    EXPECT_FALSE(InvalidatesWithErase([&] { m_tree.ImpByPaths(nullptr, 0, true); }));
    EXPECT_EQ(Tree(), Strings{"Old 0/0 #1"});

    EXPECT_TRUE(InvalidatesWithErase([&] { Import({}, false); }));
    EXPECT_EQ(Tree(), Strings{"Old 0/0 #1"});
    EXPECT_TRUE(InvalidatesWithErase([&] { Import({}, true); }));
    EXPECT_EQ(Tree(), Strings{});
}

} // namespace
