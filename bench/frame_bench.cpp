// Whole frames (renderFrame, finished with glFinish) in an 800 x 600 window on the display,
// for demo maps of several sizes, from the start position and from one spot inside: with and
// without the coarse block pass (timing the culling alone too, a walk over the mesh that emits
// nothing), and in each view with its water. Every run counts the allocations a frame makes.
// Run under a display, e.g. tests/with_xvfb.sh build/release/bench/frame_bench.
#include "app/main_window.h"
#include "app/map_file.h"
#include "platform/win32.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/terrain_draw.h"
#include "render/window_context.h"
#include "terrain_shapes.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>

TerrainMap terrainMap;

// Every allocation through operator new is counted: a frame should make none. (The
// replacements pair malloc with free, which GCC cannot see through.)
std::atomic<long> allocations{0};

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

bool openWindow() {
    static const bool opened = [] {
        std::string problem;
        if (!registerViewerClass(nullptr, problem) || !createMainWindow(nullptr, problem))
            return false;
        ShowWindow(windowContext.mainWindow, SW_SHOW);
        initGL();
        setSwapInterval(0); // as fast as frames come: the cost of a frame is what is measured
        return true;
    }();
    return opened;
}

// Puts the demo map of the given size into the global map, writing it once.
bool useDemoMap(int size) {
    static int current = -1;
    if (current == size) return true;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zuvaro_frame_bench_" + std::to_string(size) + ".w3e"))
                                 .string();
    std::string error;
    if (!writeDemoMap(path, size, size, error)) return false;
    std::ostream discard(nullptr);
    terrainMap = loadMapFile(path, discard, ReportText::asRead);
    current = size;
    return terrainMap.loaded();
}

using Clock = std::chrono::steady_clock;

// The camera of a fresh start, at the start position or at the centre of the smallest map
// (the same spot on every map); the view plain.
void freshCamera(bool inside) {
    ViewerState fresh;
    fresh.counterFrequency = viewerState.counterFrequency;
    fresh.startCount = viewerState.startCount;
    fresh.sceneReady = true;
    if (inside) fresh.cameraPosition.set(2048.0f, 0.0f, -2048.0f);
    viewerState = fresh;
}

// Runs the benchmark's frames; returns the milliseconds a frame took and records the
// allocations a frame made.
double timeFrames(benchmark::State& state) {
    renderFrame(); // the first frame of a view may size its storage
    glFinish();
    const long allocationsBefore = allocations;
    const auto start = Clock::now();
    for (auto _ : state) {
        renderFrame();
        glFinish();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] = static_cast<double>(allocations - allocationsBefore) / frames;
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / frames;
}

struct CullOnly {
    long quads = 0;
    void begin() {}
    void end() {}
    void color(float, float, float) { ++quads; }
    void normal(const Point3&) {}
    void vertex(const Point3&) {}
};

void frame(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const bool inside = state.range(1) != 0;
    const bool coarse = state.range(2) != 0;
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    terrainDrawSettings.coarseCulling = coarse;
    freshCamera(inside);

    const double frameMs = timeFrames(state);

    // The culling of this view alone, without OpenGL.
    CullOnly walk;
    const int repeats = 20;
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i)
        emitTerrain(terrainMap, viewFrustum, coarse ? &terrainMap.heightBlocks : nullptr, walk);
    const double cullMs =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeats;
    state.counters["cull_ms"] = cullMs;
    state.counters["cull_share"] = cullMs / frameMs;
    state.counters["drawn_quads"] = static_cast<double>(walk.quads / repeats);
    state.SetLabel(std::string(inside ? "inside" : "start") + (coarse ? ", blocks" : ", per quad"));
}

void sizes(benchmark::internal::Benchmark* b) {
    for (const int size : {33, 481, 1025, 2049})
        for (const int inside : {0, 1})
            for (const int coarse : {1, 0}) b->Args({size, inside, coarse});
}

BENCHMARK(frame)->Apply(sizes)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Frames in each coloured view, water shown, with the block pass, against plain frames from
// the same spot: the two are drawn in turns, so that a slower moment of the machine costs both
// alike, and the ratio is what colour per vertex and the blended water cost.
void view(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const bool inside = state.range(1) != 0;
    const auto shown = static_cast<TerrainView>(state.range(2));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    terrainDrawSettings.coarseCulling = true;
    freshCamera(inside);
    const auto frameOf = [](TerrainView v) {
        viewerState.view = v;
        const auto start = Clock::now();
        renderFrame();
        glFinish();
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    };
    frameOf(shown);
    frameOf(TerrainView::plain);
    const long allocationsBefore = allocations;
    double plainMs = 0.0, viewMs = 0.0;
    for (auto _ : state) {
        plainMs += frameOf(TerrainView::plain);
        viewMs += frameOf(shown);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] =
        static_cast<double>(allocations - allocationsBefore) / (2 * frames);
    state.counters["plain_ms"] = plainMs / frames;
    state.counters["view_ms"] = viewMs / frames;
    state.counters["ratio"] = viewMs / plainMs;
    state.SetLabel(std::string(inside ? "inside, " : "start, ") + viewName(shown));
}

void views(benchmark::internal::Benchmark* b) {
    for (const int size : {481, 2049})
        for (const int inside : {0, 1})
            for (const int shown : {1, 2, 3}) b->Args({size, inside, shown});
}

BENCHMARK(view)->Apply(views)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
