// Wrapping a message box's text as Windows does, since SDL's box draws each line at its full
// length: lines longer than a width break at the last blank before it, or after the last
// separator of a path ('/' or '\'), or, with neither, at the width itself.
// Needs: standard C++ only.
#pragma once

#include <string>

// `text` with lines of at most `width` characters (UTF-8 sequences count as one and are never
// split). Line ends already in the text stay.
std::string wrapText(const std::string& text, std::size_t width);
