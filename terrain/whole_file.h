// Files replaced whole. The bytes go to a temporary file beside the target, which is renamed
// over the target only once every byte is written and flushed, so a reader sees the old file
// or the new one, never a part. On any failure (a full disk, a file-size limit, a folder that
// is missing or not writable) the temporary file is removed and the target stays as it was.
// Paths are UTF-8 on every platform.
// Needs: standard C++, and on Linux its fallocate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// How much a writer made of small pieces should gather before it writes: a write this large
// goes to the file at once, where the stream would pass every piece of 1 KiB or more to the
// system on its own.
constexpr std::size_t writeChunk = std::size_t{1} << 18;

// Writes `size` bytes to `path`, replacing what is there; false with a message in `error`
// (naming the path) when the file cannot be written whole. A target that is a folder, or a
// read-only file, is refused.
bool replaceFileWhole(const std::string& path, const void* bytes, std::size_t size,
                      std::string& error);

// The same for bytes made as they are written: `write` puts them into the stream it is given
// (a failed stream, or an exception it throws, leaves the target as it was: the exception goes
// on to the caller once the temporary file is removed). `expected`, when known, is how many
// bytes will come, for which space is set aside at once.
bool replaceFileWhole(const std::string& path, const std::function<void(std::ostream&)>& write,
                      std::string& error, std::uint64_t expected = 0);

// Files that belong together (a mesh and its materials): each written whole to its temporary
// file first, and renamed over its target only once all are, so that on a failure none is
// replaced and no temporary file stays.
struct WholeFile {
    std::string path;
    std::function<void(std::ostream&)> write;
    std::uint64_t expected = 0;
};
bool replaceFilesWhole(const std::vector<WholeFile>& files, std::string& error);
