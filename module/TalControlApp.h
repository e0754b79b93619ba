// The library's application object: one static object, under the library's own module state.
#pragma once

#include <afxwin.h>

class CTalControlApp : public CWinApp {
public:
    // The framework's default name applies.
    CTalControlApp();
    ~CTalControlApp() override;

    DECLARE_MESSAGE_MAP()

public:
    // Starts the framework's application part, whatever it answers, and succeeds.
    BOOL InitInstance() override;
};
