// The program's main on platforms other than Windows: it hands over to WinMain as the
// Windows runtime would, with the command line after the program's name, quoted so that it
// splits back into the same arguments. SDL is not shut down afterwards: the process ends, and
// like a Windows program it leaves its windows and contexts to the system.
//
// Signals that Windows does not have are ignored, so that their faults come back as failed
// writes, as they do there: a pipe whose reader has gone (SIGPIPE) and a file past the
// size limit (SIGXFSZ). Output nobody reads is then just not written; nothing ends.
#include "platform/sdl/command_line.h"
#include "platform/sdl/layer_state.h"

#include <csignal>

namespace {
char instanceTag;
}

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGXFSZ, SIG_IGN);
    rememberCommandLine(windowsCommandLine(argc, argv));
    std::string commandLine = windowsCommandLine(argc - 1, argv + 1);
    return WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, commandLine.data(),
                   SW_SHOWDEFAULT);
}
