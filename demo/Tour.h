// The guided tour: simulated input on the host's three controls, one narrated step at a time, with a
// picture of the whole window after each step.
#pragma once

#include "DemoHost.h"
#include "User.h"

#include <emu/Emu.h>

#include <string>
#include <vector>

class CTour {
public:
    // Pictures go to outDir, which must exist; an empty outDir takes none.
    CTour(CDemoHost& host, EventLog& log, std::string outDir);

    // Runs every step; false when a step could not find its items or a picture could not be written.
    bool Run();

    // The pictures written, in order.
    const std::vector<std::string>& Pictures() const { return m_pictures; }

private:
    void Begin(const char* pszNarration);
    bool End(const char* pszName);
    // Writes the window's picture now, named after the step.
    bool Save(const char* pszName);

    void ReportChecks(COrnTreeCtrl& tree, const char* pszName, const std::vector<const char*>& paths);

    HTREEITEM Item(COrnTreeCtrl& tree, const char* pszPath);

    CDemoHost& m_host;
    EventLog& m_log;
    std::string m_outDir;
    int m_nStep = 0;
    bool m_bFound = true;
    std::vector<std::string> m_pictures;
};
