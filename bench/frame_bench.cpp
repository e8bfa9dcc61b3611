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
// Every run counts the allocations a frame makes, the driver's too.
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
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

TerrainMap terrainMap;

// Every allocation in the process is counted, the driver's included: a frame should make none.
// The C library's allocator is reached under its own names, so these replace it for everyone.
std::atomic<long> allocations{0};

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);

void* malloc(std::size_t size) {
    ++allocations;
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    ++allocations;
    return __libc_calloc(count, size);
}
void* realloc(void* p, std::size_t size) {
    ++allocations;
    return __libc_realloc(p, size);
}
void* memalign(std::size_t alignment, std::size_t size) {
    ++allocations;
    return __libc_memalign(alignment, size);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    ++allocations;
    return __libc_memalign(alignment, size);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t size) {
    ++allocations;
    *out = __libc_memalign(alignment, size);
    return *out ? 0 : ENOMEM;
}
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

// Puts the map of the given size and shape (the smooth demo terrain or the rugged one) into
// the global map, writing it once.
bool useDemoMap(int size, Shape shape = Shape::demo) {
    static int current = -1;
    static Shape currentShape = Shape::demo;
    if (current == size && currentShape == shape) return true;
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("zuvaro_frame_bench_" + std::string(shape == Shape::rugged ? "rugged_" : "") +
          std::to_string(size) + ".w3e"))
            .string();
    std::string error;
    if (!std::filesystem::exists(path) && !writeDemoMap(path, size, size, error, shape))
        return false;
    std::ostream discard(nullptr);
    terrainMap = loadMapFile(path, discard, ReportText::asRead);
    controls.scene.mesh.clear();
    current = size;
    currentShape = shape;
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

enum Camera {
    zoom4096,
    zoom8192,
    zoom16384,
    zoom32768,
    tilted2048,
    tilted8192,
    overview,
    cameraCount
};
const char* const cameraNames[] = {
    "zoomed to 4096",       "zoomed to 8192",       "zoomed to 16384", "zoomed to 32768",
    "tilted to 10 at 2048", "tilted to 10 at 8192", "overview"};

void placeChosenCamera(Camera chosen) {
    SceneView& scene = controls.scene;
    scene.pose = CameraPose{};
    viewerState.cameraHeight = 2048.0f;
    if (chosen <= zoom32768) viewerState.cameraHeight = 4096.0f * float(1 << chosen);
    if (chosen == tilted2048 || chosen == tilted8192) scene.pose.pitch = lowestPitch;
    if (chosen == tilted8192) viewerState.cameraHeight = 8192.0f;
    if (chosen == overview) scene.pose.overview = true;
}

// The camera from the spot inside: zoomed out, tilted towards the horizon (the most terrain in
// view), or the overview; level of detail on or off; over the smooth demo terrain or the
// rugged one.
void camera(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    static Camera chosen;
    static bool detail;
    chosen = static_cast<Camera>(state.range(1));
    detail = state.range(2) != 0;
    const auto shape = static_cast<Shape>(state.range(3));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!useDemoMap(size, shape)) return state.SkipWithError("cannot write or load the map");
    freshCamera(true);
    using Set = void (*)();
    inTurns<Set>(
        state,
        [] {
            placeChosenCamera(chosen);
            controls.scene.levelOfDetail = detail;
        },
        [] {
            controls.scene.pose = CameraPose{};
            controls.scene.levelOfDetail = true;
            viewerState.cameraHeight = 2048.0f;
        });
    placeChosenCamera(chosen);
    controls.scene.levelOfDetail = detail;
    frameMs();
    long triangles = 0;
    const SceneView& scene = controls.scene;
    for (std::size_t d = 0; d < scene.selection.drawn.size(); ++d) {
        const LodChunk& chunk =
            scene.mesh.chunks[static_cast<std::size_t>(scene.selection.drawn[d])];
        const int level = scene.selection.levels[d];
        const int sides = scene.selection.skirted[d];
        const LodPattern& p = scene.mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
        const LodLevel* l = level >= 0 ? &chunk.levels[static_cast<std::size_t>(level)] : nullptr;
        triangles += (l ? l->surface : p.surfaceIndices) / 3;
        for (int s = 0; s < chunkSides; ++s)
            if (sides >> s & 1) triangles += (l ? l->skirts[s] : p.skirtSides[s]) / 3;
    }
    if (getenv("X_HIST")) {
        std::map<std::pair<int, int>, std::pair<int, long>> hist;
        for (std::size_t d = 0; d < scene.selection.drawn.size(); ++d) {
            const LodChunk& chunk =
                scene.mesh.chunks[static_cast<std::size_t>(scene.selection.drawn[d])];
            const int level = scene.selection.levels[d];
            auto& h = hist[{chunk.step, level < 0 ? -1 : int(chunk.levels[level].threshold)}];
            h.first++;
            h.second += level < 0 ? scene.mesh.patterns[chunk.pattern].surfaceIndices / 3
                                  : chunk.levels[level].surface / 3;
        }
        for (auto& [k, v] : hist)
            fprintf(stderr, "%s step %d level %d: %d chunks %ld tris\n", cameraNames[chosen],
                    k.first, k.second, v.first, v.second);
    }
    if (detail) {
        state.counters["chunks"] = static_cast<double>(scene.selection.drawn.size());
        state.counters["triangles"] = static_cast<double>(triangles);
    }
    const double grids = static_cast<double>(terrainMap.header->mapWidth) *
                         terrainMap.header->mapHeight * (sizeof(TerrainVertex) + sizeof(Point3));
    state.counters["mesh_share"] =
        static_cast<double>(scene.mesh.bytes() + scene.geometry.bytes + scene.textures.bytes()) /
        grids;
    state.SetLabel(std::string(shape == Shape::rugged ? "rugged, " : "smooth, ") +
                   cameraNames[chosen] + (detail ? "" : ", level of detail off"));
    controls.scene.levelOfDetail = true;
}

void cameras(benchmark::internal::Benchmark* b) {
    for (const Shape shape : {Shape::rugged, Shape::demo})
        for (const int size : {481, 2049})
            for (int c = 0; c < cameraCount; ++c)
                for (const int detail : {1, 0}) b->Args({size, c, detail, static_cast<int>(shape)});
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
