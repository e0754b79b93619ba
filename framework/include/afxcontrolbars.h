// The framework's control bars and visual managers of its later versions: of them, the dialog class of
// dialog-based applications (CDialogEx) is offered.
#pragma once

#include "afxwin.h"
#include "afxdialogex.h"
