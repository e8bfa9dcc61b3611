#include "view/map_symmetry.h"

#include "terrain/map_extent.h"

namespace {

const struct {
    Symmetry kind;
    const char* name;
    const char* title;
} kinds[] = {{Symmetry::turn, "turn", "against its half turn"},
             {Symmetry::mirrorX, "mirror-x", "against its east-west mirror"},
             {Symmetry::mirrorZ, "mirror-z", "against its north-south mirror"},
             {Symmetry::diagonal, "diagonal", "against its diagonal mirror"},
             {Symmetry::antidiagonal, "antidiagonal", "against its antidiagonal mirror"}};

// Where `kind` takes tile point (c, r) of a grid of w x h points.
void partnerOf(Symmetry kind, int w, int h, int& c, int& r) {
    const int c0 = c, r0 = r;
    switch (kind) {
    case Symmetry::turn:
        c = w - 1 - c0, r = h - 1 - r0;
        break;
    case Symmetry::mirrorX:
        c = w - 1 - c0;
        break;
    case Symmetry::mirrorZ:
        r = h - 1 - r0;
        break;
    case Symmetry::diagonal:
        c = r0, r = c0;
        break;
    case Symmetry::antidiagonal:
        c = w - 1 - r0, r = h - 1 - c0;
        break;
    case Symmetry::none:
        break;
    }
}

} // namespace

bool symmetryNamed(const std::string& name, Symmetry& kind) {
    for (const auto& k : kinds)
        if (name == k.name) {
            kind = k.kind;
            return true;
        }
    return false;
}

const char* symmetryName(Symmetry kind) {
    for (const auto& k : kinds)
        if (k.kind == kind) return k.name;
    return "none";
}

const char* symmetryTitle(Symmetry kind) {
    for (const auto& k : kinds)
        if (k.kind == kind) return k.title;
    return "changes";
}

std::string symmetryProblem(const TerrainMap& map, Symmetry kind) {
    const EnvironmentHeader& h = *map.header;
    if ((kind == Symmetry::diagonal || kind == Symmetry::antidiagonal) && h.mapWidth != h.mapHeight)
        return std::string("--symmetry ") + symmetryName(kind) +
               " needs a square map; this one is " + std::to_string(h.mapWidth) + " x " +
               std::to_string(h.mapHeight) + " tile points";
    return "";
}

TerrainMap symmetryPartner(const TerrainMap& map, Symmetry kind) {
    TerrainMap partner = map.sharingGrids();
    const int w = map.header->mapWidth, h = map.header->mapHeight;
    if (map.vertices.empty()) return partner;
    partner.vertices.assign(static_cast<std::size_t>(w), nullptr);
    partner.normals.assign(static_cast<std::size_t>(w), nullptr);
    for (int c = 0; c < w; ++c) {
        partner.vertices[c].reset(new TerrainVertex[static_cast<std::size_t>(h)]());
        partner.normals[c].reset(new Point3[static_cast<std::size_t>(h)]());
        for (int r = 0; r < h; ++r) {
            int pc = c, pr = r;
            partnerOf(kind, w, h, pc, pr);
            TerrainVertex v = map.vertices[static_cast<std::size_t>(pc)][pr];
            v.position.x = tileSize * static_cast<float>(c);
            v.position.z = -tileSize * static_cast<float>(r);
            partner.vertices[c][r] = v;
        }
    }
    partner.computeNormals(*partner.header);
    partner.heightBlocks.build(partner.vertices, w, h, TerrainMap::quadsPerHeightBlock);
    return partner;
}

MapChanges symmetryChanges(const TerrainMap& partner, const TerrainMap& map, Symmetry kind) {
    MapChanges changes = MapChanges::between(partner, map, symmetryHeightTolerance);
    changes.against = symmetryTitle(kind);
    return changes;
}
