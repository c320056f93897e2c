#pragma once

// Pictures made in memory for the suites that check pictures: encoded in a format, one whose
// header claims more pixels than it holds, and the loader's memory limit set for one test.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

namespace TestPictures {

inline QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture of `width` × `height` pixels in one colour, as a file of `format` holds it.
inline QByteArray picture(int width, int height, const char *format = "PNG", QRgb colour = qRgb(200, 40, 40))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return encoded(image, format);
}

inline QByteArray png(int width, int height, QRgb colour = qRgb(200, 40, 40))
{
    return picture(width, height, "PNG", colour);
}

// A BMP of 1 × 1 pixel whose header says it is `width` × `height`: what a picture reader
// learns first, before it would decode anything.
inline QByteArray bmpClaiming(int width, int height)
{
    QByteArray bytes = picture(1, 1, "BMP");
    for (int i = 0; i < 4; ++i) {
        bytes[18 + i] = char((width >> (8 * i)) & 0xFF);
        bytes[22 + i] = char((height >> (8 * i)) & 0xFF);
    }
    return bytes;
}

// A PNG of 1 × 1 pixel whose header (IHDR) says it is `width` × `height`, its checksum mended, so
// that a reader takes the header for sound.
inline QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray bytes = png(1, 1);
    for (int i = 0; i < 4; ++i) {
        bytes[16 + i] = char((width >> (8 * (3 - i))) & 0xFF);
        bytes[20 + i] = char((height >> (8 * (3 - i))) & 0xFF);
    }
    // CRC-32 of the chunk's type and data, as PNG checks it.
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(bytes.at(i));
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = char((crc >> (8 * (3 - i))) & 0xFF);
    return bytes;
}

// The loader's limit on a picture's memory, set for one test and put back afterwards.
class AllocationLimit
{
public:
    explicit AllocationLimit(int megabytes)
        : m_before(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(megabytes);
    }
    ~AllocationLimit() { QImageReader::setAllocationLimit(m_before); }
    AllocationLimit(const AllocationLimit &) = delete;
    AllocationLimit &operator=(const AllocationLimit &) = delete;

private:
    int m_before;
};

} // namespace TestPictures
