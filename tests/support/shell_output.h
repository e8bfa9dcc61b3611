// Test helper: what a shell command prints, for reading the X server back with xdotool,
// xwininfo and ImageMagick.
#pragma once

#include <string>

// Standard output of the command, as it came.
std::string shellOutput(const std::string& command);

// The same with trailing newlines removed, for one-line answers.
std::string shellLine(const std::string& command);
