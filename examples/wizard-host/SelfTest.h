// The program's check of itself (--self-test): whenever the dialog's modal loop goes idle with the simulated
// input before it used up, the next step plays the user with the mouse and keys, or looks at what the dialog
// shows. Uses the project's test-facing input API, which a host of its own leaves out.
#pragma once

#include <emu/Emu.h>

#include <functional>
#include <vector>

class CCatalogDlg;

class CSelfTest {
public:
    CSelfTest();

    // Runs the next step once no input is left; TRUE while steps remain.
    BOOL OnIdle(CCatalogDlg& dlg);
    // Checks how the dialog ended and returns the number of expectations not met, which it prints.
    int Finish(INT_PTR nResponse, const CCatalogDlg& dlg);

private:
    void Expect(bool bMet, LPCTSTR lpszWhat);
    HTREEITEM Item(CCatalogDlg& dlg, LPCTSTR lpszPath);
    void ClickLabel(CCatalogDlg& dlg, LPCTSTR lpszPath, emu::Button button = emu::Button::Left);
    CString SelectionText(CCatalogDlg& dlg);

    std::vector<std::function<void(CCatalogDlg&)>> m_steps;
    size_t m_nNext = 0;
    int m_nFailures = 0;
};
