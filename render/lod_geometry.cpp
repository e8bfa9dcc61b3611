// Every chunk's vertices go into one vertex buffer and every index into one index buffer (the
// patterns' full grids and lines, then each chunk's coarser levels), so a frame binds two buffers
// once and each draw only points into them. Display lists get one list a draw.
#include "render/lod_geometry.h"

#include <cstdint>

namespace {

// One glDrawElements of a chunk: its vertices, and its indices from element `first` of
// `indices` in client memory, or at `offset` in the index buffer.
struct Piece {
    bool exists = false;
    GLenum mode = GL_TRIANGLES;
    int count = 0;
    const std::vector<std::uint16_t>* indices = nullptr;
    int first = 0;
    std::size_t offset = 0;
};

// The piece of a part; for skirts, those of sides [firstSide, endSide), which lie one after
// the other.
Piece pieceOf(const LodGeometry& g, const LodMesh& mesh, int index, ChunkPart part, int level,
              int firstSide = 0, int endSide = chunkSides) {
    const auto i = static_cast<std::size_t>(index);
    const LodChunk& chunk = mesh.chunks[i];
    const auto p = static_cast<std::size_t>(chunk.pattern);
    const LodPattern& pattern = mesh.patterns[p];
    Piece piece;
    if (chunk.exact) return piece;
    const bool ground = part == ChunkPart::surface || part == ChunkPart::skirts;
    const auto skirtRun = [&](const int* sides, int surface, int& skip, int& count) {
        skip = surface, count = 0;
        for (int s = 0; s < endSide; ++s) (s < firstSide ? skip : count) += sides[s];
    };
    if (ground && level >= 0) {
        const LodLevel& l = chunk.levels[static_cast<std::size_t>(level)];
        int skip = 0;
        piece.count = l.surface;
        if (part == ChunkPart::skirts) skirtRun(l.skirts, l.surface, skip, piece.count);
        piece.indices = &chunk.levelIndices;
        piece.first = l.first + skip;
        piece.offset =
            g.levelsAt.empty()
                ? 0
                : g.levelsAt[i] + static_cast<std::size_t>(l.first + skip) * sizeof(std::uint16_t);
    } else if (part == ChunkPart::lines) {
        if (chunk.step != 1) return piece;
        piece.mode = GL_LINES;
        piece.count = static_cast<int>(pattern.lines.size());
        piece.indices = &pattern.lines;
        piece.offset = g.linesAt.empty() ? 0 : g.linesAt[p];
    } else {
        int skip = 0;
        piece.count = pattern.surfaceIndices;
        if (part == ChunkPart::skirts)
            skirtRun(pattern.skirtSides, pattern.surfaceIndices, skip, piece.count);
        piece.indices = &pattern.indices;
        piece.first = skip;
        piece.offset = g.indicesAt.empty() ? 0
                                           : g.indicesAt[p] + static_cast<std::size_t>(skip) *
                                                                  sizeof(std::uint16_t);
    }
    piece.exists = piece.count > 0;
    return piece;
}

// Array addresses: client memory, or offsets into the bound buffers (kept as numbers, since a
// null pointer may not be offset).
using Address = std::uintptr_t;

const void* at(Address address) {
    return reinterpret_cast<const void*>(address);
}

void drawPiece(const LodChunk& chunk, const Piece& piece, Address vertices, Address indices) {
    const auto stride = static_cast<GLsizei>(chunk.format.stride * sizeof(std::int16_t));
    glVertexPointer(3, GL_SHORT, stride, at(vertices));
    glNormalPointer(chunk.format.shortNormals ? GL_SHORT : GL_BYTE, stride,
                    at(vertices + 3 * sizeof(std::int16_t)));
    glDrawElements(piece.mode, piece.count, GL_UNSIGNED_SHORT, at(indices));
}

void drawFromClient(const LodChunk& chunk, const Piece& piece) {
    drawPiece(chunk, piece, reinterpret_cast<Address>(chunk.vertices.data()),
              reinterpret_cast<Address>(piece.indices->data() + piece.first));
}

// A chunk's lists: its full grid's surface and its skirts side by side, its lines; then each
// level's surface and skirts side by side.
constexpr int groundLists = 1 + chunkSides;

int listsOf(const LodChunk& chunk) {
    return groundLists + 1 + groundLists * static_cast<int>(chunk.levels.size());
}

GLuint listOf(const LodGeometry& g, int index, ChunkPart part, int level, int side = 0) {
    const GLuint first = g.listAt[static_cast<std::size_t>(index)];
    const bool ground = part == ChunkPart::surface || part == ChunkPart::skirts;
    if (!ground) return first + groundLists;
    const GLuint base =
        level < 0 ? first : first + groundLists * static_cast<GLuint>(level + 1) + 1;
    return base + (part == ChunkPart::skirts ? 1u + static_cast<GLuint>(side) : 0u);
}

void compileLists(LodGeometry& g, const LodMesh& mesh) {
    g.listAt.assign(mesh.chunks.size(), 0);
    int total = 0;
    for (std::size_t i = 0; i < mesh.chunks.size(); ++i) {
        g.listAt[i] = static_cast<GLuint>(total);
        total += listsOf(mesh.chunks[i]);
    }
    g.lists = total;
    g.firstList = total > 0 ? glGenLists(total) : 0;
    if (g.firstList == 0) return;
    for (GLuint& first : g.listAt) first += g.firstList;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    for (std::size_t i = 0; i < mesh.chunks.size(); ++i) {
        const LodChunk& chunk = mesh.chunks[i];
        const auto index = static_cast<int>(i);
        const auto compile = [&](ChunkPart part, int level, int side) {
            const bool ground = part == ChunkPart::surface || part == ChunkPart::skirts;
            const Piece piece = pieceOf(g, mesh, index, part, level, side, side + 1);
            if (!piece.exists) return;
            if (!ground) glDisableClientState(GL_NORMAL_ARRAY);
            glNewList(listOf(g, index, part, level, side), GL_COMPILE);
            drawFromClient(chunk, piece);
            glEndList();
            if (!ground) glEnableClientState(GL_NORMAL_ARRAY);
            g.bytes += static_cast<std::size_t>(piece.count) * sizeof(std::uint16_t);
        };
        compile(ChunkPart::lines, -1, 0);
        for (int level = -1; level < static_cast<int>(chunk.levels.size()); ++level) {
            compile(ChunkPart::surface, level, 0);
            for (int side = 0; side < chunkSides; ++side) compile(ChunkPart::skirts, level, side);
        }
        g.bytes += chunk.vertices.size() * sizeof(std::int16_t);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

// Lays out every chunk's vertices and every index in the two buffers; gives their sizes.
void layOut(LodGeometry& g, const LodMesh& mesh, std::size_t& vertexBytes,
            std::size_t& indexBytes) {
    vertexBytes = indexBytes = 0;
    g.indicesAt.assign(mesh.patterns.size(), 0);
    g.linesAt.assign(mesh.patterns.size(), 0);
    for (std::size_t p = 0; p < mesh.patterns.size(); ++p) {
        g.indicesAt[p] = indexBytes;
        indexBytes += mesh.patterns[p].indices.size() * sizeof(std::uint16_t);
        g.linesAt[p] = indexBytes;
        indexBytes += mesh.patterns[p].lines.size() * sizeof(std::uint16_t);
    }
    g.groundAt.assign(mesh.chunks.size(), 0);
    g.levelsAt.assign(mesh.chunks.size(), 0);
    for (std::size_t i = 0; i < mesh.chunks.size(); ++i) {
        const LodChunk& chunk = mesh.chunks[i];
        g.groundAt[i] = vertexBytes;
        vertexBytes += chunk.vertices.size() * sizeof(std::int16_t);
        g.levelsAt[i] = indexBytes;
        indexBytes += chunk.levelIndices.size() * sizeof(std::uint16_t);
    }
}

template <typename T>
void put(const GlEntryPoints& gl, GLenum target, std::size_t offset, const std::vector<T>& data) {
    if (!data.empty())
        gl.bufferSubData(target, static_cast<GLintptr>(offset),
                         static_cast<GLsizeiptr>(data.size() * sizeof(T)), data.data());
}

// Sized first, with the patterns' indices; the chunks are put in by fillSome.
void sizeBuffers(LodGeometry& g, const GlEntryPoints& gl, const LodMesh& mesh) {
    std::size_t vertexBytes = 0, indexBytes = 0;
    layOut(g, mesh, vertexBytes, indexBytes);
    gl.genBuffers(1, &g.vertexBuffer);
    gl.genBuffers(1, &g.indexBuffer);
    gl.bindBuffer(GL_ARRAY_BUFFER, g.vertexBuffer);
    gl.bufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertexBytes), nullptr, GL_STATIC_DRAW);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, g.indexBuffer);
    gl.bufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indexBytes), nullptr,
                  GL_STATIC_DRAW);
    for (std::size_t p = 0; p < mesh.patterns.size(); ++p) {
        put(gl, GL_ELEMENT_ARRAY_BUFFER, g.indicesAt[p], mesh.patterns[p].indices);
        put(gl, GL_ELEMENT_ARRAY_BUFFER, g.linesAt[p], mesh.patterns[p].lines);
    }
    g.bytes = vertexBytes + indexBytes;
    g.filled = 0;
}

// Puts chunks into the buffers, from the first not yet put, until about `most` bytes have gone
// in; true once every chunk is in.
bool fillSome(LodGeometry& g, const GlEntryPoints& gl, const LodMesh& mesh, std::size_t most) {
    gl.bindBuffer(GL_ARRAY_BUFFER, g.vertexBuffer);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, g.indexBuffer);
    std::size_t bytes = 0;
    for (; g.filled < mesh.chunks.size() && bytes < most; ++g.filled) {
        const LodChunk& chunk = mesh.chunks[g.filled];
        put(gl, GL_ARRAY_BUFFER, g.groundAt[g.filled], chunk.vertices);
        put(gl, GL_ELEMENT_ARRAY_BUFFER, g.levelsAt[g.filled], chunk.levelIndices);
        bytes += chunk.vertices.size() * sizeof(std::int16_t) +
                 chunk.levelIndices.size() * sizeof(std::uint16_t);
    }
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return g.filled == mesh.chunks.size();
}

} // namespace

bool LodGeometry::prepare(const GlEntryPoints& gl, LodMesh& mesh) {
    if (generation == mesh.generation && complete) return true;
    if (generation != mesh.generation) {
        release(gl);
        generation = mesh.generation;
        store = preferred;
        if (store == GeometryStore::bufferObjects && !gl.bufferObjects())
            store = GeometryStore::displayLists;
        if (store == GeometryStore::bufferObjects) sizeBuffers(*this, gl, mesh);
        if (store == GeometryStore::displayLists) compileLists(*this, mesh);
        if (store == GeometryStore::displayLists && firstList == 0 && lists > 0)
            store = GeometryStore::clientArrays; // no room for the lists
    }
    // A large map's buffers are filled over several frames, 16 megabytes each.
    constexpr std::size_t aFrame = 16u << 20;
    complete = store != GeometryStore::bufferObjects || fillSome(*this, gl, mesh, aFrame);
    if (complete && store != GeometryStore::clientArrays) mesh.releaseVertexData();
    return complete;
}

void LodGeometry::release(const GlEntryPoints& gl) {
    if (vertexBuffer) gl.deleteBuffers(1, &vertexBuffer);
    if (indexBuffer) gl.deleteBuffers(1, &indexBuffer);
    if (firstList) glDeleteLists(firstList, lists);
    const GeometryStore kept = preferred;
    *this = LodGeometry{};
    preferred = kept;
}

void LodGeometry::begin(const GlEntryPoints& gl) const {
    glEnableClientState(GL_VERTEX_ARRAY);
    if (store != GeometryStore::bufferObjects) return;
    gl.bindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
}

void LodGeometry::end(const GlEntryPoints& gl) const {
    glDisableClientState(GL_VERTEX_ARRAY);
    if (store != GeometryStore::bufferObjects) return;
    gl.bindBuffer(GL_ARRAY_BUFFER, 0);
    gl.bindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void LodGeometry::draw(const LodMesh& mesh, int index, ChunkPart part, int level, int sides) const {
    if (part != ChunkPart::skirts) sides = 1;
    const auto i = static_cast<std::size_t>(index);
    const LodChunk& chunk = mesh.chunks[i];
    // Each run of neighbouring sides is one draw (one list a side).
    for (int s = 0; s < chunkSides; ++s) {
        if (!(sides >> s & 1)) continue;
        int end = s + 1;
        while (store != GeometryStore::displayLists && end < chunkSides && (sides >> end & 1))
            ++end;
        const Piece piece = pieceOf(*this, mesh, index, part, level, s, end);
        if (piece.exists) {
            if (store == GeometryStore::displayLists)
                glCallList(listOf(*this, index, part, level, s));
            else if (store == GeometryStore::clientArrays)
                drawFromClient(chunk, piece);
            else
                drawPiece(chunk, piece, groundAt[i], piece.offset);
        }
        s = end - 1;
    }
}
