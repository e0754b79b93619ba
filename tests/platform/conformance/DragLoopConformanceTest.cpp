// The OLE drag loop as the platform's conformance test of DoDragDrop records it: while the pointer rests, the
// loop goes on asking the source, and each answer to go on brings a DragOver and a GiveFeedback, until the
// source drops. Runs on the emulation and on the real platform.
#include "../dragloop/DragLoopHarness.h"

#include <algorithm>

namespace dragloop_test {
namespace {

using DragLoopConformance = DragLoopTest;

TEST_F(DragLoopConformance, RoundsGoOnWhileThePointerRests) {
    m_source.m_dropAt = 6;
    // Only time passes after the press; the drag is over long before the late move.
    Drag(150, 150, [] {
        emu::Wait(2000);
        emu::MouseMove(150, 150);
    });
    Record calls = Calls();
    // The platform lists the data object's formats first, Wine does not.
    calls.erase(std::remove(calls.begin(), calls.end(), "Formats"), calls.end());
    Record expected{"Query 0 1", "left:Enter 1 150,150 3", "Feedback 2", "left:Over 1 150,150 3",
                    "Feedback 2"};
    for (int round = 2; round < 6; ++round)
        expected.insert(expected.end(), {"Query 0 1", "left:Over 1 150,150 3", "Feedback 2"});
    expected.insert(expected.end(), {"Query 0 1", "left:Drop 1 150,150 3"});
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(m_result, DRAGDROP_S_DROP);
    EXPECT_EQ(m_effect, static_cast<DWORD>(DROPEFFECT_MOVE));
}

} // namespace
} // namespace dragloop_test
