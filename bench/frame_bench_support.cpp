// The frame benchmarks' window, maps, cameras and allocation counting.
#include "frame_bench_support.h"

#include "app/comparison.h"
#include "app/main_window.h"
#include "app/map_file.h"
#include "platform/win32.h"
#include "render/scene_frame.h"
#include "render/scene_setup.h"
#include "render/window_context.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <utility>

TerrainMap terrainMap;

// Every allocation in the process is counted, the driver's included: a frame should make none.
// The C library's allocator is reached under its own names, so these replace it for everyone;
// ours (operator new) are counted apart as well.
std::atomic<long> allocations{0};
std::atomic<long> ourAllocations{0};

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    ++ourAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

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

namespace {

// The demo map's file, written once.
std::string demoMapFile(int size, Shape shape) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("zuvaro_frame_bench_" + std::string(nameOf(shape)) + "_" + std::to_string(size) + ".w3e"))
            .string();
    std::string error;
    if (!std::filesystem::exists(path) && !writeDemoMap(path, size, size, error, shape)) return "";
    return path;
}

int currentSize = -1;
Shape currentShape = Shape::demo;

} // namespace

bool useDemoMap(int size, Shape shape) {
    if (currentSize == size && currentShape == shape && !controls.comparison.active) return true;
    endComparison(controls);
    const std::string path = demoMapFile(size, shape);
    if (path.empty()) return false;
    std::ostream discard(nullptr);
    terrainMap = loadMapFile(path, discard, ReportText::asRead);
    controls.scene.mesh.clear();
    currentSize = size;
    currentShape = shape;
    return terrainMap.loaded();
}

bool compareWithOlder() {
    if (controls.comparison.active) return true;
    const std::string path =
        demoMapFile(currentSize, currentShape == Shape::wet ? Shape::rugged : Shape::wet);
    if (path.empty()) return false;
    std::ostream discard(nullptr);
    TerrainMap older = loadMapFile(path, discard, ReportText::asRead);
    if (!older.loaded()) return false;
    startComparison(controls, std::move(older), path, stampOf(path));
    return true;
}

void freshCamera(bool inside) {
    ViewerState fresh;
    fresh.counterFrequency = viewerState.counterFrequency;
    fresh.startCount = viewerState.startCount;
    fresh.sceneReady = true;
    viewerState = fresh;
    controls.scene.camera = inside ? Camera{2048.0f, -2048.0f} : Camera{};
    controls.scene.levelOfDetail = true;
}

double frameMs() {
    const auto start = std::chrono::steady_clock::now();
    renderFrame(controls.scene);
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

void settledFrame() {
    frameMs();
    SceneView& scene = controls.scene;
    while (!scene.camera.isStart() && !scene.levelOfDetailReady()) {
        scene.meshBuild.finish();
        frameMs();
    }
}

__attribute__((noinline)) double measuredFrameMs() {
    return frameMs();
}

const char* const cameraNames[cameraCount] = {
    "zoomed to 4096",       "zoomed to 8192",       "zoomed to 16384", "zoomed to 32768",
    "tilted to 10 at 2048", "tilted to 10 at 8192", "overview"};

void placeChosenCamera(ChosenCamera chosen) {
    Camera& camera = controls.scene.camera;
    camera.home();
    if (chosen <= zoom32768) camera.height = 4096.0f * float(1 << chosen);
    if (chosen == tilted2048 || chosen == tilted8192) camera.pitch = Camera::lowestPitch;
    if (chosen == tilted8192) camera.height = 8192.0f;
    if (chosen == overview) camera.overview = true;
}

const char* shapeLabel(Shape shape) {
    return shape == Shape::rugged ? "rugged, " : shape == Shape::wet ? "wet, " : "smooth, ";
}

// Triangles the frame's chunks drew, skirts included.
long trianglesDrawn(const SceneView& scene) {
    long triangles = 0;
    for (std::size_t d = 0; d < scene.selection.drawn.size(); ++d) {
        const LodChunk& chunk =
            scene.mesh.chunks[static_cast<std::size_t>(scene.selection.drawn[d])];
        const int level = scene.selection.levels[d];
        const LodPattern& p = scene.mesh.patterns[static_cast<std::size_t>(chunk.pattern)];
        const LodLevel* l = level >= 0 ? &chunk.levels[static_cast<std::size_t>(level)] : nullptr;
        triangles += (l ? l->surface : p.surfaceIndices) / 3;
        for (int s = 0; s < chunkSides; ++s)
            if (scene.selection.skirted[d] >> s & 1)
                triangles += (l ? l->skirts[s] : p.skirtSides[s]) / 3;
    }
    return triangles;
}

// Bytes a tile point: the level of detail (the mesh, what the driver holds of it, the baked
// light) and the views' colour textures beside it.
void memoryCounters(benchmark::State& state, const SceneView& scene) {
    const double points =
        static_cast<double>(terrainMap.header->mapWidth) * terrainMap.header->mapHeight;
    std::size_t light = 0;
    for (const LodTexture& t : scene.textures.light)
        light += static_cast<std::size_t>(t.across) * static_cast<std::size_t>(t.down);
    state.counters["lod_bytes_a_point"] =
        static_cast<double>(scene.mesh.bytes() + scene.geometry.bytes + light) / points;
    state.counters["colour_bytes_a_point"] =
        static_cast<double>(scene.textures.bytes() - light) / points;
}
