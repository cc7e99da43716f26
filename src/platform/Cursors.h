#pragma once

#include <QCursor>
#include <QImage>

namespace moka {

// Mouse pointers made from 32 × 32 pictures.
class Cursors
{
public:
    // A pointer from a picture with transparency, its hot spot at (hotX, hotY).
    static QCursor fromPicture(const QImage &picture, int hotX = 16, int hotY = 20);
    // A pointer that shows nothing.
    static QCursor invisible();
};

} // namespace moka
