// The viewer's entry: the global terrain map, loaded from the working directory during
// static initialisation, and the start of the program once the load has run.
#include "terrain/terrain_map.h"

#include <iostream>

TerrainMap terrainMap("war3map.w3e");

int main() {
    // A map that did not load is never shown: say why, before any window exists.
    if (!terrainMap.loaded()) {
        std::cerr << "zuvaro: " << terrainMap.loadError << '\n';
        return 1;
    }
    return 0;
}
