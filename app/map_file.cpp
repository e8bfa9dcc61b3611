// Opening an environment file through the system's file calls. The file's kind is asked
// before it is opened (folders and devices stop there), and again of the open handle, since
// some systems only tell a pipe or a device by its handle; nothing is read until both say
// "regular file", or, where a map is read once, until the handle says "pipe": then it is read
// whole into memory, up to a bound, and loaded from there. Messages are our own words, so each
// fault reads the same on every system. Names are UTF-8 here and UTF-16 at the system's calls, so a
// map in a folder of any script opens, and so does one whose path is longer than the usual limit.
#include "app/map_file.h"

#include "app/last_error.h"
#include "app/system_text.h"
#include "platform/win32.h"

#include <filesystem>
#include <new>
#include <vector>

namespace {

const char* const notRegular = "is not a regular file";

// The bytes of an open file handle, for the loader.
struct HandleSource : ByteSource {
    HANDLE file;
    std::uint64_t bytes;

    HandleSource(HANDLE f, std::uint64_t n) : file(f), bytes(n) {}

    std::size_t read(unsigned char* dst, std::size_t n) override {
        DWORD got = 0;
        const DWORD want = n < 0x40000000u ? static_cast<DWORD>(n) : 0x40000000u;
        return ReadFile(file, dst, want, &got, nullptr) ? got : 0;
    }
    std::uint64_t size() const override { return bytes; }
};

std::string openFailure(DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return "No such file or directory";
    case ERROR_ACCESS_DENIED:
        return "Permission denied";
    case ERROR_SHARING_VIOLATION:
        return "it is in use by another program";
    default:
        return lastErrorText();
    }
}

// A pipe's bytes, read whole up to largestPipedMap; false with the reason in `why`.
bool readWhole(HANDLE handle, std::vector<unsigned char>& bytes, std::string& why) {
    constexpr DWORD chunk = 1u << 20;
    for (;;) {
        const std::size_t had = bytes.size();
        if (had > largestPipedMap) {
            why = "it holds more than " + std::to_string(largestPipedMap >> 20) +
                  " MB, more than any map's file";
            return false;
        }
        bytes.resize(had + chunk);
        DWORD got = 0;
        // Windows ends a pipe whose writer has gone with a broken pipe, POSIX with 0 bytes.
        if (!ReadFile(handle, bytes.data() + had, chunk, &got, nullptr) &&
            GetLastError() != ERROR_BROKEN_PIPE) {
            why = "cannot read it: " + lastErrorText();
            return false;
        }
        bytes.resize(had + got);
        if (got == 0) return true;
    }
}

// The map in a pipe (or standard input), read whole, then checked as a file's bytes are.
TerrainMap loadWhole(const std::string& name, HANDLE handle, std::ostream& report,
                     ReportText text) {
    std::vector<unsigned char> bytes;
    std::string why;
    bool read = false;
    try {
        read = readWhole(handle, bytes, why);
    } catch (const std::bad_alloc&) {
        why = "not enough memory to read it";
    }
    if (!read) return TerrainMap::unopened(name, why, report);
    MemorySource source(bytes.data(), bytes.size());
    return TerrainMap(name.c_str(), source, report, text);
}

// Standard input as a map: a pipe or a file redirected to it, never a terminal.
TerrainMap loadStandardInput(std::ostream& report, ReportText text) {
    const std::string name = "standard input";
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (!input || input == INVALID_HANDLE_VALUE)
        return TerrainMap::unopened(name, "there is none", report);
    const DWORD type = GetFileType(input);
    if (type != FILE_TYPE_PIPE && type != FILE_TYPE_DISK)
        return TerrainMap::unopened(name, "is not a file or a pipe", report);
    return loadWhole(name, input, report, text);
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

std::string mapFileFor(const std::string& given) {
    if (given.empty()) return defaultMapName;
    if (!isFolder(given)) return given;
    const char last = given.back();
    const bool separated = last == '/' || last == '\\' ||
                           last == static_cast<char>(std::filesystem::path::preferred_separator);
    return separated ? given + defaultMapName
                     : given + static_cast<char>(std::filesystem::path::preferred_separator) +
                           defaultMapName;
}

std::string folderOf(const std::string& file) {
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(std::filesystem::u8path(file), error);
    return error ? file : absolute.parent_path().u8string();
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string mapNameOf(const std::string& file) {
    const std::string name = fileNameOf(file);
    if (name != defaultMapName || name.size() == file.size()) return name;
    const std::string folder = file.substr(0, file.size() - name.size() - 1);
    const std::string folderName = fileNameOf(folder);
    return folderName.empty() || folderName == "." ? name : folderName + "/" + name;
}

FileStamp stampOf(const std::string& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    FileStamp stamp;
    if (!GetFileAttributesExW(systemPath(file).c_str(), GetFileExInfoStandard, &data)) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    stamp.written = static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                    data.ftLastWriteTime.dwLowDateTime;
    return stamp;
}

bool fileMissing(const std::string& file) {
    if (GetFileAttributesW(systemPath(file).c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
}

TerrainMap loadMapFile(const std::string& file, std::ostream& report, ReportText text,
                       MapReading reading) {
    const bool pipes = reading == MapReading::pipesToo;
    if (pipes && file == "-") return loadStandardInput(report, text);
    const WideString name = systemPath(file);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY)
            return TerrainMap::unopened(file, "is a folder", report);
        // POSIX pipes show as devices here; the handle tells them apart once opened.
        if ((attributes & FILE_ATTRIBUTE_DEVICE) && !pipes)
            return TerrainMap::unopened(file, notRegular, report);
    }
    HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return TerrainMap::unopened(file, openFailure(GetLastError()), report);
    LARGE_INTEGER size{};
    const DWORD type = GetFileType(handle);
    if (pipes && type == FILE_TYPE_PIPE) {
        TerrainMap map = loadWhole(file, handle, report, text);
        CloseHandle(handle);
        return map;
    }
    if (type != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return TerrainMap::unopened(file, notRegular, report);
    }
    if (!GetFileSizeEx(handle, &size)) {
        const std::string why = "cannot tell its size: " + lastErrorText();
        CloseHandle(handle);
        return TerrainMap::unopened(file, why, report);
    }
    HandleSource source(handle, static_cast<std::uint64_t>(size.QuadPart));
    TerrainMap map(file.c_str(), source, report, text);
    CloseHandle(handle);
    return map;
}
