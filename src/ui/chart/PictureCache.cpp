#include "ui/chart/PictureCache.h"

#include "ui/chart/ChartGeometry.h"

#include <QDateTime>
#include <QFileInfo>

#include <algorithm>
#include <map>

namespace qdx {

namespace {

struct CachedFile {
    bool read = false;
    qint64 size = -1;
    QDateTime modified;
    QImage picture;              // a class picture or the background
    PictureCache::MaskPart mask; // a mask
};

// Pictures and masks apart, so that one path is always read the same way.
std::map<QString, CachedFile>& cachedFiles(bool masks) {
    static std::map<QString, CachedFile> pictures;
    static std::map<QString, CachedFile> maskFiles;
    return masks ? maskFiles : pictures;
}

QImage readPicture(const QString& path) {
    QImage image(path);
    if (image.isNull() || image.size() != QSize(chart::kPictureWidth, chart::kPictureHeight)) {
        return {};
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

PictureCache::MaskPart cutMask(const QImage& mask) {
    int left = mask.width();
    int right = -1;
    int top = mask.height();
    int bottom = -1;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < mask.width(); ++x) {
            if (line[x] != 0xffffffffu) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    if (right < 0) {
        return {};
    }
    const QRect bounds(QPoint(left, top), QPoint(right, bottom));
    return {mask.copy(bounds), bounds};
}

// The entry of a file, read anew when the file changed since it was read.
const CachedFile& cached(const QString& path, bool isMask) {
    const QFileInfo file(path);
    const qint64 size = file.exists() ? file.size() : -1;
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    CachedFile& entry = cachedFiles(isMask)[path];
    if (entry.read && entry.size == size && entry.modified == modified) {
        return entry;
    }
    entry = CachedFile{true, size, modified, {}, {}};
    const QImage picture = size < 0 ? QImage() : readPicture(path);
    if (isMask) {
        entry.mask = cutMask(picture);
    } else {
        entry.picture = picture;
    }
    return entry;
}

} // namespace

QImage PictureCache::picture(const QString& path) {
    return cached(path, false).picture;
}

PictureCache::MaskPart PictureCache::mask(const QString& path) {
    return cached(path, true).mask;
}

} // namespace qdx
