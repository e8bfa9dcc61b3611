# Script mode: writes a C++ source that registers an RGBA image as the program's icon
# resource for the Linux platform layer (what a Windows resource script does for an .exe).
# usage: cmake -DINPUT=icon.rgba -DOUTPUT=program_icon.cpp -DSIZE=64 -DID=1 -P embed_rgba.cmake
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
file(WRITE ${OUTPUT} "// Generated from ${INPUT}: the program's icon, ${SIZE} x ${SIZE} RGBA.
#include \"platform/sdl/icon_resources.h\"

namespace {
const unsigned char pixels[] = {${bytes}};
const bool registered = registerIconResource(${ID}, ${SIZE}, ${SIZE}, pixels);
} // namespace
")
