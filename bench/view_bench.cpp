// The views as map makers look at them, on rugged ground and on wet ground (about half of it
// under water at six levels), 481 and 2049 points a side. Run under a display, e.g.
//   LP_NUM_THREADS=0 tests/with_xvfb.sh build/release/bench/frame_bench --benchmark_filter=views
// - views: every view (plain, ground tiles, height, cliffs and flags, the changes of a
//   comparison) with its water shown, with and without contour lines, at every camera, each
//   frame against the plain view's start camera from the same spot, drawn in turns; a few
//   with the level of detail off (D) as well;
// - viewPictures: the share of terrain pixels that differ between the level of detail and the
//   full grid, in every view at every camera;
// - stalls: the longest frame while a user switches the overview, the views, the zoom and the
//   map.
#include "app/commands.h"
#include "app/map_session.h"
#include "frame_bench_support.h"
#include "render/scene_frame.h"
#include "view/viewer_state.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const TerrainView allViews[] = {TerrainView::plain, TerrainView::groundTiles, TerrainView::height,
                                TerrainView::cliffsAndFlags, TerrainView::changes};

// The map and view a benchmark asks for: the changes view compares the map with an older one.
bool showView(int size, Shape shape, TerrainView view) {
    if (!useDemoMap(size, shape)) return false;
    return view != TerrainView::changes || compareWithOlder();
}

const char* cameraLabel(int camera) {
    return camera < 0 ? "start camera" : cameraNames[camera];
}

// A view at a camera (-1: the start camera) with or without contour lines and level of detail,
// in turns with the plain view's start camera.
void views(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto shape = static_cast<Shape>(state.range(1));
    static TerrainView shown;
    static int camera;
    static bool contours, detail;
    shown = static_cast<TerrainView>(state.range(2));
    camera = static_cast<int>(state.range(3));
    contours = state.range(4) != 0;
    detail = state.range(5) != 0;
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!showView(size, shape, shown)) return state.SkipWithError("cannot write or load the map");
    freshCamera(true);
    using Set = void (*)();
    inTurns<Set>(
        state,
        [] {
            viewerState.view = shown;
            controls.scene.contours = contours;
            controls.scene.levelOfDetail = detail;
            if (camera >= 0) placeChosenCamera(static_cast<ChosenCamera>(camera));
        },
        [] {
            viewerState.view = TerrainView::plain;
            controls.scene.contours = false;
            controls.scene.levelOfDetail = true;
            controls.scene.camera.home();
            controls.scene.camera.overview = false;
        });
    SceneView& scene = controls.scene;
    if (camera >= 0 && detail) {
        state.counters["chunks"] = static_cast<double>(scene.selection.drawn.size());
        state.counters["triangles"] = static_cast<double>(trianglesDrawn(scene));
        memoryCounters(state, scene);
    }
    state.SetLabel(std::string(shapeLabel(shape)) + viewName(shown) + ", " + cameraLabel(camera) +
                   (contours ? ", contour lines" : "") + (detail ? "" : ", level of detail off"));
    scene.contours = false;
    scene.levelOfDetail = true;
}

void viewArguments(benchmark::internal::Benchmark* b) {
    for (const int size : {481, 2049})
        for (const Shape shape : {Shape::rugged, Shape::wet})
            for (const TerrainView view : allViews)
                for (int camera = -1; camera < cameraCount; ++camera)
                    for (const int contours : {0, 1})
                        b->Args({size, static_cast<int>(shape), static_cast<int>(view), camera,
                                 contours, 1});
    // The full grid at the same cameras, in a coloured view: the level of detail should never
    // be slower.
    for (const int size : {481, 2049})
        for (const Shape shape : {Shape::rugged, Shape::wet})
            for (int camera = 0; camera < cameraCount; ++camera)
                b->Args({size, static_cast<int>(shape), static_cast<int>(TerrainView::groundTiles),
                         camera, 0, 0});
}

BENCHMARK(views)->Apply(viewArguments)->Unit(benchmark::kMillisecond)->MinTime(0.3)->UseRealTime();

// The frame's pixels as F12 reads them.
std::vector<unsigned char> picture() {
    settledFrame();
    controls.scene.overlay.pictureWanted = true;
    frameMs();
    return controls.scene.overlay.picture;
}

// The share of terrain pixels whose channels differ by more than 0.1 between the level of
// detail and the full grid.
void viewPictures(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const auto shape = static_cast<Shape>(state.range(1));
    const auto shown = static_cast<TerrainView>(state.range(2));
    const auto chosen = static_cast<ChosenCamera>(state.range(3));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    if (!showView(size, shape, shown)) return state.SkipWithError("cannot write or load the map");
    freshCamera(true);
    viewerState.view = shown;
    controls.scene.overlay.words = Overlay::Words::hidden;
    placeChosenCamera(chosen);
    std::vector<unsigned char> withDetail, full;
    for (auto _ : state) {
        controls.scene.levelOfDetail = true;
        withDetail = picture();
        controls.scene.levelOfDetail = false;
        full = picture();
    }
    long terrain = 0, differ = 0;
    for (std::size_t i = 0; i + 2 < full.size(); i += 3) {
        if (full[i] + full[i + 1] + full[i + 2] < 10) continue; // the sky
        ++terrain;
        for (int k = 0; k < 3; ++k)
            if (std::abs(withDetail[i + k] - full[i + k]) > 25) {
                ++differ;
                break;
            }
    }
    state.counters["differ_share"] = terrain ? static_cast<double>(differ) / terrain : 0.0;
    state.SetLabel(std::string(shapeLabel(shape)) + viewName(shown) + ", " + cameraNames[chosen]);
    controls.scene.levelOfDetail = true;
    controls.scene.overlay.words = Overlay::Words::asTheViewHasThem;
}

void pictureArguments(benchmark::internal::Benchmark* b) {
    for (const int size : {481, 2049})
        for (const Shape shape : {Shape::rugged, Shape::wet})
            for (const TerrainView view : allViews)
                for (int camera = 0; camera < cameraCount; ++camera)
                    b->Args({size, static_cast<int>(shape), static_cast<int>(view), camera});
}

BENCHMARK(viewPictures)->Apply(pictureArguments)->Iterations(1)->Unit(benchmark::kMillisecond);

// A key's action, as the window's loop applies it.
void press(int key) {
    for (int i = 0; i < commandCount; ++i) {
        const Command& c = commands[i];
        if (c.trigger != Command::pressed || c.withCtrl) continue;
        for (int which = 0; which < 3; ++which)
            if (c.codes[which] == key) return c.act(controls, which);
    }
}

// The longest frame, its action included, while a user opens a map and looks round it: O, V
// four times, O, Page Down four times, then a drop of another map; ten frames after each.
void stalls(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    if (!openWindow()) return state.SkipWithError("no window: run under a display");
    // The two maps' files, written beforehand; the drop opens them as a user's drop does.
    if (!useDemoMap(size, Shape::rugged) || !useDemoMap(size, Shape::wet))
        return state.SkipWithError("cannot write the maps");
    const std::string folder = std::filesystem::temp_directory_path().string();
    const auto file = [&](Shape shape) {
        return folder + "/zuvaro_frame_bench_" + nameOf(shape) + "_" + std::to_string(size) +
               ".w3e";
    };
    double longest = 0.0;
    // Times an action with the frame after it; returns what the action returned.
    const auto timed = [&](auto action) {
        const auto start = std::chrono::steady_clock::now();
        const bool result = action();
        frameMs();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
        return result;
    };
    const auto step = [&](auto action) {
        timed([&] { return action(), true; });
        for (int i = 0; i < 10; ++i) longest = std::max(longest, frameMs());
    };
    for (auto _ : state) {
        beginOpening(file(Shape::rugged), controls);
        while (!finishOpening(controls)) {
        }
        freshCamera(false);
        for (int i = 0; i < 12; ++i) frameMs(); // what the start shows, settled
        longest = 0.0;
        step([] { press('O'); });
        for (int i = 0; i < 4; ++i) step([] { press('V'); });
        step([] { press('O'); });
        for (int i = 0; i < 4; ++i) step([] { press(VK_NEXT); });
        // The drop, then frames as the loop draws them, each after its look for a finished load.
        step([&] { beginOpening(file(Shape::wet), controls); });
        while (!timed([] { return finishOpening(controls); })) {
        }
        for (int i = 0; i < 10; ++i) longest = std::max(longest, frameMs());
    }
    state.counters["longest_frame_ms"] = longest;
    useDemoMap(size, Shape::wet); // the global map as the others expect it
}

BENCHMARK(stalls)->Arg(481)->Arg(2049)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
