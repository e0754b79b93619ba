// A scenario run: the commands of a scenario file (ScenarioFile.h) done on the dialog's trees and buttons as
// the user would do them. A command after the one that ended the dialog is an error; a scenario that leaves
// the dialog open ends with a click on OK.
#pragma once

#include "DemoDlg.h"
#include "ScenarioFile.h"

#include <string>
#include <vector>

// Runs the commands on the running dialog, from inside its modal loop; stops at the first item or button
// that is not there or not shown, or a command after the dialog has ended. Pictures go to outDir. The dialog
// is left open only after a failure.
bool RunScenario(CDemoDlg& dlg, EventLog& log, const std::vector<ScenarioCommand>& commands,
                 const std::string& outDir, ScenarioError& error, std::vector<std::string>& pictures);
