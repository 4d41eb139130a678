// The pictures the forms show. A form names its picture in the dynamic property `picture` (a resource
// path such as ":/pictures/cover.png") rather than as a pixmap, so that it is decoded here, by the
// built-in PNG reader alone.
#pragma once

#include <QImage>
#include <QString>

namespace kvizaro {

// Makes the pictures (":/pictures/...") available as resources.
void registerPictures();

// The picture at `path`, decoded; a null image if there is no such picture.
QImage picture(const QString& path);

} // namespace kvizaro
