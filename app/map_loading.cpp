#include "app/map_loading.h"

#include <sstream>
#include <utility>

void MapLoading::start(const std::string& mapFile, ReportText text) {
    forget();
    file = mapFile;
    stamp = stampOf(file);
    finished = false;
    worker = std::thread([this, text] {
        std::ostringstream report;
        map = loadMapFile(file, report, text);
        reportText = report.str();
        finished.store(true, std::memory_order_release);
    });
}

TerrainMap MapLoading::take(std::string& report) {
    worker.join();
    report = std::move(reportText);
    finished = false;
    return std::move(map);
}

void MapLoading::forget() {
    if (worker.joinable()) worker.join();
    finished = false;
    map = TerrainMap();
}
