// How the load report writes its values, the same on every platform.
// Needs: standard C++ only.
#pragma once

#include <string>

// A float as printf's %g with 6 significant digits, except that the exponent always has
// a sign and at least three digits (12345678 -> 1.23457e+007, 0.00001 -> 1e-005), and that
// non-finite values are nan, inf and -inf.
std::string formatReportFloat(float value);

// Text from the file (tile set, IDs) and names go out as read, byte for byte, unless the
// report goes to a terminal: there control characters are shown escaped, so that a map can
// never drive the terminal.
enum class ReportText { asRead, escaped };

// Bytes below 0x20 and 0x7F as \xHH (\x1b); every other byte as it is.
std::string escapeControls(const std::string& text);
