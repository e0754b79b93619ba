// The emulation's build declares the dialogs of WizardApp.rc here.
#ifndef _WIN32

#include <afxwin.h>
#include <emu/Resources.h>

#include "DialogTemplate.h"
#include "resource.h"

namespace {

const DialogTemplate kAbout = [] {
    DialogTemplate t(DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 170, 62, "About Wizard");
    t.Item(DialogTemplate::kStatic, 0xFFFF, SS_LEFT | WS_GROUP, 42, 14, 114, 8, "Wizard, Version 1.0")
        .Item(DialogTemplate::kButton, IDOK, BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 113, 41, 50, 14, "OK");
    return t;
}();
const DialogTemplate kWizard = [] {
    DialogTemplate t(WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 200, 80,
                     "Wizard");
    t.Item(DialogTemplate::kEdit, IDC_NAME, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 10, 10, 120, 14, "")
        .Item(DialogTemplate::kButton, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 140, 10, 50, 14, "OK")
        .Item(DialogTemplate::kButton, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 140, 30, 50, 14, "Cancel");
    return t;
}();
EMU_RESOURCE(RT_DIALOG, MAKEINTRESOURCEA(IDD_ABOUTBOX), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
             kAbout.Bytes().data(), kAbout.Bytes().size());
EMU_RESOURCE(RT_DIALOG, MAKEINTRESOURCEA(IDD_WIZARD_DIALOG), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
             kWizard.Bytes().data(), kWizard.Bytes().size());

} // namespace

#endif
