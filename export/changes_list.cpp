#include "export/changes_list.h"

#include <cstdio>

namespace {

// A number as both formats read it: the shortest text that gives the value back. Every value
// here is finite (heights and coordinates of a loaded map).
std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string number(long long value) {
    return std::to_string(value);
}

// A region's fields in the lists' order, names as the CSV's header and the JSON's keys.
struct Field {
    const char* name;
    std::string value;
};

std::vector<Field> fieldsOf(const ChangedRegion& r, int number1) {
    return {{"region", number(static_cast<long long>(number1))},
            {"points", number(r.points)},
            {"column_first", number(static_cast<long long>(r.column0))},
            {"row_first", number(static_cast<long long>(r.row0))},
            {"column_last", number(static_cast<long long>(r.column1))},
            {"row_last", number(static_cast<long long>(r.row1))},
            {"columns", number(static_cast<long long>(r.columns()))},
            {"rows", number(static_cast<long long>(r.rows()))},
            {"x_first", number(r.x0)},
            {"z_first", number(r.z0)},
            {"x_last", number(r.x1)},
            {"z_last", number(r.z1)},
            {"raised", number(r.raised)},
            {"lowered", number(r.lowered)},
            {"largest_rise", number(static_cast<double>(r.largestRise))},
            {"largest_drop", number(static_cast<double>(r.largestDrop))},
            {"ground_tile_changed", number(r.groundTile)},
            {"cliff_changed", number(r.cliff)},
            {"flags_changed", number(r.flags)},
            {"water_changed", number(r.water)}};
}

// A CSV field: quoted, its quotes doubled, when it holds a comma, a quote or a line break.
std::string csvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

// A JSON string; the texts here are ASCII without controls, but quotes and backslashes would
// still be escaped.
std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

} // namespace

std::string changesCsv(const std::vector<ChangedRegion>& regions) {
    std::string out;
    for (const Field& f : fieldsOf(ChangedRegion{}, 0)) out += std::string(f.name) + ",";
    out += "what\r\n";
    for (std::size_t i = 0; i < regions.size(); ++i) {
        for (const Field& f : fieldsOf(regions[i], static_cast<int>(i) + 1)) out += f.value + ",";
        out += csvField(regions[i].what()) + "\r\n";
    }
    return out;
}

std::string changesJson(const MapChanges& c, const std::vector<ChangedRegion>& regions) {
    const std::pair<const char*, std::string> counts[] = {
        {"points_compared", number(c.compared)},
        {"changed_points", number(c.changed)},
        {"raised", number(c.raised)},
        {"lowered", number(c.lowered)},
        {"largest_rise", number(static_cast<double>(c.largestRise))},
        {"largest_drop", number(static_cast<double>(c.largestDrop))},
        {"ground_tile_changed", number(c.groundTile)},
        {"cliff_changed", number(c.cliff)},
        {"flags_changed", number(c.flags)},
        {"water_changed", number(c.water)},
        {"only_in_old", number(c.onlyInOld)},
        {"only_in_new", number(c.onlyInNewCount)},
        {"regions", number(static_cast<long long>(regions.size()))}};
    std::string out = "{\n  \"summary\": {";
    const char* comma = "";
    for (const auto& [key, value] : counts) {
        out += std::string(comma) + "\n    " + jsonString(key) + ": " + value;
        comma = ",";
    }
    out += "\n  },\n  \"regions\": [";
    for (std::size_t i = 0; i < regions.size(); ++i) {
        out += i ? ",\n    {" : "\n    {";
        for (const Field& f : fieldsOf(regions[i], static_cast<int>(i) + 1))
            out += jsonString(f.name) + ": " + f.value + ", ";
        out += "\"what\": " + jsonString(regions[i].what()) + "}";
    }
    return out + (regions.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
