#pragma once

#include <QImage>
#include <QRect>
#include <QString>

namespace qdx {

// The chart picture files as read for this run. Windows with a chart open and close often and
// reading a whole picture set takes a fifth of a second, so each file is read once and read
// again only when its size or modification time changes; a file that is gone or unreadable
// gives an empty image. Used on the user-interface thread only.
class PictureCache {
public:
    // A 481 x 558 picture in QImage::Format_RGB32, or a null image.
    static QImage picture(const QString& path);

    // The part of a mask that is not white, cut out of the picture, and where it lies. A mask
    // changes nothing outside it, so the composition only needs this part.
    struct MaskPart {
        QImage part;
        QRect bounds;
    };
    static MaskPart mask(const QString& path);
};

} // namespace qdx
