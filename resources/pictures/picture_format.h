// The packed form of a picture, shared by the build-time packer and the program that unpacks it: the four
// bytes "KVZP", width, height and QImage::Format as 32-bit little-endian numbers, then the rows, top to
// bottom, each pixel a 32-bit little-endian number (0xAARRGGBB), so that the packed form is the same
// whichever byte order the packing machine has.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QtEndian>

#include <cstring>

namespace kvizaro {

inline constexpr char PictureMagic[4] = {'K', 'V', 'Z', 'P'};
inline constexpr qsizetype PictureHeaderSize = 16;

inline QByteArray packPicture(const QImage& source) {
    const QImage image = source.convertToFormat(source.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                                         : QImage::Format_RGB32);
    const qsizetype rowBytes = qsizetype(image.width()) * 4;
    QByteArray packed(PictureHeaderSize + rowBytes * image.height(), Qt::Uninitialized);
    char* out = packed.data();
    std::memcpy(out, PictureMagic, 4);
    qToLittleEndian<quint32>(quint32(image.width()), out + 4);
    qToLittleEndian<quint32>(quint32(image.height()), out + 8);
    qToLittleEndian<quint32>(quint32(image.format()), out + 12);
    for (int y = 0; y < image.height(); ++y) {
        qToLittleEndian<quint32>(image.constScanLine(y), image.width(),
                                 out + PictureHeaderSize + rowBytes * y);
    }
    return packed;
}

// A null image for anything that is not a whole packed picture.
inline QImage unpackPicture(const char* data, qsizetype size) {
    if (size < PictureHeaderSize || std::memcmp(data, PictureMagic, 4) != 0) {
        return {};
    }
    const auto width = qFromLittleEndian<quint32>(data + 4);
    const auto height = qFromLittleEndian<quint32>(data + 8);
    const auto format = QImage::Format(qFromLittleEndian<quint32>(data + 12));
    const bool knownFormat = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied;
    const qsizetype rowBytes = qsizetype(width) * 4;
    if (!knownFormat || width == 0 || width > 4096 || height > 4096 ||
        size - PictureHeaderSize != rowBytes * qsizetype(height)) {
        return {};
    }
    QImage image(int(width), int(height), format);
    for (int y = 0; y < image.height(); ++y) {
        qFromLittleEndian<quint32>(data + PictureHeaderSize + rowBytes * y, image.width(), image.scanLine(y));
    }
    return image;
}

} // namespace kvizaro
