// Number formatting of the load report, the same on every platform.
// Needs: standard C++ only.
#pragma once

#include <string>

// A float as printf's %g with 6 significant digits, except that the exponent always has
// a sign and at least three digits (12345678 -> 1.23457e+007, 0.00001 -> 1e-005), and that
// non-finite values are nan, inf and -inf.
std::string formatReportFloat(float value);
