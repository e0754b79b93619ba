// The emulated single-line edit control (window class "Edit").
#pragma once

#include <windows.h>

namespace emu::comctl {

void RegisterEditClass(HINSTANCE module);

} // namespace emu::comctl
