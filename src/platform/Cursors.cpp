#include "platform/Cursors.h"

#include <QPixmap>

namespace moka {

QCursor Cursors::fromPicture(const QImage &picture, int hotX, int hotY)
{
    if (picture.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(QPixmap::fromImage(picture.convertToFormat(QImage::Format_ARGB32)), hotX, hotY);
}

QCursor Cursors::invisible() { return QCursor(Qt::BlankCursor); }

} // namespace moka
