// Files and standard handles on POSIX. A handle is a file descriptor plus one, so that
// neither null nor INVALID_HANDLE_VALUE names a descriptor. Files open without waiting
// (O_NONBLOCK), so a FIFO with no writer cannot hang the caller, and they are told apart as
// Windows tells its own: regular files are disks, terminals and devices are characters,
// FIFOs and sockets are pipes. A read waits for data, as a read of a Windows pipe does. Folders do
// not open, as on Windows. Names come as UTF-16 and are turned back into the system's bytes
// (text_conversion.cpp).
#include "platform/sdl/layer_state.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd) + 1);
}

int descriptorOf(HANDLE handle) {
    const auto value = reinterpret_cast<std::intptr_t>(handle);
    return value > 0 && value <= 1 << 30 ? static_cast<int>(value - 1) : -1;
}

// errno as the Windows error that the same failure gives there.
void failWithErrno(int error) {
    switch (error) {
    case ENOENT:
        failWith(ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.");
        break;
    case ENOTDIR:
        failWith(ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.");
        break;
    case EACCES:
    case EPERM:
    case EISDIR:
        failWith(ERROR_ACCESS_DENIED, "Access is denied.");
        break;
    case EBADF:
        failWith(ERROR_INVALID_HANDLE, "The handle is invalid.");
        break;
    default:
        failWith(ERROR_GEN_FAILURE, std::strerror(error));
        break;
    }
}

DWORD attributesOf(const struct stat& s) {
    if (S_ISDIR(s.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return S_ISREG(s.st_mode) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_DEVICE;
}

} // namespace

HANDLE CreateFileW(LPCWSTR name, DWORD access, DWORD, void*, DWORD creation, DWORD, HANDLE) {
    if (!name || access != static_cast<DWORD>(GENERIC_READ) || creation != OPEN_EXISTING) {
        failWith(ERROR_INVALID_PARAMETER, "Only reading existing files is supported.");
        return INVALID_HANDLE_VALUE;
    }
    const int fd = open(narrowName(name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        failWithErrno(errno);
        return INVALID_HANDLE_VALUE;
    }
    struct stat s;
    if (fstat(fd, &s) != 0 || S_ISDIR(s.st_mode)) {
        failWithErrno(S_ISDIR(s.st_mode) ? EISDIR : errno);
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return handleOf(fd);
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, DWORD* read, void*) {
    if (read) *read = 0;
    const int fd = descriptorOf(file);
    ssize_t n;
    for (;;) {
        n = ::read(fd, buffer, toRead);
        if (n >= 0 || (errno != EINTR && errno != EAGAIN && errno != EWOULDBLOCK)) break;
        if (errno == EINTR) continue;
        pollfd wait{fd, POLLIN, 0}; // opened without waiting: a pipe with no data yet
        if (poll(&wait, 1, -1) < 0 && errno != EINTR) break;
    }
    if (n < 0) {
        failWithErrno(errno);
        return FALSE;
    }
    if (read) *read = static_cast<DWORD>(n);
    return TRUE;
}

BOOL CloseHandle(HANDLE object) {
    if (close(descriptorOf(object)) == 0) return TRUE;
    failWithErrno(errno);
    return FALSE;
}

DWORD GetFileType(HANDLE file) {
    struct stat s;
    if (fstat(descriptorOf(file), &s) != 0) {
        failWithErrno(errno);
        return FILE_TYPE_UNKNOWN;
    }
    if (S_ISREG(s.st_mode)) return FILE_TYPE_DISK;
    if (S_ISCHR(s.st_mode)) return FILE_TYPE_CHAR;
    if (S_ISFIFO(s.st_mode) || S_ISSOCK(s.st_mode)) return FILE_TYPE_PIPE;
    return FILE_TYPE_UNKNOWN;
}

BOOL GetFileSizeEx(HANDLE file, LARGE_INTEGER* size) {
    struct stat s;
    if (!size || fstat(descriptorOf(file), &s) != 0) {
        failWithErrno(size ? errno : EBADF);
        return FALSE;
    }
    size->QuadPart = static_cast<LONGLONG>(s.st_size);
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR name) {
    struct stat s;
    if (!name || stat(narrowName(name).c_str(), &s) != 0) {
        failWithErrno(name ? errno : ENOENT);
        return INVALID_FILE_ATTRIBUTES;
    }
    return attributesOf(s);
}

BOOL GetFileAttributesExW(LPCWSTR name, GET_FILEEX_INFO_LEVELS, LPVOID information) {
    struct stat s;
    if (!name || !information || stat(narrowName(name).c_str(), &s) != 0) {
        failWithErrno(name && information ? errno : ENOENT);
        return FALSE;
    }
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(information);
    *data = WIN32_FILE_ATTRIBUTE_DATA{};
    data->dwFileAttributes = attributesOf(s);
    // 100-nanosecond steps since 1601, as Windows counts them.
    const std::uint64_t since1601 = 116444736000000000ull;
    const std::uint64_t written = since1601 +
                                  static_cast<std::uint64_t>(s.st_mtim.tv_sec) * 10000000ull +
                                  static_cast<std::uint64_t>(s.st_mtim.tv_nsec) / 100;
    data->ftLastWriteTime = {static_cast<DWORD>(written), static_cast<DWORD>(written >> 32)};
    const auto size = static_cast<std::uint64_t>(s.st_size);
    data->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(size);
    return TRUE;
}

// The name made absolute against the working folder, without resolving links or "..", as
// Windows leaves a path's parts alone.
DWORD GetFullPathNameW(LPCWSTR name, DWORD size, LPWSTR buffer, LPWSTR* filePart) {
    if (!name || !*name) {
        failWith(ERROR_INVALID_PARAMETER, "The parameter is incorrect.");
        return 0;
    }
    std::string full = narrowName(name);
    if (full[0] != '/') {
        char* here = getcwd(nullptr, 0);
        if (!here) {
            failWithErrno(errno);
            return 0;
        }
        full = std::string(here) + (here[1] ? "/" : "") + full;
        std::free(here);
    }
    const std::u16string wide = wideName(full);
    if (size <= wide.size()) return static_cast<DWORD>(wide.size() + 1); // the room it needs
    std::copy(wide.begin(), wide.end(), buffer);
    buffer[wide.size()] = u'\0';
    if (filePart) {
        const std::size_t slash = wide.find_last_of(u'/');
        *filePart = slash + 1 < wide.size() ? buffer + slash + 1 : nullptr;
    }
    return static_cast<DWORD>(wide.size());
}

BOOL GetConsoleMode(HANDLE, DWORD*) {
    failWith(ERROR_INVALID_HANDLE, "The handle is invalid.");
    return FALSE;
}

BOOL WriteConsoleW(HANDLE console, const void* text, DWORD units, DWORD* written, void*) {
    if (written) *written = 0;
    const std::u16string wide(static_cast<const char16_t*>(text), units);
    const std::string bytes = narrowName(wide.c_str());
    if (::write(descriptorOf(console), bytes.data(), bytes.size()) !=
        static_cast<ssize_t>(bytes.size())) {
        failWithErrno(errno);
        return FALSE;
    }
    if (written) *written = units;
    return TRUE;
}

// Null when the descriptor is closed, as for a Windows program started without a console.
HANDLE GetStdHandle(DWORD which) {
    const int fd = which == STD_INPUT_HANDLE    ? 0
                   : which == STD_OUTPUT_HANDLE ? 1
                   : which == STD_ERROR_HANDLE  ? 2
                                                : -1;
    if (fd < 0) {
        failWith(ERROR_INVALID_HANDLE, "The handle is invalid.");
        return INVALID_HANDLE_VALUE;
    }
    return fcntl(fd, F_GETFD) == -1 ? nullptr : handleOf(fd);
}
