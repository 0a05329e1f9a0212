// Pictures of the viewer by file name, each with an age: a picture unused for more loads than
// the cache allows is dropped. Sizes are read from the file header; pixels only when drawn.
// Only regular files up to a size bound are read: a pipe or a device named as a picture is none.
// Safe to share between threads: a page laid out on another thread reads its pictures' sizes
// from the cache that the window draws them from.
#pragma once

#include "viewer/localfile.h"

#include <QHash>
#include <QImage>
#include <QMutex>
#include <QSize>
#include <QString>

class ImageCache {
public:
    static constexpr int MaxAllowedAge = 20;

    int maxAge() const {
        QMutexLocker lock(&m_mutex);
        return m_maxAge;
    }
    // Clamped to 0..20; lowering it drops the pictures older than the new value at once.
    void setMaxAge(int loads);
    // A new document is loading: every picture grows one load older.
    void age();
    void clear() {
        QMutexLocker lock(&m_mutex);
        m_entries.clear();
    }

    // The size of a picture file (without decoding it); empty when there is none.
    QSize size(const QString &fileName);
    // The decoded picture; null when the file is missing, unreadable or of another kind.
    QImage image(const QString &fileName);

    // Files larger than this are no pictures.
    void setMaxFileSize(qint64 bytes) {
        QMutexLocker lock(&m_mutex);
        m_maxFileSize = bytes;
    }

    int count() const {
        QMutexLocker lock(&m_mutex);
        return int(m_entries.size());
    }
    bool contains(const QString &fileName) const {
        QMutexLocker lock(&m_mutex);
        return m_entries.contains(fileName);
    }
    // Whether the file is of a kind the viewer shows (JPEG, GIF, BMP, PNG by extension).
    static bool isPictureFile(const QString &fileName);

private:
    struct Entry {
        QSize size;
        QImage image;
        bool decoded = false;
        int age = 0;
    };
    Entry &entry(const QString &fileName);
    void dropOlderThan(int loads);

    mutable QMutex m_mutex;
    QHash<QString, Entry> m_entries;
    int m_maxAge = 5;
    qint64 m_maxFileSize = LocalFile::MaxPictureBytes;
};
