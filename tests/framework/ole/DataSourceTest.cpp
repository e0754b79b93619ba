// The framework's sending side of drag and drop, driven by simulated input: when a drag starts, what ends
// it, which button drops, and what the drop targets of the framework see on the way.
#include <afxole.h>
#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Journal = std::vector<std::string>;
Journal g_journal;

void Note(const std::string& entry) {
    g_journal.push_back(entry);
}

std::string At(CPoint point) {
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

// The drag loop may call DragOver again while nothing moves (Wine polls every 50 ms), and the framework's
// Drop calls OnDragOver once more first: an OnDragOver that repeats the last one of its target is not noted,
// nor is the feedback that follows it.
bool g_bRepeated = false;

// Notes what reaches it under its name, with client points, and answers with m_effect.
class CNotingDropTarget : public COleDropTarget {
public:
    explicit CNotingDropTarget(const char* pszName) : m_strName(pszName) {}

    DROPEFFECT m_effect = DROPEFFECT_MOVE;

    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD, CPoint point) override {
        m_strLastOver.clear();
        g_bRepeated = false;
        Note(m_strName + ":OnDragEnter" + At(point) + Formats(pDataObject));
        return m_effect;
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override {
        const std::string entry = m_strName + ":OnDragOver" + At(point);
        g_bRepeated = entry == m_strLastOver;
        if (!g_bRepeated)
            Note(entry);
        m_strLastOver = entry;
        return m_effect;
    }
    BOOL OnDrop(CWnd*, COleDataObject*, DROPEFFECT dropEffect, CPoint point) override {
        m_strLastOver.clear();
        Note(m_strName + ":OnDrop " + std::to_string(dropEffect) + At(point));
        return TRUE;
    }
    void OnDragLeave(CWnd*) override {
        m_strLastOver.clear();
        Note(m_strName + ":OnDragLeave");
    }

private:
    // " formats" when the data offers any.
    static std::string Formats(COleDataObject* pDataObject) {
        IEnumFORMATETC* pFormats = nullptr;
        if (FAILED(pDataObject->m_lpDataObject->EnumFormatEtc(DATADIR_GET, &pFormats)) || pFormats == nullptr)
            return " no list";
        FORMATETC format;
        ULONG nFetched = 0;
        HRESULT hr = pFormats->Next(1, &format, &nFetched);
        pFormats->Release();
        return hr == S_OK ? " formats" : "";
    }
    std::string m_strName;
    std::string m_strLastOver;
};

// Notes the feedback it is asked for, and otherwise behaves as the default source.
class CNotingDropSource : public COleDropSource {
public:
    HRESULT GiveFeedback(DROPEFFECT dropEffect) override {
        if (!g_bRepeated)
            Note("feedback " + std::to_string(dropEffect));
        return COleDropSource::GiveFeedback(dropEffect);
    }
};

// Starts a drag of an empty data source on a press of either button.
class CSourceWnd : public CWnd {
public:
    COleDropSource* m_pDropSource = nullptr;
    LPCRECT m_lpRectStartDrag = nullptr;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { Drag(); }
    afx_msg void OnRButtonDown(UINT, CPoint) { Drag(); }
    afx_msg void OnLButtonUp(UINT, CPoint) { Note("source:WM_LBUTTONUP"); }
    DECLARE_MESSAGE_MAP()

private:
    void Drag() {
        COleDataSource dataSource;
        DROPEFFECT effect =
            dataSource.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, m_lpRectStartDrag, m_pDropSource);
        Note("DoDragDrop " + std::to_string(effect));
        EXPECT_EQ(dataSource.m_dwRef, 1) << "OLE keeps no reference to the data";
    }
};

BEGIN_MESSAGE_MAP(CSourceWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

// The source window at screen (100, 100) and the target window at (300, 100), both 200 by 200 and both drop
// targets.
class DataSourceTest : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        g_journal.clear();
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(m_source.CreateEx(0, nullptr, "source", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_target.CreateEx(0, nullptr, "target", WS_POPUP | WS_VISIBLE, 300, 100, 200, 200,
                                      nullptr, nullptr));
        ASSERT_TRUE(m_sourceDrop.Register(&m_source));
        ASSERT_TRUE(m_targetDrop.Register(&m_target));
        m_source.SetFocus();
    }
    void TearDown() override {
        CWnd::DeleteTempMap();
        emu::Reset();
    }

    static void Run() {
        emu::PumpMessages(AfxPumpMessage);
        EXPECT_EQ(::GetCapture(), nullptr);
    }

    CSourceWnd m_source;
    CWnd m_target;
    CNotingDropTarget m_sourceDrop{"source"};
    CNotingDropTarget m_targetDrop{"target"};
};

TEST_F(DataSourceTest, ADragToAnotherWindowDropsWithItsEffect) {
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::MouseMove(151, 150);
    emu::MouseMove(400, 150);
    emu::MouseUp();
    Run();
    EXPECT_EQ(g_journal, (Journal{"source:OnDragEnter(51,50)", "source:OnDragOver(51,50)",
                                  "source:OnDragLeave", "target:OnDragEnter(100,50)",
                                  "target:OnDragOver(100,50)", "target:OnDrop 2(100,50)", "DoDragDrop 2"}))
        << "the data offers no format; the release never reaches the source window";
}

TEST_F(DataSourceTest, ReleasingBeforeTheDragStartsGivesNoDrag) {
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::MouseUp();
    emu::MouseMove(400, 150);
    Run();
    EXPECT_EQ(g_journal, Journal{"DoDragDrop 0"}) << "the release is taken by the wait for the drag";
}

TEST_F(DataSourceTest, HoldingTheButtonStartsTheDragAfterTheDelay) {
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::Wait(150);
    emu::MouseUp();
    Run();
    EXPECT_EQ(g_journal, Journal{"DoDragDrop 0"}) << "released within the delay";

    g_journal.clear();
    emu::Wait(1000); // not a double click
    emu::MouseDown();
    emu::Wait(250);
    emu::MouseUp();
    Run();
    EXPECT_EQ(g_journal, (Journal{"source:OnDragEnter(50,50)", "source:OnDragOver(50,50)",
                                  "source:OnDrop 2(50,50)", "DoDragDrop 2"}));
}

TEST_F(DataSourceTest, EscapeOrTheOtherButtonCancels) {
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::MouseMove(400, 150);
    emu::PressKey(VK_ESCAPE);
    emu::MouseUp();
    Run();
    const Journal cancelled = {"target:OnDragEnter(100,50)", "target:OnDragOver(100,50)",
                               "target:OnDragLeave", "DoDragDrop 0"};
    EXPECT_EQ(g_journal, cancelled);

    g_journal.clear();
    emu::Wait(1000);
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::MouseMove(400, 150);
    emu::MouseDown(emu::Button::Right);
    emu::MouseUp(emu::Button::Right);
    emu::MouseMove(150, 150);
    emu::MouseUp();
    Run();
    Journal cancelledThenReleased = cancelled;
    cancelledThenReleased.push_back("source:WM_LBUTTONUP");
    EXPECT_EQ(g_journal, cancelledThenReleased) << "after the cancel, the input goes on as usual";
}

TEST_F(DataSourceTest, ARightButtonDragDropsOnItsReleaseAndTheLeftButtonCancelsIt) {
    emu::MouseMove(150, 150);
    emu::MouseDown(emu::Button::Right);
    emu::MouseMove(400, 150);
    emu::MouseUp(emu::Button::Right);
    Run();
    EXPECT_EQ(g_journal, (Journal{"target:OnDragEnter(100,50)", "target:OnDragOver(100,50)",
                                  "target:OnDrop 2(100,50)", "DoDragDrop 2"}));

    g_journal.clear();
    emu::Wait(1000);
    emu::MouseMove(150, 150);
    emu::MouseDown(emu::Button::Right);
    emu::MouseMove(400, 150);
    emu::MouseDown();
    Run();
    EXPECT_EQ(g_journal, (Journal{"target:OnDragEnter(100,50)", "target:OnDragOver(100,50)",
                                  "target:OnDragLeave", "DoDragDrop 0"}));
}

TEST_F(DataSourceTest, AStartRectangleAndADropSourceOfTheCaller) {
    CRect rectStart(140, 140, 170, 170);
    CNotingDropSource dropSource;
    m_source.m_lpRectStartDrag = &rectStart;
    m_source.m_pDropSource = &dropSource;
    emu::MouseMove(150, 150);
    emu::MouseDown();
    emu::MouseMove(169, 169);
    emu::MouseMove(170, 160);
    emu::MouseMove(400, 150);
    emu::MouseUp();
    Run();
    EXPECT_EQ(g_journal,
              (Journal{"source:OnDragEnter(70,60)", "feedback 2", "source:OnDragOver(70,60)", "feedback 2",
                       "source:OnDragLeave", "target:OnDragEnter(100,50)", "feedback 2",
                       "target:OnDragOver(100,50)", "feedback 2", "target:OnDrop 2(100,50)", "DoDragDrop 2"}))
        << "moves inside the rectangle start nothing";
}

} // namespace
