// The level-of-detail mesh made on a thread of its own, so that no frame waits for it (a
// 2049 x 2049 map takes seconds). The thread reads a map that shares the shown one's grids, so
// replacing the shown map never takes them from under it; a build that is no longer wanted is
// given up at its next chunk.
// Needs: the level-of-detail mesh; standard C++ threads.
#pragma once

#include "view/lod_mesh.h"

#include <atomic>
#include <thread>

struct LodBuild {
    int generation = -1; // the mesh generation the build under way or done is for; -1: none

    LodBuild() = default;
    // A build is tied to its own thread: moving one gives up both builds, and the next frame
    // that wants a mesh begins another.
    LodBuild(LodBuild&& other) noexcept { other.stop(); }
    LodBuild& operator=(LodBuild&& other) noexcept {
        stop();
        other.stop();
        return *this;
    }
    ~LodBuild() { stop(); }

    // Builds the mesh of `map` for mesh generation `forGeneration`, giving up any build under
    // way first.
    void start(const TerrainMap& map, int forGeneration);
    // Whether the build is finished.
    bool done() const { return finished.load(std::memory_order_acquire); }
    // Waits for the build under way to finish.
    void finish() {
        if (worker.joinable()) worker.join();
    }
    // The finished mesh, marked with its generation; the build is then over.
    LodMesh take();
    // Gives up the build under way and waits for its thread.
    void stop();

  private:
    std::thread worker;
    std::atomic<bool> giveUp{false}, finished{false};
    TerrainMap source;
    LodMesh mesh;
};
