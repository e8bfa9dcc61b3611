#include "view/lod_build.h"

#include <utility>

void LodBuild::start(const TerrainMap& map, int forGeneration) {
    stop();
    generation = forGeneration;
    source = map.sharingGrids();
    mesh = LodMesh{};
    finished = false;
    worker = std::thread([this] {
        mesh.build(source, &giveUp);
        finished.store(true, std::memory_order_release);
    });
}

LodMesh LodBuild::take() {
    if (worker.joinable()) worker.join();
    LodMesh built = std::move(mesh);
    built.generation = generation;
    mesh = LodMesh{};
    source = TerrainMap();
    generation = -1;
    finished = false;
    return built;
}

void LodBuild::stop() {
    giveUp = true;
    if (worker.joinable()) worker.join();
    giveUp = false;
    finished = false;
    generation = -1;
}
