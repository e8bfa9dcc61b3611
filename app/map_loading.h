// A map read on a thread of its own, so that opening a large map (a drop, the open dialog)
// never holds the window's frames: the shown map stays until the message loop takes the new
// one. The report of the load is kept and printed when it is taken, as the load prints it.
// Needs: the map's file; standard C++ threads.
#pragma once

#include "app/map_file.h"

#include <atomic>
#include <string>
#include <thread>

struct MapLoading {
    std::string file; // as the user gave it
    FileStamp stamp;  // the file as it was before the load

    MapLoading() = default;
    // A load is tied to its thread: moving one waits for both and forgets them.
    MapLoading(MapLoading&& other) noexcept { other.forget(); }
    MapLoading& operator=(MapLoading&& other) noexcept {
        forget();
        other.forget();
        return *this;
    }
    ~MapLoading() { forget(); }

    // Reads `file` with its report in `text`, after any load under way has finished.
    void start(const std::string& mapFile, ReportText text);
    bool underWay() const { return worker.joinable(); }
    bool done() const { return finished.load(std::memory_order_acquire); }
    // The loaded map and its report, once done; the load is then over.
    TerrainMap take(std::string& report);

  private:
    std::thread worker;
    std::atomic<bool> finished{false};
    TerrainMap map;
    std::string reportText;
    void forget();
};
