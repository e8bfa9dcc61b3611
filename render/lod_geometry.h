// Where the level-of-detail chunks' vertices and triangles live for drawing: handed to OpenGL
// once per mesh, never per frame. Buffer objects where the context has them (the driver keeps
// the bytes and no draw copies them), else display lists (OpenGL 1.0: compiled once, the
// driver keeps what they draw), else the 1.1 client arrays, which every draw copies. Once the
// driver holds them, the mesh's own copy is let go.
// Needs: OpenGL 1.x with its entry points past 1.1, the level-of-detail mesh.
#pragma once

#include "render/gl_entry_points.h"
#include "view/lod_mesh.h"

#include <cstddef>
#include <vector>

enum class GeometryStore { bufferObjects, displayLists, clientArrays };

// What of a chunk a draw gives: its surface, its skirts, its grid's lines (leaves only).
enum class ChunkPart { surface, skirts, lines };

struct LodGeometry {
    // The best store asked for; one the context lacks falls to the next.
    GeometryStore preferred = GeometryStore::bufferObjects;
    GeometryStore store = GeometryStore::clientArrays; // what holds the current mesh
    int generation = -1;                               // of the mesh held
    GLuint vertexBuffer = 0, indexBuffer = 0;
    GLuint firstList = 0;
    GLsizei lists = 0;
    std::vector<std::size_t> groundAt, levelsAt; // per chunk: byte offsets in buffers
    std::vector<std::size_t> indicesAt, linesAt; // per pattern: byte offsets in the index buffer
    std::vector<GLuint> listAt;                  // per chunk: its first display list
    std::size_t bytes = 0;                       // held by the driver
    std::size_t filled = 0;                      // chunks in the buffers so far
    bool complete = false;                       // the driver holds the whole mesh

    // Hands a new mesh to the driver, a part a call for buffers of a large map; true once the
    // driver holds all of it (at once for the mesh it holds).
    bool prepare(const GlEntryPoints& gl, LodMesh& mesh);
    void release(const GlEntryPoints& gl);

    // Around a frame's draws: binds the buffers, enables the vertex array.
    void begin(const GlEntryPoints& gl) const;
    void end(const GlEntryPoints& gl) const;
    // One part of chunk `index` (its surface and skirts at `level`, -1 for its full grid; of
    // the skirts, those of the sides set in `sides`), in the chunk's own frame (lod_draw sets
    // it). Ground parts give normals where the normal array is enabled.
    void draw(const LodMesh& mesh, int index, ChunkPart part, int level = -1, int sides = 0) const;
};
