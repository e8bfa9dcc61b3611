// ByteReader: reads a file front to back through a block buffer of its own, so that a
// field costs a copy rather than a library call. It never seeks, and it keeps the file
// offset of the next byte for error messages.
// Needs: standard C++ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

class ByteReader {
  public:
    explicit ByteReader(std::FILE* file) : file_(file), buffer_(blockSize) {}

    // Copies the next n bytes to dst. False when the file ends or fails first; the bytes
    // that were there have been consumed then.
    bool read(void* dst, std::size_t n) {
        if (end_ - pos_ >= n) {
            std::memcpy(dst, buffer_.data() + pos_, n);
            pos_ += n;
            return true;
        }
        return readSlow(static_cast<unsigned char*>(dst), n);
    }

    // Offset in the file of the next byte to be read.
    std::uint64_t offset() const { return before_ + pos_; }

    static constexpr std::size_t blockSize = 1 << 16;

  private:
    bool readSlow(unsigned char* dst, std::size_t n);

    std::FILE* file_;
    std::vector<unsigned char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t before_ = 0; // file offset of buffer_[0]
};
