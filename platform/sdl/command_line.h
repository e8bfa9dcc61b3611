// The command line that the layer's main() hands to WinMain: the arguments after the
// program's name, each quoted as Windows programs expect, so that WinMain splits them back
// into exactly the same arguments on every platform.
// Needs: standard C++ only.
#pragma once

#include <string>

// Joins arguments with spaces, quoting those that hold spaces, tabs or quotes (a backslash run
// before a quote is doubled, as the Windows C runtime's splitting undoes it).
std::string windowsCommandLine(int count, const char* const* arguments);
