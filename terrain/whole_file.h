// Files replaced whole. The bytes go to a temporary file beside the target, which is renamed
// over the target only once every byte is written and flushed, so a reader sees the old file
// or the new one, never a part. On any failure (a full disk, a file-size limit, a folder that
// is missing or not writable) the temporary file is removed and the target stays as it was.
// Paths are UTF-8 on every platform.
// Needs: standard C++ only.
#pragma once

#include <cstddef>
#include <functional>
#include <ostream>
#include <string>

// Writes `size` bytes to `path`, replacing what is there; false with a message in `error`
// (naming the path) when the file cannot be written whole. A target that is a folder, or a
// read-only file, is refused.
bool replaceFileWhole(const std::string& path, const void* bytes, std::size_t size,
                      std::string& error);

// The same for bytes made as they are written: `write` puts them into the stream it is given
// (a failed stream, or an exception it throws, leaves the target as it was: the exception goes
// on to the caller once the temporary file is removed).
bool replaceFileWhole(const std::string& path, const std::function<void(std::ostream&)>& write,
                      std::string& error);
