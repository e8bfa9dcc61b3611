// The PNG container round zlib's deflate: a signature, the header, the texts, one data chunk
// of the filtered rows and the end, each chunk with its CRC. Rows are filtered with "Up" (each byte
// less the one above it), which suits terrain's smooth pictures and heights.
#include "export/png_encode.h"

#include <zlib.h>

#include <cstring>

namespace {

void bigEndian(std::vector<unsigned char>& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(v >> shift));
}

void chunk(std::vector<unsigned char>& out, const char type[4], const unsigned char* data,
           std::size_t size) {
    bigEndian(out, static_cast<std::uint32_t>(size));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    if (size > 0) out.insert(out.end(), data, data + size);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out.data() + start, static_cast<uInt>(out.size() - start));
    bigEndian(out, static_cast<std::uint32_t>(crc));
}

} // namespace

std::vector<unsigned char> encodePng(const PngImage& image) {
    const std::size_t rowBytes =
        static_cast<std::size_t>(image.width) * image.channels * (image.bitsPerSample / 8);
    // The fastest level, matching runs only: pictures of whole maps are large, and terrain's
    // filtered rows are mostly runs. Rows are filtered one at a time into the compressor.
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return {};
    std::vector<unsigned char> packed(deflateBound(
        &z, static_cast<uLong>((rowBytes + 1) * static_cast<std::size_t>(image.height))));
    z.next_out = packed.data();
    z.avail_out = static_cast<uInt>(packed.size());
    std::vector<unsigned char> row(rowBytes + 1);
    bool good = true;
    for (int y = 0; y < image.height && good; ++y) {
        const unsigned char* here = &image.pixels[rowBytes * static_cast<std::size_t>(y)];
        row[0] = y == 0 ? 0 : 2; // None for the first row, Up below it
        for (std::size_t i = 0; i < rowBytes; ++i)
            row[1 + i] = static_cast<unsigned char>(here[i] - (y == 0 ? 0 : here[i - rowBytes]));
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        good = deflate(&z, y + 1 == image.height ? Z_FINISH : Z_NO_FLUSH) ==
               (y + 1 == image.height ? Z_STREAM_END : Z_OK);
    }
    packed.resize(z.total_out);
    deflateEnd(&z);
    if (!good && image.height > 0) return {};

    std::vector<unsigned char> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    unsigned char header[13];
    const auto put = [&](int at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k) header[at + k] = static_cast<unsigned char>(v >> (24 - 8 * k));
    };
    put(0, static_cast<std::uint32_t>(image.width));
    put(4, static_cast<std::uint32_t>(image.height));
    header[8] = static_cast<unsigned char>(image.bitsPerSample);
    header[9] = image.channels == 1 ? 0 : 2;  // grey, or truecolour
    header[10] = header[11] = header[12] = 0; // deflate, adaptive filtering, no interlace
    chunk(out, "IHDR", header, sizeof header);
    for (const auto& [keyword, text] : image.texts) {
        std::vector<unsigned char> data(keyword.begin(), keyword.end());
        data.push_back(0);
        data.insert(data.end(), text.begin(), text.end());
        chunk(out, "tEXt", data.data(), data.size());
    }
    chunk(out, "IDAT", packed.data(), packed.size());
    chunk(out, "IEND", nullptr, 0);
    return out;
}
