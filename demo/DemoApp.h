// The demo program, a dialog-based application: its InitInstance reads the command line and runs the demo's
// dialog, whose script is the guided tour or the user's scenario; the exit code is the demo's result.
//
//   tal-demo [output folder]
//   tal-demo --scenario <file> [output folder]
#pragma once

#include <afxwin.h>

class CDemoApp : public CWinApp {
public:
    CDemoApp();

    BOOL InitInstance() override;
    // 0 when every step or command ran and every picture was written, 1 when not, 2 for a wrong command
    // line or scenario file.
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()

private:
    int m_nResult = 1;
};

extern CDemoApp theApp;
