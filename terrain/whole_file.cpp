// The temporary file is named after its target and a random tag, in the target's folder, so
// that the rename stays within one file system and never has to copy.
#include "terrain/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#ifdef __linux__
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string reason(int error) {
    return error != 0 ? std::strerror(error) : "the system gave no reason";
}

// A name beside the target that nothing uses yet.
fs::path temporaryBeside(const fs::path& target) {
    std::random_device random;
    std::error_code ignored;
    fs::path candidate;
    do {
        char tag[24];
        std::snprintf(tag, sizeof tag, ".%08x.part", static_cast<unsigned>(random()));
        candidate = target;
        candidate += fs::u8path(tag);
    } while (fs::symlink_status(candidate, ignored).type() != fs::file_type::not_found);
    return candidate;
}

// Space for `bytes` more bytes set aside in the file at once, its size unchanged: a file system
// that allocates as data arrives (ext4's delayed allocation) then takes a large file at a
// third of the time. Where there is no such call, or it fails, the writes allocate as usual.
void setAside(const fs::path& file, std::uint64_t bytes) {
#ifdef __linux__
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(bytes));
    ::close(fd);
#else
    (void)file;
    (void)bytes;
#endif
}

// Writes `file`'s bytes whole to a temporary file beside it, named in `temporary`; false with a
// message in `error` (the temporary file removed) when it cannot.
bool writeTemporary(const WholeFile& file, fs::path& temporary, std::string& error) {
    const std::string& path = file.path;
    const fs::path target = fs::u8path(path);
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    if (fs::is_directory(status)) {
        error = "cannot write " + path + ": it is a folder";
        return false;
    }
    const fs::perms writable =
        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (fs::is_regular_file(status) && (status.permissions() & writable) == fs::perms::none) {
        error = "cannot write " + path + ": it is read-only";
        return false;
    }
    temporary = temporaryBeside(target);
    // Large writes: a mesh is tens of megabytes made a few bytes at a time.
    std::vector<char> buffer(1 << 20);
    std::ofstream out;
    out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    errno = 0;
    out.open(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
        error = "cannot write " + path + ": " + reason(errno);
        return false;
    }
    if (file.expected > 0) setAside(temporary, file.expected);
    errno = 0;
    try {
        file.write(out);
    } catch (...) {
        out.close();
        fs::remove(temporary, ec);
        throw;
    }
    out.flush();
    int failure = out ? 0 : (errno != 0 ? errno : EIO);
    out.close();
    if (failure == 0 && out.fail()) failure = errno != 0 ? errno : EIO;
    if (failure == 0) return true;
    error = "cannot write " + path + ": " + reason(failure);
    fs::remove(temporary, ec);
    return false;
}

} // namespace

bool replaceFilesWhole(const std::vector<WholeFile>& files, std::string& error) {
    std::vector<fs::path> temporaries;
    std::error_code ec;
    const auto removeFrom = [&](std::size_t first) {
        for (std::size_t i = first; i < temporaries.size(); ++i) fs::remove(temporaries[i], ec);
    };
    for (const WholeFile& file : files) {
        fs::path temporary;
        bool written = false;
        try {
            written = writeTemporary(file, temporary, error);
        } catch (...) {
            removeFrom(0);
            throw;
        }
        if (!written) {
            removeFrom(0);
            return false;
        }
        temporaries.push_back(temporary);
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        fs::rename(temporaries[i], fs::u8path(files[i].path), ec);
        if (ec) {
            error = "cannot replace " + files[i].path + ": " + ec.message();
            removeFrom(i);
            return false;
        }
    }
    return true;
}

bool replaceFileWhole(const std::string& path, const std::function<void(std::ostream&)>& write,
                      std::string& error, std::uint64_t expected) {
    return replaceFilesWhole({{path, write, expected}}, error);
}

bool replaceFileWhole(const std::string& path, const void* bytes, std::size_t size,
                      std::string& error) {
    return replaceFileWhole(
        path,
        [&](std::ostream& out) {
            if (size > 0)
                out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
        },
        error, size);
}
