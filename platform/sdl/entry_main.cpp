// The program's main on platforms other than Windows: it hands over to WinMain as the
// Windows runtime would, with the command line after the program's name. SDL is not shut
// down afterwards: the process ends, and like a Windows program it leaves its windows and
// contexts to the system.
#include "platform/sdl/win32_api.h"

#include <string>

namespace {
char instanceTag;
}

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    return WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, commandLine.data(),
                   SW_SHOWDEFAULT);
}
