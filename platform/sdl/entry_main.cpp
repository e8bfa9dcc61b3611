// The program's main on platforms other than Windows: it hands over to WinMain as the
// Windows runtime would, with the command line after the program's name, quoted so that it
// splits back into the same arguments. SDL is not shut down afterwards: the process ends, and
// like a Windows program it leaves its windows and contexts to the system.
#include "platform/sdl/command_line.h"
#include "platform/sdl/win32_api.h"

namespace {
char instanceTag;
}

int main(int argc, char** argv) {
    std::string commandLine = windowsCommandLine(argc - 1, argv + 1);
    return WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, commandLine.data(),
                   SW_SHOWDEFAULT);
}
