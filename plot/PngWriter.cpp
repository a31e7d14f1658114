#include "plot/PngWriter.h"

#include <QImage>
#include <QSaveFile>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <thread>
#include <vector>

namespace {
// Rows [firstRow, endRow) of the image as PNG scan lines without a filter: a zero byte,
// then red, green and blue of each pixel.
void ScanLines(const QImage& image, int firstRow, int endRow, std::vector<unsigned char>& out) {
    const int width = image.width();
    out.resize((1 + 3 * static_cast<std::size_t>(width)) *
               static_cast<std::size_t>(endRow - firstRow));
    unsigned char* to = out.data();
    for (int y = firstRow; y < endRow; ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        *to++ = 0;
        for (int x = 0; x < width; ++x) {
            *to++ = static_cast<unsigned char>(qRed(from[x]));
            *to++ = static_cast<unsigned char>(qGreen(from[x]));
            *to++ = static_cast<unsigned char>(qBlue(from[x]));
        }
    }
}

// One part of the compressed stream: the scan lines of rows [firstRow, endRow). The
// first part starts the zlib stream and, unless it is the only one, ends on a byte
// boundary without closing it; a later part is raw deflate data that continues it
// (with the scan lines before it as its dictionary) and, being the last, closes it.
// The parts are concatenated and the stream's checksum appended.
struct Part {
    std::vector<unsigned char> data;
    uLong adler = 1;
    uLong length = 0; // bytes compressed
    bool ok = false;
};

Part Deflate(const QImage& image, int firstRow, int endRow, bool last) {
    Part part;
    const bool first = firstRow == 0;
    z_stream z{};
    if (deflateInit2(&z, Z_BEST_SPEED, Z_DEFLATED, first ? MAX_WBITS : -MAX_WBITS, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        return part;
    const std::size_t line = 1 + 3 * static_cast<std::size_t>(image.width());
    std::vector<unsigned char> lines;
    if (!first) {
        // What the first part ends with, as deflate's window of 32 kB would hold it.
        const int rows = static_cast<int>(std::min<std::size_t>(32768 / line + 1, firstRow));
        ScanLines(image, firstRow - rows, firstRow, lines);
        const std::size_t window = std::min<std::size_t>(lines.size(), 32768);
        deflateSetDictionary(&z, lines.data() + lines.size() - window, static_cast<uInt>(window));
    }
    // A few hundred kilobytes of scan lines at a time keep the memory small.
    const int block = std::max<int>(1, static_cast<int>(262144 / line));
    unsigned char out[65536];
    bool ok = true;
    for (int row = firstRow; row < endRow && ok; row += block) {
        const int end = std::min(endRow, row + block);
        ScanLines(image, row, end, lines);
        part.adler = adler32(part.adler, lines.data(), static_cast<uInt>(lines.size()));
        part.length += static_cast<uLong>(lines.size());
        const int flush = end < endRow ? Z_NO_FLUSH : last ? Z_FINISH : Z_SYNC_FLUSH;
        z.next_in = lines.data();
        z.avail_in = static_cast<uInt>(lines.size());
        int result = Z_OK;
        do {
            z.next_out = out;
            z.avail_out = sizeof out;
            result = deflate(&z, flush);
            part.data.insert(part.data.end(), out, out + (sizeof out - z.avail_out));
        } while (result == Z_OK && (z.avail_in > 0 || z.avail_out == 0));
        ok = result == (flush == Z_FINISH ? Z_STREAM_END : Z_OK) || result == Z_BUF_ERROR;
        ok = ok && z.avail_in == 0;
    }
    part.ok = ok;
    deflateEnd(&z);
    return part;
}

void PutBigEndian(std::vector<unsigned char>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<unsigned char>(value >> shift));
}

void PutChunk(std::vector<unsigned char>& out, const char* type,
              const std::vector<unsigned char>& data) {
    PutBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian(out, static_cast<std::uint32_t>(
                          crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

std::vector<unsigned char> EncodePng(const QImage& image) {
    const int height = image.height();
    // Two halves where there is enough to share, each compressed on its own thread.
    const int cut = height >= 64 ? height / 2 : height;
    Part first, second;
    std::exception_ptr failure;
    {
        std::jthread worker;
        if (cut < height) {
            worker = std::jthread([&] {
                try {
                    second = Deflate(image, cut, height, true);
                } catch (...) {
                    failure = std::current_exception();
                }
            });
        }
        first = Deflate(image, 0, cut, cut == height);
    }
    if (failure)
        std::rethrow_exception(failure);
    if (!first.ok || (cut < height && !second.ok))
        return {};
    std::vector<unsigned char> compressed = std::move(first.data);
    if (cut < height) {
        compressed.insert(compressed.end(), second.data.begin(), second.data.end());
        PutBigEndian(compressed,
                     static_cast<std::uint32_t>(adler32_combine(
                         first.adler, second.adler, static_cast<z_off_t>(second.length))));
    }

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, static_cast<std::uint32_t>(image.width()));
    PutBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8 bits, RGB, deflate, no filter, no interlace
    PutChunk(png, "IHDR", header);
    // The resolution, as Qt's writer records it.
    if (image.dotsPerMeterX() > 0 || image.dotsPerMeterY() > 0) {
        std::vector<unsigned char> physical;
        PutBigEndian(physical, static_cast<std::uint32_t>(image.dotsPerMeterX()));
        PutBigEndian(physical, static_cast<std::uint32_t>(image.dotsPerMeterY()));
        physical.push_back(1); // per metre
        PutChunk(png, "pHYs", physical);
    }
    PutChunk(png, "IDAT", compressed);
    PutChunk(png, "IEND", {});
    return png;
}
} // namespace

bool WritePng(const QImage& image, const QString& fileName, QString& error) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    bool written = false;
    if (image.format() != QImage::Format_RGB32 || image.isNull() || !image.textKeys().isEmpty()) {
        written = image.save(&file, "PNG");
    } else {
        const std::vector<unsigned char> png = EncodePng(image);
        const auto size = static_cast<qint64>(png.size());
        written = size > 0 && file.write(reinterpret_cast<const char*>(png.data()), size) == size;
    }
    if (!written) {
        error = file.error() != QFileDevice::NoError
                    ? file.errorString()
                    : QStringLiteral("the picture cannot be encoded");
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}
