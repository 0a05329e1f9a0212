#include "viewer/imagecache.h"

#include <QFileInfo>
#include <QImageReader>

bool ImageCache::isPictureFile(const QString &fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == u"jpg" || suffix == u"jpeg" || suffix == u"gif" || suffix == u"bmp" ||
           suffix == u"png";
}

void ImageCache::setMaxAge(int loads) {
    QMutexLocker lock(&m_mutex);
    m_maxAge = qBound(0, loads, MaxAllowedAge);
    dropOlderThan(m_maxAge);
}

void ImageCache::age() {
    QMutexLocker lock(&m_mutex);
    for (Entry &e : m_entries)
        ++e.age;
    dropOlderThan(m_maxAge);
}

void ImageCache::dropOlderThan(int loads) {
    for (auto it = m_entries.begin(); it != m_entries.end();)
        it = it->age > loads ? m_entries.erase(it) : std::next(it);
}

ImageCache::Entry &ImageCache::entry(const QString &fileName) {
    auto it = m_entries.find(fileName);
    if (it == m_entries.end()) {
        Entry e;
        QFile file;
        if (isPictureFile(fileName) && LocalFile::open(file, fileName, m_maxFileSize, nullptr)) {
            QImageReader reader(&file);
            e.size = reader.size();
            if (!e.size.isValid() && reader.canRead()) {
                e.image = reader.read();
                e.decoded = true;
                e.size = e.image.size();
            }
        } else {
            e.decoded = true;
        }
        it = m_entries.insert(fileName, e);
    }
    it->age = 0;
    return *it;
}

QSize ImageCache::size(const QString &fileName) {
    QMutexLocker lock(&m_mutex);
    return entry(fileName).size;
}

QImage ImageCache::image(const QString &fileName) {
    QMutexLocker lock(&m_mutex);
    Entry &e = entry(fileName);
    if (!e.decoded) {
        QFile file;
        if (LocalFile::open(file, fileName, m_maxFileSize, nullptr)) {
            QImageReader reader(&file);
            e.image = reader.read();
        }
        e.decoded = true;
        if (e.image.isNull())
            e.size = QSize();
    }
    return e.image;
}
