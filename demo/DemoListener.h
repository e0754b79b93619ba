// The host's listener: reports every event with its arguments and carries out the moves and copies the
// controls report, as a real host keeps its trees in step with its data.
#pragma once

#include <TalControl.h>

#include "EventLog.h"

#include <string>
#include <vector>

class CDemoListener : public CCtrlListener {
public:
    explicit CDemoListener(EventLog& log) : m_log(log) {}

    // Names a control for the log and lets the listener find items dragged from it.
    void AddTree(COrnTreeCtrl* pTree, const char* pszName);

    int OnEvent1(CCtrlBase* pCtrl) override;
    bool OnEvent2(CCtrlBase* pCtrl) override;
    // Refuses a label with a backslash: it separates the components of an item's path.
    bool OnEndLabelEdit(CCtrlBase* pCtrl) override;
    bool OnDropCopy(CCtrlBase* pCtrl) override;
    bool OnDropMove(CCtrlBase* pCtrl) override;
    bool OnEvent7(CCtrlBase* pCtrl) override;
    bool OnEvent8(CCtrlBase* pCtrl) override;
    bool OnSelChanged(CCtrlBase* pCtrl) override;

private:
    struct NamedTree {
        COrnTreeCtrl* pTree;
        std::string name;
    };

    void Report(const char* pszEvent, CCtrlBase* pCtrl);
    const NamedTree* TreeOf(CCtrlBase* pCtrl) const;
    // Copies the dragged branch under the drop target; a move then deletes the original.
    void CarryOut(CCtrlBase* pCtrl, bool bMove);

    EventLog& m_log;
    std::vector<NamedTree> m_trees;
};
