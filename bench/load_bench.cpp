// The load of a demo map (report, tile points, normals) from its file and from memory, beside
// reading the same file's bytes: the ratio is what decoding costs over the read. And the files
// out as the program writes them (the load, then a picture or a heightmap written whole), with
// the time and the peak of memory in use against the load alone.
#include "app/files_out.h"
#include "app/map_file.h"
#include "terrain/terrain_map.h"
#include "terrain_shapes.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <atomic>
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

const std::string& demoMap(int size) {
    static std::map<int, std::string> paths;
    std::string& path = paths[size];
    if (path.empty()) {
        path = (std::filesystem::temp_directory_path() /
                ("zuvaro_bench_" + std::to_string(size) + ".w3e"))
                   .string();
        std::string error;
        if (!writeDemoMap(path, size, size, error)) {
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
        if (writeFilesOut(options, map, path, ReportText::asRead, discard, false) != 0)
            state.SkipWithError("cannot write the file");
        peakSeen = std::max(peakSeen, peak - before);
    }
    state.counters["peak_MB"] = static_cast<double>(peakSeen) / 1e6;
    state.SetLabel(state.range(1) == 0   ? "load alone"
                   : state.range(1) == 1 ? "--output"
                                         : "--heightmap");
}

BENCHMARK(filesOut)->ArgsProduct({{481, 2049}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

BENCHMARK(loadWithNormals)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(loadFromMemory)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(readBytesOnly)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
