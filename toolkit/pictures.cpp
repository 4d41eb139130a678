#include "pictures.h"

#include "picture_format.h"

#include <QResource>

// The pictures live in a static library; their registration has to be pulled in by name, outside any
// namespace.
static void registerPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace kvizaro {

QImage picture(const QString& name) {
    static const bool registered = (registerPictureResources(), true);
    (void)registered;
    const QResource resource(QStringLiteral(":/pictures/") + name);
    const QByteArray bytes = resource.uncompressedData();
    return unpackPicture(bytes.constData(), bytes.size());
}

} // namespace kvizaro
