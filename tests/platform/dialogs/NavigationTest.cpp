// The order of the dialog manager's walk over a window's controls (GetNextDlgTabItem, GetNextDlgGroupItem)
// on a hierarchy of plain windows: containers (WS_EX_CONTROLPARENT) are entered, other parents are not,
// disabled and hidden controls are passed over, and groups run from one WS_GROUP control to the next, across
// the end of the window as well.
#include "DialogTest.h"

#include <map>
#include <string>

namespace {

struct Node {
    const char* name;
    const char* parent; // nullptr: a child of the top-level window
    DWORD style;
    DWORD exStyle;
};

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;

// Groups in walk order: [z1 z2 z3 | f1 f2 p1 p2] (the first control has no WS_GROUP, so the last group runs
// on into it), [g1 g2 g3 N], [h1 h2 h3] started by a hidden control, [x1 x2 x3] with nothing reachable. P is
// a container; N, though a parent too, is not one, so n1..n3 can be reached from none of the others.
const Node kNodes[] = {
    {"f1", nullptr, kShown | WS_DISABLED | WS_TABSTOP, 0},
    {"f2", nullptr, kShown, 0},
    {"P", nullptr, kShown, WS_EX_CONTROLPARENT},
    {"p1", "P", kShown | WS_TABSTOP, 0},
    {"p2", "P", kShown, 0},
    {"g1", nullptr, kShown | WS_GROUP, 0},
    {"g2", nullptr, kShown | WS_DISABLED | WS_TABSTOP, 0},
    {"g3", nullptr, kShown | WS_TABSTOP, 0},
    {"N", nullptr, kShown | DS_CONTROL, 0},
    {"n1", "N", kShown | WS_TABSTOP, 0},
    {"n2", "N", kShown, 0},
    {"n3", "N", kShown | WS_TABSTOP, 0},
    {"h1", nullptr, WS_CHILD | WS_GROUP, 0},
    {"h2", nullptr, kShown | WS_TABSTOP, 0},
    {"h3", nullptr, kShown, 0},
    {"x1", nullptr, kShown | WS_DISABLED | WS_GROUP, 0},
    {"x2", nullptr, kShown | WS_DISABLED | WS_TABSTOP, 0},
    {"x3", nullptr, WS_CHILD | WS_TABSTOP, 0},
    {"z1", nullptr, kShown | WS_GROUP, 0},
    {"z2", nullptr, kShown | WS_TABSTOP, 0},
    {"z3", nullptr, kShown | WS_DISABLED, 0},
};

enum class Walk { Tab, Group };

struct Step {
    Walk walk;
    const char* from; // nullptr: no control; "D": the top-level window itself
    bool previous;
    const char* expected; // nullptr: no control
};

const Step kSteps[] = {
    // Tab stops: visible, enabled, WS_TABSTOP; the container's are among them.
    {Walk::Tab, nullptr, false, "p1"},
    {Walk::Tab, "D", false, "p1"},
    {Walk::Tab, "p1", false, "g3"},
    {Walk::Tab, "g3", false, "h2"},
    {Walk::Tab, "h2", false, "z2"},
    {Walk::Tab, "z2", false, "p1"},
    {Walk::Tab, nullptr, true, nullptr},
    {Walk::Tab, "D", true, nullptr},
    {Walk::Tab, "p1", true, "z2"},
    {Walk::Tab, "g3", true, "p1"},
    {Walk::Tab, "n1", false, "n3"},
    // Groups: without a control, the first reachable one.
    {Walk::Group, nullptr, false, "f2"},
    {Walk::Group, "D", false, "f2"},
    {Walk::Group, nullptr, true, nullptr},
    {Walk::Group, "f2", false, "p1"},
    {Walk::Group, "g1", false, "g3"},
    {Walk::Group, "g3", false, "N"},
    // At the next WS_GROUP control the walk goes back to the start of the group...
    {Walk::Group, "N", false, "g1"},
    {Walk::Group, "p2", false, "z1"},
    // ...and on from a start that cannot be reached.
    {Walk::Group, "h3", false, "h2"},
    // The end of the window is no group's end.
    {Walk::Group, "z2", false, "f2"},
    {Walk::Group, "z3", false, "f2"},
    // A group with nothing reachable gives the control back.
    {Walk::Group, "x2", false, "x2"},
    // Backwards, the start of a group leads to the group's last reachable control.
    {Walk::Group, "g1", true, "N"},
    {Walk::Group, "z1", true, "p2"},
    {Walk::Group, "g3", true, "g1"},
    {Walk::Group, "f2", true, "z2"},
    {Walk::Group, "n1", false, "n2"},
};

using DialogNavigation = DialogTest;

TEST_F(DialogNavigation, TabAndGroupWalksOverAHierarchyOfWindows) {
    HWND top = CreateOwner();
    ASSERT_NE(nullptr, top);
    std::map<std::string, HWND> windows{{"D", top}};
    std::map<HWND, std::string> names{{top, "D"}, {nullptr, "(none)"}};
    int id = 100;
    for (const Node& node : kNodes) {
        HWND parent = node.parent ? windows.at(node.parent) : top;
        HWND w = CreateWindowExA(node.exStyle, "Static", node.name, node.style, 0, 0, 10, 10, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)),
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(nullptr, w) << node.name;
        windows[node.name] = w;
        names[w] = node.name;
    }
    for (const Step& step : kSteps) {
        HWND from = step.from ? windows.at(step.from) : nullptr;
        HWND found = step.walk == Walk::Tab ? GetNextDlgTabItem(top, from, step.previous)
                                            : GetNextDlgGroupItem(top, from, step.previous);
        EXPECT_EQ(step.expected ? step.expected : "(none)", names.count(found) ? names[found] : "(other)")
            << (step.walk == Walk::Tab ? "tab" : "group") << (step.previous ? " before " : " after ")
            << (step.from ? step.from : "(none)");
    }
}

} // namespace
