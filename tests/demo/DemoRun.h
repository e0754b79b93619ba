// The demo's dialog run as the program runs it: modally, its script played from inside the modal loop.
#pragma once

#include "DemoDlg.h"

#include <emu/Emu.h>
#include <gtest/gtest.h>

#include <functional>

class DemoRun : public testing::Test {
protected:
    void SetUp() override {
        emu::Reset();
        // As the program: the tree-view class for the template, OLE for the trees' drag and drop.
        ::InitCommonControls();
        ASSERT_TRUE(AfxOleInit());
    }

    // DoModal's result; a script that leaves the dialog open has it ended with IDABORT.
    INT_PTR RunDialog(const std::function<void(CDemoDlg&)>& script) {
        m_dlg.m_script = [&script](CDemoDlg& dlg) {
            script(dlg);
            if (dlg.ContinueModal())
                dlg.EndDialog(IDABORT);
        };
        return m_dlg.DoModal();
    }

    EventLog m_log;
    CDemoDlg m_dlg{m_log};
};
