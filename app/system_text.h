// Text inside the viewer is UTF-8; the system's calls that take names take UTF-16. These
// convert between the two, and give a path the form the wide file calls take whatever its
// length.
// Needs: the platform layer.
#pragma once

#include "platform/win32.h"

#include <string>

using WideString = std::basic_string<WCHAR>;

WideString wideFromUtf8(const std::string& text);

// The UTF-8 of `length` code units of `text`, or of all of them up to its zero (-1).
std::string utf8FromWide(const WCHAR* text, int length = -1);

// The path as the wide file calls take it. A path too long for the usual limit of 260
// characters becomes the \\?\ form, full and with backslashes, which takes up to 32767.
WideString systemPath(const std::string& path);
