#include "pictures.h"

#include <QImageReader>

// The pictures live in a static library; their registration has to be pulled in by name, outside any
// namespace.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace kvizaro {

void registerPictures() {
    static const bool registered = (registerPictureResources(), true);
    (void)registered;
}

QImage picture(const QString& path) {
    registerPictures();
    // With format detection on, the reader first asks every installed image plugin whether it reads the
    // format, loading each plugin and its libraries to ask: several milliseconds of start-up, for
    // pictures that are all PNGs.
    QImageReader reader(path, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

} // namespace kvizaro
