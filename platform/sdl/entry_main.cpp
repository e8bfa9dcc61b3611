// The program's main on platforms other than Windows: it hands over to WinMain as the
// Windows runtime would, with the command line after the program's name.
#include "platform/sdl/layer_state.h"

#include <string>

namespace {
char instanceTag;
}

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
    const int code = WinMain(reinterpret_cast<HINSTANCE>(&instanceTag), nullptr, commandLine.data(),
                             SW_SHOWDEFAULT);
    if (layer().videoReady) SDL_Quit();
    return code;
}
