// The pictures the forms show. A form names its picture in the dynamic property `picture` ("cover",
// "warning") rather than as a pixmap: the build packs each picture into raw pixels, which are copied
// here instead of being decoded at start-up.
#pragma once

#include <QImage>
#include <QString>

namespace kvizaro {

// The picture called `name`; a null image if there is no such picture.
QImage picture(const QString& name);

} // namespace kvizaro
