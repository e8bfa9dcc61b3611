// The text of the system's last error, for messages.
// Needs: the platform layer.
#pragma once

#include <string>

// The system's text for GetLastError(), in UTF-8, without its line end; "error N" when there is
// none.
std::string lastErrorText();
