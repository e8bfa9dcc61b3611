// Whole frames (renderFrame, finished with glFinish) in an 800 x 600 window on the display,
// for demo maps of several sizes, from the start position and from one spot inside, with
// and without the coarse block pass. Each run also times the culling alone, a walk over
// the mesh that emits nothing, and reports its share of the frame.
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

#include <chrono>
#include <cstdio>
#include <filesystem>

TerrainMap terrainMap;

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
    if (!std::filesystem::exists(path)) {
        W3eDocument doc;
        doc.setGroundIds({"Vmos", "Vash"});
        doc.setCliffIds({"Vcl1"});
        ShapeOptions options;
        options.width = options.height = size;
        if (!shapeTerrain(doc, options, error) || !writeBytes(path, doc.bytes(), error))
            return false;
    }
    std::ostream discard(nullptr);
    terrainMap = loadMapFile(path, discard, ReportText::asRead);
    current = size;
    return terrainMap.loaded();
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
    // Inside: the centre of the smallest map, the same spot on every map.
    viewerState.cameraPosition = Point3{};
    if (inside) viewerState.cameraPosition.set(2048.0f, 0.0f, -2048.0f);

    using Clock = std::chrono::steady_clock;
    const auto framesStart = Clock::now();
    for (auto _ : state) {
        renderFrame();
        glFinish();
    }
    const double frameMs =
        std::chrono::duration<double, std::milli>(Clock::now() - framesStart).count() /
        static_cast<double>(state.iterations());

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

} // namespace

BENCHMARK_MAIN();
