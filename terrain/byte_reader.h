// ByteReader: reads a byte source front to back through a block buffer of its own, so that a
// field costs a copy rather than a call. It never seeks, and it keeps the offset of the next
// byte for error messages.
// Needs: standard C++ only.
#pragma once

#include "terrain/byte_source.h"

#include <vector>

class ByteReader {
  public:
    explicit ByteReader(ByteSource& source) : source_(source), buffer_(blockSize) {}

    // Copies the next n bytes to dst. False when the source ends or fails first; the bytes
    // that were there have been consumed then.
    bool read(void* dst, std::size_t n) {
        if (end_ - pos_ >= n) {
            std::memcpy(dst, buffer_.data() + pos_, n);
            pos_ += n;
            return true;
        }
        return readSlow(static_cast<unsigned char*>(dst), n);
    }

    // Offset in the source of the next byte to be read.
    std::uint64_t offset() const { return before_ + pos_; }

    static constexpr std::size_t blockSize = 1 << 16;

  private:
    bool readSlow(unsigned char* dst, std::size_t n);

    ByteSource& source_;
    std::vector<unsigned char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::uint64_t before_ = 0; // offset of buffer_[0]
};
