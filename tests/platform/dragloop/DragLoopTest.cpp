// OLE's modal drag loop driven by simulated input: the calls it makes on the drop source and the drop
// targets, in order, with key state, screen points and effects.
#include "DragLoopHarness.h"

namespace dragloop_test {
namespace {

const Record kStartOverLeft = {
    "Formats", "Query 0 1", "left:Enter 1 150,150 3", "Feedback 2", "left:Over 1 150,150 3", "Feedback 2"};

Record Then(Record first, const Record& more) {
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

TEST_F(DragLoopTest, NullArgumentsAreRefused) {
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(nullptr, &m_source, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(&m_data, nullptr, DROPEFFECT_COPY, &effect), E_INVALIDARG);
    EXPECT_EQ(DoDragDrop(&m_data, &m_source, DROPEFFECT_COPY, nullptr), E_INVALIDARG);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(DragLoopTest, TheFirstStepEntersAndMovesAndReleasingDrops) {
    Drag(150, 150, [] {
        emu::MouseMove(160, 170);
        emu::MouseUp();
    });
    EXPECT_EQ(Calls(), Then(kStartOverLeft, {"Query 0 1", "left:Over 1 160,170 3", "Feedback 2", "Query 0 0",
                                             "left:Drop 0 160,170 3"}));
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(Delivered(), Record{"left:WM_MOUSEMOVE"}) << "the drag's mouse messages reach no window";
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragLoopTest, CrossingWindowsLeavesOneTargetAndEntersTheNext) {
    Drag(150, 150, [] {
        emu::MouseMove(350, 120); // right
        emu::MouseMove(400, 200); // inner, a child of right without a target of its own
        emu::MouseMove(550, 150); // the frame, which has none
        emu::MouseMove(160, 150); // left again
        emu::MouseUp();
    });
    EXPECT_EQ(Calls(), Then(kStartOverLeft, {"Query 0 1",
                                             "left:Leave",
                                             "right:Enter 1 350,120 3",
                                             "Feedback 2",
                                             "right:Over 1 350,120 3",
                                             "Feedback 2", //
                                             "Query 0 1",
                                             "right:Over 1 400,200 3",
                                             "Feedback 2", //
                                             "Query 0 1",
                                             "right:Leave",
                                             "Feedback 0",
                                             "Feedback 0", //
                                             "Query 0 1",
                                             "left:Enter 1 160,150 3",
                                             "Feedback 2",
                                             "left:Over 1 160,150 3",
                                             "Feedback 2",
                                             "Query 0 0",
                                             "left:Drop 0 160,150 3"}));
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
}

TEST_F(DragLoopTest, KeysAreReportedButNotDispatched) {
    Drag(150, 150, [] {
        emu::KeyDown(VK_CONTROL);
        emu::KeyDown(VK_SHIFT);
        emu::MouseMove(160, 150);
        emu::KeyUp(VK_SHIFT);
        emu::KeyDown(VK_MENU);
        emu::MouseUp();
    });
    EXPECT_EQ(Calls(), Then(kStartOverLeft, {"Query 0 9", "left:Over 9 150,150 3", "Feedback 2",   //
                                             "Query 0 13", "left:Over 13 150,150 3", "Feedback 2", //
                                             "Query 0 13", "left:Over 13 160,150 3", "Feedback 2", //
                                             "Query 0 9", "left:Over 9 160,150 3", "Feedback 2",   //
                                             "Query 0 41", "left:Over 41 160,150 3", "Feedback 2", //
                                             "Query 0 40", "left:Drop 40 160,150 3"}));
    EXPECT_EQ(Delivered(), Record{"left:WM_MOUSEMOVE"});
}

TEST_F(DragLoopTest, EscapeCancelsOverTheTarget) {
    Drag(150, 150, [] {
        emu::MouseMove(160, 150);
        emu::KeyDown(VK_ESCAPE);
        emu::KeyUp(VK_ESCAPE);
        emu::MouseUp();
    });
    EXPECT_EQ(Calls(), Then(kStartOverLeft,
                            {"Query 0 1", "left:Over 1 160,150 3", "Feedback 2", "Query 1 1", "left:Leave"}));
    EXPECT_EQ(m_result, DRAGDROP_S_CANCEL);
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(Delivered(), (Record{"left:WM_MOUSEMOVE", "left:WM_LBUTTONUP"}))
        << "input after the drag goes on as usual; the Escape press never arrives";
}

TEST_F(DragLoopTest, RunningOutOfInputEndsAsTheUsersCancel) {
    Drag(150, 150, [] { emu::MouseMove(160, 150); });
    const Record expected =
        Then(kStartOverLeft, {"Query 0 1", "left:Over 1 160,150 3", "Feedback 2", "Query 1 1", "left:Leave"});
    EXPECT_EQ(Calls(), expected);
    EXPECT_EQ(m_result, DRAGDROP_S_CANCEL);

    SetUp();
    m_source.m_neverStop = true;
    Drag(150, 150, [] { emu::MouseMove(160, 150); });
    EXPECT_EQ(Calls(), expected) << "a source that never stops is cancelled all the same";
    EXPECT_EQ(m_result, DRAGDROP_S_CANCEL);
}

TEST_F(DragLoopTest, EffectsAreOfferedAsAllowedMaskedAndDecideTheDrop) {
    m_allowed = DROPEFFECT_COPY | DROPEFFECT_LINK;
    m_leftTarget.m_answer = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    Drag(150, 150, [] { emu::MouseUp(); });
    EXPECT_EQ(Calls(), (Record{"Formats", "Query 0 1", "left:Enter 1 150,150 5", "Feedback 1",
                               "left:Over 1 150,150 5", "Feedback 1", "Query 0 0", "left:Drop 0 150,150 5"}));
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_COPY));

    SetUp();
    m_allowed = DROPEFFECT_COPY;
    m_leftTarget.m_answer = DROPEFFECT_MOVE;
    Drag(150, 150, [] { emu::MouseUp(); });
    EXPECT_EQ(Calls(), (Record{"Formats", "Query 0 1", "left:Enter 1 150,150 1", "Feedback 0",
                               "left:Over 1 150,150 1", "Feedback 0", "Query 0 0", "left:Leave"}))
        << "with no effect left, the release leaves the target";
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_NONE));

    SetUp();
    m_allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    m_leftTarget.m_answer = DROPEFFECT_MOVE;
    Drag(150, 150, [] {
        emu::MouseMove(550, 150);
        emu::MouseUp();
    });
    EXPECT_EQ(Calls(),
              Then(kStartOverLeft, {"Query 0 1", "left:Leave", "Feedback 0", "Feedback 0", "Query 0 0"}))
        << "released over no target";
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DragLoopTest, TimersAndPostedMessagesAreDispatchedDuringTheDrag) {
    SetTimer(m_frame, 1, 25, nullptr);
    m_leftTarget.m_onOver = [this] {
        if (Calls().size() < 6)
            PostMessageA(m_right, WM_USER, 0, 0);
    };
    Drag(150, 150, [] {
        emu::Wait(30);
        emu::MouseMove(160, 150);
        emu::MouseUp();
    });
    EXPECT_EQ(Delivered(), (Record{"left:WM_MOUSEMOVE", "right:WM_USER", "frame:WM_TIMER"}));
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
}

} // namespace
} // namespace dragloop_test
