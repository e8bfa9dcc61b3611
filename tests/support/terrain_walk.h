// For tests, benchmarks and the fuzzer: the exact strips of one frame with the candidates
// found here from `blocks` (none: quad by quad), and which blocks the coarse culling leaves
// out.
#pragma once

#include "render/terrain_strips.h"

// The same with the candidates found here from `blocks` (none: quad by quad), for tests and
// tools that draw one frame.
template <typename Emitter, typename Colours = PlainColours>
void emitTerrain(const TerrainMap& map, const ViewFrustum& frustum, const HeightBlocks* blocks,
                 Emitter& out, const Colours& colours = {}) {
    BlockCandidates candidates;
    if (blocks) candidates.find(frustum, *blocks);
    emitTerrainStrips(map, frustum, blocks ? &candidates : nullptr, out, colours);
}

// Per block of `blocks`: true when the block can be left out whole.
inline std::vector<char> blocksOutside(const ViewFrustum& frustum, const HeightBlocks& blocks) {
    BlockCandidates candidates;
    candidates.find(frustum, blocks);
    return candidates.outside;
}
