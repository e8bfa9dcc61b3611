// Whole frames (renderFrame, finished with glFinish) in an 800 x 600 window on the display, for
// demo maps of several sizes. Run under a display, e.g.
//   LP_NUM_THREADS=0 tests/with_xvfb.sh build/release/bench/frame_bench
// - frame: the start camera from the start position and from a spot inside, and the culling
//   of that view alone (a walk that emits nothing) with the coarse block pass and quad by quad;
// - camera: zoomed, tilted and overview cameras with and without level of detail, each drawn
//   in turns with the start camera from the same spot, with the triangles drawn and the memory
//   of the level-of-detail mesh against the map's grids; the stores side by side;
// - lightMoves, words, contours: the light moving, the words and contour lines against frames
//   without them.
// The views at every camera are in view_bench.cpp. Every run counts the allocations a frame
// makes, the driver's too.
#include "frame_bench_support.h"
#include "platform/win32.h"
#include "terrain_walk.h"
#include "view/view_frustum.h"
#include "view/viewer_state.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

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
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    freshCamera(inside);
    frameMs(); // the first frame of a view may size its storage
    const long allocationsBefore = allocations;
    double total = 0.0;
    for (auto _ : state) total += frameMs();
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] = static_cast<double>(allocations - allocationsBefore) / frames;
    state.counters["frame_ms"] = total / frames;

    // The culling of this view alone, without OpenGL, with the blocks and quad by quad.
    for (const bool blocks : {true, false}) {
        CullOnly walk;
        const int repeats = 20;
        const auto start = Clock::now();
        for (int i = 0; i < repeats; ++i)
            emitTerrain(terrainMap, viewFrustum, blocks ? &terrainMap.heightBlocks : nullptr, walk);
        const double cullMs =
            std::chrono::duration<double, std::milli>(Clock::now() - start).count() / repeats;
        state.counters[blocks ? "cull_ms" : "cull_per_quad_ms"] = cullMs;
        if (blocks) state.counters["drawn_quads"] = static_cast<double>(walk.quads / repeats);
    }
    state.SetLabel(inside ? "inside" : "start");
}

void sizes(benchmark::internal::Benchmark* b) {
    for (const int size : {33, 481, 1025, 2049})
        for (const int inside : {0, 1}) b->Args({size, inside});
}

BENCHMARK(frame)->Apply(sizes)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The camera from the spot inside: zoomed out, tilted towards the horizon (the most terrain in
// view), or the overview, drawn in turns with the start camera from the same spot; with level
// of detail from a given store, or without (D); over the rugged terrain or the smooth one.
void camera(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    static ChosenCamera chosen;
    static bool detail;
    chosen = static_cast<ChosenCamera>(state.range(1));
    detail = state.range(2) != 0;
    const auto shape = static_cast<Shape>(state.range(3));
    const auto store = static_cast<GeometryStore>(state.range(4));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size, shape)) return state.SkipWithError("cannot write or load the map");
    freshCamera(true);
    SceneView& scene = controls.scene;
    if (scene.geometry.preferred != store) {
        scene.geometry.release(scene.gl);
        scene.geometry.preferred = store;
        scene.mesh.clear(); // built again, so that the driver gets it whole
    }
    using Set = void (*)();
    inTurns<Set>(
        state,
        [] {
            placeChosenCamera(chosen);
            controls.scene.levelOfDetail = detail;
        },
        [] {
            controls.scene.camera.home();
            controls.scene.levelOfDetail = true;
        });
    placeChosenCamera(chosen);
    scene.levelOfDetail = detail;
    frameMs();
    if (detail) {
        state.counters["chunks"] = static_cast<double>(scene.selection.drawn.size());
        state.counters["triangles"] = static_cast<double>(trianglesDrawn(scene));
        memoryCounters(state, scene);
    }
    static const char* const stores[] = {"", ", display lists", ", client arrays"};
    state.SetLabel(std::string(shapeLabel(shape)) + cameraNames[chosen] +
                   (detail ? stores[static_cast<int>(store)] : ", level of detail off"));
    scene.levelOfDetail = true;
}

void cameras(benchmark::internal::Benchmark* b) {
    for (const Shape shape : {Shape::rugged, Shape::demo})
        for (const int size : {481, 2049})
            for (int c = 0; c < cameraCount; ++c)
                for (const int detail : {1, 0})
                    b->Args({size, c, detail, static_cast<int>(shape),
                             static_cast<int>(GeometryStore::bufferObjects)});
    // The stores side by side on the rugged terrain.
    for (const int size : {481, 2049})
        for (const ChosenCamera c : {zoom8192, tilted2048, overview})
            for (const GeometryStore store :
                 {GeometryStore::displayLists, GeometryStore::clientArrays})
                b->Args({size, c, 1, static_cast<int>(Shape::rugged), static_cast<int>(store)});
}

BENCHMARK(camera)->Apply(cameras)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Moving the light (I/U/K/M) bakes its texture again where the overview draws with it: a frame
// with the light a step further each time, in turns with a frame where it stays, over the
// rugged terrain in the ground tiles view.
void lightMoves(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size, Shape::rugged)) return state.SkipWithError("cannot write the map");
    freshCamera(true);
    viewerState.view = TerrainView::groundTiles;
    placeChosenCamera(overview);
    using Set = void (*)();
    inTurns<Set>(
        state, [] { viewerState.lightPosition[0] += 64.0f; }, [] {});
    state.counters["rebake_ms"] = state.counters["measured_ms"] - state.counters["reference_ms"];
    state.SetLabel("rugged, ground tiles, overview, the light moving");
    viewerState.view = TerrainView::plain;
}

BENCHMARK(lightMoves)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// The words over the picture (status line, legend, the point under the cursor in the middle of
// the window) against none, in the ground tiles view, from the start camera and the overview.
void words(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    static bool overview;
    overview = state.range(1) != 0;
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    freshCamera(true);
    viewerState.view = TerrainView::groundTiles;
    controls.scene.camera.overview = overview;
    Overlay& o = controls.scene.overlay;
    o.cursorIn = true;
    o.cursorX = 400;
    o.cursorY = 300;
    o.mapName = "war3map.w3e";
    using Set = void (*)();
    inTurns<Set>(
        state, [] { controls.scene.overlay.words = Overlay::Words::shown; },
        [] { controls.scene.overlay.words = Overlay::Words::hidden; });
    o.cursorIn = false;
    controls.scene.camera.overview = false;
    viewerState.view = TerrainView::plain;
    state.SetLabel(overview ? "overview" : "start");
}

BENCHMARK(words)
    ->Args({481, 0})
    ->Args({481, 1})
    ->Args({2049, 0})
    ->Args({2049, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// Contour lines (C) against the same frame without them, on the rugged terrain: the start
// camera in the plain and the ground tiles view, and a zoomed-out and a tilted camera.
void contours(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    static ChosenCamera chosen;
    const bool start = state.range(1) < 0;
    chosen = static_cast<ChosenCamera>(start ? 0 : state.range(1));
    const auto shown = static_cast<TerrainView>(state.range(2));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size, Shape::rugged))
        return state.SkipWithError("cannot write or load the map");
    freshCamera(true);
    viewerState.view = shown;
    if (!start) placeChosenCamera(chosen);
    using Set = void (*)();
    inTurns<Set>(
        state, [] { controls.scene.contours = true; }, [] { controls.scene.contours = false; });
    const bool drawn = controls.scene.contours;
    controls.scene.contours = false;
    controls.scene.camera.home();
    viewerState.view = TerrainView::plain;
    if (!drawn) return state.SkipWithError("this OpenGL has no unit for contour lines");
    state.SetLabel(std::string("rugged, ") + (start ? "start camera" : cameraNames[chosen]) + ", " +
                   viewName(shown));
}

BENCHMARK(contours)
    ->ArgsProduct({{481, 2049}, {-1, zoom8192, tilted2048}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
