// What the frame benchmarks share: the viewer's window and controls, demo maps of each shape and
// size in the global map (and an older version to compare with), the cameras they place, frames
// timed to their end, and measured frames drawn in turns with reference ones. Every allocation
// in the process is counted, the driver's too: frame_bench_support.cpp replaces the C library's
// allocator for everyone. Run under a display.
#pragma once

#include "app/view_controls.h"
#include "terrain_shapes.h"
#include "view/viewer_state.h"

#include <benchmark/benchmark.h>

#include <atomic>

extern std::atomic<long> allocations;    // every allocation in the process
extern std::atomic<long> ourAllocations; // ours alone (operator new)
extern ViewControls controls;

// Opens the viewer's window once, frames as fast as they come.
bool openWindow();
// Puts the map of the given size and shape into the global map, writing its file once; ends a
// comparison under way.
bool useDemoMap(int size, Shape shape = Shape::demo);
// Compares the map useDemoMap put there with an older version of it, the same size in the
// other rugged shape (rugged against wet), as --compare does; the view becomes the changes.
bool compareWithOlder();
// The camera of a fresh start, at the start position or at (2048, -2048), the centre of the
// smallest map (the same spot on every map); the view plain.
void freshCamera(bool inside);
// One frame, finished.
double frameMs();
// A frame, and another once the level-of-detail mesh it began to make is made: what is
// measured is the frame a user sees after that.
void settledFrame();
// The same, as inTurns draws its measured frames: a function of its own, so that a profiler
// can count them apart (valgrind --tool=callgrind --toggle-collect='measuredFrameMs*').
double measuredFrameMs();

enum ChosenCamera {
    zoom4096,
    zoom8192,
    zoom16384,
    zoom32768,
    tilted2048,
    tilted8192,
    overview,
    cameraCount
};
extern const char* const cameraNames[cameraCount];
// The camera where it is, zoomed out, tilted towards the horizon (the most terrain in view) or
// the overview.
void placeChosenCamera(ChosenCamera chosen);
const char* shapeLabel(Shape shape); // "rugged, ", "wet, ", "smooth, "

// Triangles the last frame's chunks drew, skirts included.
long trianglesDrawn(const SceneView& scene);
// Bytes a tile point: the level of detail (the mesh, what the driver holds of it, the baked
// light) and the views' colour textures beside it.
void memoryCounters(benchmark::State& state, const SceneView& scene);

// Frames of `measured` and of `reference` in turns, so that a slower moment of the machine
// costs both alike; counters for both, their ratio and the measured frames' allocations.
template <typename Set> void inTurns(benchmark::State& state, Set measured, Set reference) {
    measured();
    settledFrame();
    reference();
    settledFrame();
    long all = 0, ours = 0;
    double referenceMs = 0.0, measuredMs = 0.0;
    for (auto _ : state) {
        reference();
        referenceMs += frameMs();
        measured();
        const long allBefore = allocations, oursBefore = ourAllocations;
        measuredMs += measuredFrameMs();
        all += allocations - allBefore;
        ours += ourAllocations - oursBefore;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] = static_cast<double>(all) / frames;
    state.counters["our_allocations"] = static_cast<double>(ours) / frames;
    state.counters["reference_ms"] = referenceMs / frames;
    state.counters["measured_ms"] = measuredMs / frames;
    state.counters["ratio"] = measuredMs / referenceMs;
}
