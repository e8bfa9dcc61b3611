// ByteSource: where the bytes of a load come from, read front to back. The load knows nothing
// else of its source, so a file and a buffer in memory pass through the same checks.
// MemorySource is the buffer; the viewer's file source lives with the code that opens files.
// Needs: standard C++ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

struct ByteSource {
    virtual ~ByteSource() = default;
    // Copies up to n bytes to dst and returns how many; 0 at the end or on a failure.
    virtual std::size_t read(unsigned char* dst, std::size_t n) = 0;
    // How many bytes the source holds, known before the first read.
    virtual std::uint64_t size() const = 0;
};

// A buffer that outlives the load.
struct MemorySource : ByteSource {
    const unsigned char* data;
    std::size_t length;
    std::size_t position = 0;

    MemorySource(const void* bytes, std::size_t n)
        : data(static_cast<const unsigned char*>(bytes)), length(n) {}

    std::size_t read(unsigned char* dst, std::size_t n) override {
        const std::size_t take = n < length - position ? n : length - position;
        if (take > 0) std::memcpy(dst, data + position, take);
        position += take;
        return take;
    }
    std::uint64_t size() const override { return length; }
};
