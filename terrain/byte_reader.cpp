// ByteReader's refill path: reads that cross the end of the buffered block.
#include "terrain/byte_reader.h"

bool ByteReader::readSlow(unsigned char* dst, std::size_t n) {
    while (n > 0) {
        if (pos_ == end_) {
            before_ += end_;
            pos_ = 0;
            end_ = source_.read(buffer_.data(), buffer_.size());
            if (end_ == 0) return false;
        }
        const std::size_t take = end_ - pos_ < n ? end_ - pos_ : n;
        std::memcpy(dst, buffer_.data() + pos_, take);
        pos_ += take;
        dst += take;
        n -= take;
    }
    return true;
}
