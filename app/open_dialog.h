// Asking the user for a map with the desktop's open-file dialog (GetOpenFileNameW): at a start
// from the desktop without a map, and for Ctrl+O.
// Needs: the platform layer.
#pragma once

#include "platform/win32.h"

#include <string>

// True with the chosen file in `chosen`; false when the user cancelled (problem empty) or the
// dialog could not be shown (problem says why). The dialog starts in `folder` where one is
// given (the shown map's), else where the desktop chooses.
bool askForMap(HWND owner, const std::string& folder, std::string& chosen, std::string& problem);
