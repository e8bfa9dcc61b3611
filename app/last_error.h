// The text of the system's last error, for messages.
// Needs: the platform layer.
#pragma once

#include <string>

// FormatMessageA's text for GetLastError(), without its line end; "error N" when there is none.
std::string lastErrorText();
