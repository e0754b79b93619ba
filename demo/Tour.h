// The guided tour: simulated input on the dialog's three controls, one narrated step at a time, with a
// picture of the whole dialog after each step; the last step clicks OK, which ends the dialog.
#pragma once

#include "DemoDlg.h"
#include "User.h"

#include <emu/Emu.h>

#include <string>
#include <vector>

class CTour {
public:
    // Pictures go to outDir, which must exist; an empty outDir takes none.
    CTour(CDemoDlg& dlg, EventLog& log, std::string outDir);

    // Runs every step from inside the dialog's modal loop; false when a step could not find its items, a
    // picture could not be written or the dialog ended before the last step.
    bool Run();

    // The pictures written, in order.
    const std::vector<std::string>& Pictures() const { return m_pictures; }

private:
    void Begin(const char* pszNarration);
    bool End(const char* pszName);
    // Writes the dialog's picture now, named after the step.
    bool Save(const char* pszName);

    void ReportChecks(COrnTreeCtrl& tree, const char* pszName, const std::vector<const char*>& paths);

    HTREEITEM Item(COrnTreeCtrl& tree, const char* pszPath);

    CDemoDlg& m_dlg;
    EventLog& m_log;
    std::string m_outDir;
    int m_nStep = 0;
    bool m_bFound = true;
    std::vector<std::string> m_pictures;
};
