// How the exact strips colour the terrain: the plain view gives each drawn quad one white
// colour before its vertices; a coloured view gives each vertex its own colour instead.
// Needs: the view colours.
#pragma once

#include "view/view_colours.h"

// Lit white quads: one colour per quad, before its vertices.
struct PlainColours {
    template <typename Emitter> void quad(Emitter& out) const { out.color(1.0f, 1.0f, 1.0f); }
    template <typename Emitter> void vertex(Emitter&, const TerrainVertex&) const {}
};

// A colour per vertex, before its normal.
struct VertexColours {
    VertexColouring colouring;
    template <typename Emitter> void quad(Emitter&) const {}
    template <typename Emitter> void vertex(Emitter& out, const TerrainVertex& v) const {
        const Rgb c = colouring.colourOf(v);
        out.color(c.r, c.g, c.b);
    }
};
