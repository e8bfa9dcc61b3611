// The load of a demo map (report, tile points, normals) from its file and from memory, beside
// reading the same file's bytes: the ratio is what decoding costs over the read.
#include "app/map_file.h"
#include "terrain/terrain_map.h"
#include "terrain_shapes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>

TerrainMap terrainMap; // the app library's map; the benchmarks load their own

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

BENCHMARK(loadWithNormals)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(loadFromMemory)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);
BENCHMARK(readBytesOnly)->Arg(257)->Arg(481)->Arg(2049)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
