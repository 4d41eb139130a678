// Turns a picture into the raw pixels the program copies at start-up, instead of decoding a PNG there
// (about a millisecond for the cover alone). Runs at build time.
// Usage: kvizaro_pack_picture INPUT.png OUTPUT.pixels
// Output: the four bytes "KVZP", then width, height and QImage::Format as 32-bit little-endian numbers,
// then the rows, each pixel a 32-bit little-endian number.
#include "picture_format.h"

#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kvizaro_pack_picture INPUT.png OUTPUT.pixels\n");
        return 64;
    }
    const QImage source(QString::fromLocal8Bit(argv[1]), "png");
    if (source.isNull()) {
        std::fprintf(stderr, "%s: not a readable PNG\n", argv[1]);
        return 1;
    }
    const QByteArray packed = kvizaro::packPicture(source);
    QFile output(QString::fromLocal8Bit(argv[2]));
    if (!output.open(QIODevice::WriteOnly) || output.write(packed) != packed.size() || !output.flush()) {
        std::fprintf(stderr, "%s: cannot write\n", argv[2]);
        return 1;
    }
    return 0;
}
