// Whole frames (renderFrame, finished with glFinish) in an 800 x 600 window on the display, for
// demo maps of several sizes. Run under a display, e.g.
//   LP_NUM_THREADS=0 tests/with_xvfb.sh build/release/bench/frame_bench
// - frame: the start camera from the start position and from a spot inside, and the culling
//   of that view alone (a walk that emits nothing) with the coarse block pass and quad by quad;
// - view: each coloured view with its water against the plain view, drawn in turns;
// - camera: zoomed, tilted and overview cameras with and without level of detail, each drawn
//   in turns with the start camera from the same spot, with the triangles drawn and the memory
//   of the level-of-detail mesh against the map's grids;
// - words: the status line, the legend and the point under the cursor against none.
// Every run counts the allocations a frame makes.
#include "app/main_window.h"
#include "app/map_file.h"
#include "platform/win32.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/view_frustum.h"
#include "render/window_context.h"
#include "terrain_shapes.h"
#include "terrain_walk.h"

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

ViewControls controls;

bool openWindow() {
    static const bool opened = [] {
        std::string problem;
        if (!registerViewerClass(nullptr, problem) || !createMainWindow(nullptr, problem, controls))
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
    controls.scene.mesh.clear();
    current = size;
    return terrainMap.loaded();
}

using Clock = std::chrono::steady_clock;

// The camera of a fresh start, at the start position or at (2048, -2048), the centre of the
// smallest map (the same spot on every map); the view plain.
void freshCamera(bool inside) {
    ViewerState fresh;
    fresh.counterFrequency = viewerState.counterFrequency;
    fresh.startCount = viewerState.startCount;
    fresh.sceneReady = true;
    if (inside) fresh.cameraPosition.set(2048.0f, 0.0f, -2048.0f);
    viewerState = fresh;
    controls.scene.pose = CameraPose{};
    controls.scene.levelOfDetail = true;
}

double frameMs() {
    const auto start = Clock::now();
    renderFrame(controls.scene);
    glFinish();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
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

// Frames of `measured` and of `reference` in turns, so that a slower moment of the machine
// costs both alike; counters for both and their ratio.
template <typename Set> void inTurns(benchmark::State& state, Set measured, Set reference) {
    measured();
    frameMs();
    reference();
    frameMs();
    const long allocationsBefore = allocations;
    double referenceMs = 0.0, measuredMs = 0.0;
    for (auto _ : state) {
        reference();
        referenceMs += frameMs();
        measured();
        measuredMs += frameMs();
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["allocations"] =
        static_cast<double>(allocations - allocationsBefore) / (2 * frames);
    state.counters["reference_ms"] = referenceMs / frames;
    state.counters["measured_ms"] = measuredMs / frames;
    state.counters["ratio"] = measuredMs / referenceMs;
}

void view(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const bool inside = state.range(1) != 0;
    const auto shown = static_cast<TerrainView>(state.range(2));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    freshCamera(inside);
    using Set = void (*)();
    static TerrainView chosen;
    chosen = shown;
    inTurns<Set>(
        state, [] { viewerState.view = chosen; }, [] { viewerState.view = TerrainView::plain; });
    state.SetLabel(std::string(inside ? "inside, " : "start, ") + viewName(shown));
}

void views(benchmark::internal::Benchmark* b) {
    for (const int size : {481, 2049})
        for (const int inside : {0, 1})
            for (const int shown : {1, 2, 3}) b->Args({size, inside, shown});
}

BENCHMARK(view)->Apply(views)->Unit(benchmark::kMillisecond)->MinTime(1.0);

enum Camera { zoom4096, zoom8192, zoom16384, zoom32768, tilted, overview, cameraCount };
const char* const cameraNames[] = {"zoomed to 4096",  "zoomed to 8192",       "zoomed to 16384",
                                   "zoomed to 32768", "tilted to 10 degrees", "overview"};

// The camera from the spot inside: zoomed out, tilted towards the horizon (the most terrain in
// view), or the overview; level of detail on or off.
void camera(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    static Camera chosen;
    static bool detail;
    chosen = static_cast<Camera>(state.range(1));
    detail = state.range(2) != 0;
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size)) return state.SkipWithError("cannot write or load the demo map");
    freshCamera(true);
    using Set = void (*)();
    inTurns<Set>(
        state,
        [] {
            SceneView& scene = controls.scene;
            scene.levelOfDetail = detail;
            scene.pose = CameraPose{};
            viewerState.cameraHeight = 2048.0f;
            if (chosen <= zoom32768) viewerState.cameraHeight = 4096.0f * float(1 << chosen);
            if (chosen == tilted) scene.pose.pitch = lowestPitch;
            if (chosen == overview) scene.pose.overview = true;
        },
        [] {
            controls.scene.pose = CameraPose{};
            viewerState.cameraHeight = 2048.0f;
        });
    long triangles = 0;
    const SceneView& scene = controls.scene;
    for (const int chunk : scene.selection.drawn)
        triangles +=
            static_cast<long>(scene.mesh
                                  .patterns[static_cast<std::size_t>(
                                      scene.mesh.chunks[static_cast<std::size_t>(chunk)].pattern)]
                                  .indices.size() /
                              3);
    if (detail) {
        state.counters["chunks"] = static_cast<double>(scene.selection.drawn.size());
        state.counters["triangles"] = static_cast<double>(triangles);
    }
    const double grids = static_cast<double>(terrainMap.header->mapWidth) *
                         terrainMap.header->mapHeight * (sizeof(TerrainVertex) + sizeof(Point3));
    state.counters["mesh_share"] = static_cast<double>(scene.mesh.bytes()) / grids;
    state.SetLabel(std::string(cameraNames[chosen]) + (detail ? "" : ", level of detail off"));
}

void cameras(benchmark::internal::Benchmark* b) {
    for (const int size : {481, 2049})
        for (int c = 0; c < cameraCount; ++c)
            for (const int detail : {1, 0})
                if (detail || size == 481) b->Args({size, c, detail});
}

BENCHMARK(camera)->Apply(cameras)->Unit(benchmark::kMillisecond)->MinTime(1.0);

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
    controls.scene.pose.overview = overview;
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
    controls.scene.pose.overview = false;
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

} // namespace

BENCHMARK_MAIN();
