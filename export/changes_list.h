// The changed regions of a comparison as lists for other tools: CSV (RFC 4180: a header row,
// a region a row, CRLF line ends, a field quoted when it holds a comma or a quote) and JSON
// (the summary's counts and the regions), both UTF-8, numbers written as numbers.
// Needs: the view layer's changes and regions.
#pragma once

#include "view/changed_regions.h"
#include "view/map_changes.h"

#include <string>
#include <vector>

std::string changesCsv(const std::vector<ChangedRegion>& regions);
std::string changesJson(const MapChanges& changes, const std::vector<ChangedRegion>& regions);
