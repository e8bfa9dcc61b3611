// The viewer's entry. The terrain map loads from the working directory while the program
// starts, before WinMain; a map that did not load is never shown.
#include "app/help_text.h"
#include "app/main_window.h"
#include "app/message_loop.h"
#include "platform/win32.h"
#include "render/scene.h"
#include "render/window_context.h"
#include "terrain/terrain_map.h"

#include <iostream>

TerrainMap terrainMap("war3map.w3e");

namespace {

int fail(const std::string& why) {
    std::cerr << "zuvaro: " << why << std::endl;
    return 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!terrainMap.loaded()) return fail(terrainMap.loadError);
    if (!registerViewerClass(instance)) return fail(startProblem());
    if (!createMainWindow(instance)) return fail(startProblem());

    LARGE_INTEGER counter;
    QueryPerformanceFrequency(&counter);
    viewerState.counterFrequency = counter.QuadPart;
    QueryPerformanceCounter(&counter);
    viewerState.startCount = counter.QuadPart;

    MessageBoxA(nullptr, helpText, helpCaption, MB_OK);
    ShowWindow(windowContext.mainWindow, SW_SHOW);
    UpdateWindow(windowContext.mainWindow);
    initGL();
    return runMessageLoop();
}
