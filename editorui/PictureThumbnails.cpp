#include "PictureThumbnails.h"

#include <QCache>
#include <QCoreApplication>

namespace PictureThumbnails {

namespace {

struct ScaledKey
{
    QByteArray bytes;
    QSize size;
    friend bool operator==(const ScaledKey &, const ScaledKey &) = default;
};
size_t qHash(const ScaledKey &key, size_t seed = 0) { return qHashMulti(seed, key.bytes, key.size.width(), key.size.height()); }

// Pictures are a test's few dozen files at most; the thumbnails are small. The pixmaps go
// with the application, before the platform that holds them.
struct Caches
{
    QCache<QByteArray, QPixmap> decoded{64 * 1024 * 1024}; // cost: bytes of pixels
    QCache<ScaledKey, QPixmap> scaled{16 * 1024 * 1024};
};

Caches &caches()
{
    static Caches c;
    static const bool cleared = [] {
        qAddPostRoutine([] {
            caches().decoded.clear();
            caches().scaled.clear();
        });
        return true;
    }();
    Q_UNUSED(cleared);
    return c;
}

qsizetype costOf(const QPixmap &p) { return std::max<qsizetype>(1, qsizetype(p.width()) * p.height() * 4); }

} // namespace

QPixmap picture(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return {};
    if (const QPixmap *found = caches().decoded.object(bytes))
        return *found;
    QPixmap pixmap;
    pixmap.loadFromData(bytes); // as PictureBox decodes the quiz's pictures
    caches().decoded.insert(bytes, new QPixmap(pixmap), costOf(pixmap));
    return pixmap;
}

QPixmap scaled(const QByteArray &bytes, QSize size)
{
    if (bytes.isEmpty() || size.isEmpty())
        return {};
    const ScaledKey key{bytes, size};
    if (const QPixmap *found = caches().scaled.object(key))
        return *found;
    const QPixmap whole = picture(bytes);
    if (whole.isNull())
        return {};
    // Never larger than the picture itself: a small picture is shown at its own size.
    const QPixmap fitted = whole.width() <= size.width() && whole.height() <= size.height()
        ? whole
        : whole.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    caches().scaled.insert(key, new QPixmap(fitted), costOf(fitted));
    return fitted;
}

} // namespace PictureThumbnails
