// The load of a demo map (report, tile points, normals) from its file and from memory, beside
// reading the same file's bytes: the ratio is what decoding costs over the read. And the files
// out as the program writes them (the load, then a picture, a heightmap or a mesh written
// whole), with the time and the peak of memory in use against the load alone; and the
// comparison of two maps against their loads.
#include "app/files_out.h"
#include "app/map_file.h"
#include "terrain/terrain_map.h"
#include "terrain_shapes.h"
#include "view/map_changes.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <new>
#include <ostream>

TerrainMap terrainMap; // the app library's map; the benchmarks load their own

// The memory in use through operator new, and its peak since the last reset.
std::atomic<long long> inUse{0}, peak{0};

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) throw std::bad_alloc();
    const long long now = inUse += static_cast<long long>(malloc_usable_size(p));
    long long seen = peak;
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
    return p;
}
void operator delete(void* p) noexcept {
    if (p) inUse -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

const std::string& demoMap(int size, Shape shape = Shape::demo) {
    static std::map<std::pair<int, Shape>, std::string> paths;
    std::string& path = paths[{size, shape}];
    if (path.empty()) {
        path =
            (std::filesystem::temp_directory_path() /
             ("zuvaro_bench_" + std::string(nameOf(shape)) + "_" + std::to_string(size) + ".w3e"))
                .string();
        std::string error;
        if (!writeDemoMap(path, size, size, error, shape)) {
            std::fprintf(stderr, "load_bench: %s\n", error.c_str());
            std::exit(1);
        }
    }
    return path;
}

void loadWithNormals(benchmark::State& state) {
    const std::string& path = demoMap(static_cast<int>(state.range(0)));
    std::ostream discard(nullptr);
    for (auto _ : state) {
        const TerrainMap map = loadMapFile(path, discard, ReportText::asRead);
        if (!map.loaded()) state.SkipWithError(map.loadError.c_str());
        benchmark::DoNotOptimize(map.normals.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

void loadFromMemory(benchmark::State& state) {
    std::ifstream in(demoMap(static_cast<int>(state.range(0))), std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::ostream discard(nullptr);
    for (auto _ : state) {
        MemorySource source(bytes.data(), bytes.size());
        const TerrainMap map("memory", source, discard);
        if (!map.loaded()) state.SkipWithError(map.loadError.c_str());
        benchmark::DoNotOptimize(map.normals.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

void readBytesOnly(benchmark::State& state) {
    const std::string& path = demoMap(static_cast<int>(state.range(0)));
    std::vector<unsigned char> block(1 << 16);
    for (auto _ : state) {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::size_t total = 0;
        while (const std::size_t n = std::fread(block.data(), 1, block.size(), f)) total += n;
        std::fclose(f);
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(std::filesystem::file_size(path)));
}

// What the program does for --output (1), --heightmap (2) or neither (0): the load, then the
// file written whole.
void filesOut(benchmark::State& state) {
    const std::string& path = demoMap(static_cast<int>(state.range(0)));
    CommandLine options;
    if (state.range(1) == 1) {
        options.output =
            (std::filesystem::temp_directory_path() / "zuvaro_bench_picture.png").string();
        options.view = TerrainView::groundTiles;
    }
    if (state.range(1) == 2)
        options.heightmap =
            (std::filesystem::temp_directory_path() / "zuvaro_bench_heights.png").string();
    std::ostream discard(nullptr);
    long long peakSeen = 0;
    for (auto _ : state) {
        peak = inUse.load();
        const long long before = inUse;
        const TerrainMap map = loadMapFile(path, discard, ReportText::asRead);
        if (!map.loaded()) state.SkipWithError(map.loadError.c_str());
        if (writeFilesOut(options, map, path, ReportText::asRead, discard, false, {}) != 0)
            state.SkipWithError("cannot write the file");
        peakSeen = std::max(peakSeen, peak - before);
    }
    state.counters["peak_MB"] = static_cast<double>(peakSeen) / 1e6;
    state.SetLabel(state.range(1) == 0   ? "load alone"
                   : state.range(1) == 1 ? "--output"
                                         : "--heightmap");
}

BENCHMARK(filesOut)->ArgsProduct({{481, 2049}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// The meshes out of rugged terrain (its water at several levels makes a second mesh), in the
// tiles view: the load, then the mesh written whole. Its time and the peak of memory in use
// against the load's, measured in each iteration.
void meshOut(benchmark::State& state) {
    static const char* const kinds[] = {"glb", "obj", "stl"};
    const char* const kind = kinds[state.range(1)];
    const std::string& path = demoMap(static_cast<int>(state.range(0)), Shape::rugged);
    CommandLine options;
    options.mesh =
        (std::filesystem::temp_directory_path() / (std::string("zuvaro_bench_mesh.") + kind))
            .string();
    options.view = TerrainView::groundTiles;
    std::ostream discard(nullptr);
    double loadSeconds = 0, writeSeconds = 0;
    long long loadPeak = 0, writePeak = 0;
    for (auto _ : state) {
        peak = inUse.load();
        const long long before = inUse;
        const auto start = std::chrono::steady_clock::now();
        const TerrainMap map = loadMapFile(path, discard, ReportText::asRead);
        const auto loaded = std::chrono::steady_clock::now();
        loadPeak = std::max(loadPeak, peak - before);
        if (!map.loaded()) state.SkipWithError(map.loadError.c_str());
        if (writeFilesOut(options, map, path, ReportText::asRead, discard, false, {}) != 0)
            state.SkipWithError("cannot write the mesh");
        loadSeconds += std::chrono::duration<double>(loaded - start).count();
        writeSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - loaded).count();
        writePeak = std::max(writePeak, peak - before);
    }
    state.counters["load_ms"] = 1e3 * loadSeconds / static_cast<double>(state.iterations());
    state.counters["write_ms"] = 1e3 * writeSeconds / static_cast<double>(state.iterations());
    state.counters["write_per_load"] = writeSeconds / loadSeconds;
    state.counters["peak_MB"] = static_cast<double>(writePeak) / 1e6;
    state.counters["peak_per_load"] =
        static_cast<double>(writePeak) / static_cast<double>(loadPeak);
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(options.mesh)) / 1e6;
    state.SetLabel(std::string("rugged, --mesh .") + kind);
}

BENCHMARK(meshOut)->ArgsProduct({{481, 2049}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

// What --compare does before it prints or draws: both maps loaded (the demo terrain as the
// older version, the rugged one as the newer, so nearly every point changed), then compared
// point by point. The comparison's time and memory against one load's.
void compareMaps(benchmark::State& state) {
    const int size = static_cast<int>(state.range(0));
    const std::string &before = demoMap(size), &after = demoMap(size, Shape::rugged);
    std::ostream discard(nullptr);
    double loadSeconds = 0, compareSeconds = 0;
    long long comparePeak = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const TerrainMap older = loadMapFile(before, discard, ReportText::asRead);
        const TerrainMap newer = loadMapFile(after, discard, ReportText::asRead);
        const auto loaded = std::chrono::steady_clock::now();
        peak = inUse.load();
        const long long held = inUse;
        const MapChanges changes = MapChanges::between(older, newer);
        benchmark::DoNotOptimize(changes.changed);
        comparePeak = std::max(comparePeak, peak - held);
        loadSeconds += std::chrono::duration<double>(loaded - start).count() / 2;
        compareSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - loaded).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["load_ms"] = 1e3 * loadSeconds / n;
    state.counters["compare_ms"] = 1e3 * compareSeconds / n;
    state.counters["compare_per_load"] = compareSeconds / loadSeconds;
    state.counters["compare_MB"] = static_cast<double>(comparePeak) / 1e6;
}

BENCHMARK(compareMaps)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);

BENCHMARK(loadWithNormals)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(loadFromMemory)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(readBytesOnly)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
