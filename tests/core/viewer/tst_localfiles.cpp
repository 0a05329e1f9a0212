// Pages and pictures are read only from regular files of a bounded size: a named pipe, a link to
// a device or a folder is refused at once, never waited on.
#include "common/pipewatch.h"
#include "viewer/htmlsource.h"
#include "viewer/imagecache.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

class TestLocalFiles : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QStringList m_pipes;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase() {
        QLocale::setDefault(QLocale::c());
        QVERIFY(m_dir.isValid());
        auto write = [&](const QString &name, const QByteArray &bytes) {
            QFile f(path(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        write("page.htm", "<P>hello");
        write("big.htm", QByteArray(2000, 'x'));
        QImage picture(30, 20, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(path("picture.png")));
        QVERIFY(QDir(m_dir.path()).mkdir("folder.htm"));
        for (const QString &name : {"pipe.htm", "pipe.png"}) {
            QCOMPARE(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
            m_pipes << path(name);
        }
        QVERIFY(QFile::link(path("pipe.htm"), path("link.htm")));
        QVERIFY(QFile::link(path("pipe.png"), path("link.png")));
        QVERIFY(QFile::link("/dev/zero", path("zero.png")));
    }

    void pages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("page") << "page.htm" << qint64(1000) << "";
        QTest::newRow("at the bound") << "big.htm" << qint64(2000) << "";
        QTest::newRow("above the bound") << "big.htm" << qint64(1024)
                                         << "\"%1\" is too large to show (2.0 kB; at most 1.0 kB "
                                            "can be shown).";
        QTest::newRow("named pipe") << "pipe.htm" << qint64(1000)
                                    << "\"%1\" is not a regular file.";
        QTest::newRow("link to a pipe") << "link.htm" << qint64(1000)
                                        << "\"%1\" is not a regular file.";
        QTest::newRow("folder") << "folder.htm" << qint64(1000)
                                << "\"%1\" is not a regular file.";
        QTest::newRow("missing") << "none.htm" << qint64(1000) << "Can't locate file: %1";
    }
    void pages() {
        QFETCH(QString, name);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, error);
        QString text, message;
        bool ok = false;
        QVERIFY(finishesWithoutWriter(m_pipes, [&] {
            ok = HtmlSource::readFile(path(name), text, message, maxBytes);
        }));
        QCOMPARE(ok, error.isEmpty());
        QCOMPARE(message, error.isEmpty() ? QString() : error.arg(path(name)));
        if (ok)
            QVERIFY(!text.isEmpty());
    }

    void pictures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QSize>("size");
        const qint64 pictureBytes = QFileInfo(path("picture.png")).size();
        QTest::newRow("picture") << "picture.png" << pictureBytes << QSize(30, 20);
        QTest::newRow("above the bound") << "picture.png" << pictureBytes - 1 << QSize();
        QTest::newRow("named pipe") << "pipe.png" << qint64(1000) << QSize();
        QTest::newRow("link to a pipe") << "link.png" << qint64(1000) << QSize();
        QTest::newRow("link to a device") << "zero.png" << qint64(1000) << QSize();
    }
    void pictures() {
        QFETCH(QString, name);
        QFETCH(qint64, maxBytes);
        QFETCH(QSize, size);
        ImageCache cache;
        cache.setMaxFileSize(maxBytes);
        QSize measured;
        QImage image;
        QVERIFY(finishesWithoutWriter(m_pipes, [&] {
            measured = cache.size(path(name));
            image = cache.image(path(name));
        }));
        QCOMPARE(measured, size);
        QCOMPARE(image.size(), size.isValid() ? size : QSize(0, 0));
    }
};

QTEST_GUILESS_MAIN(TestLocalFiles)
#include "tst_localfiles.moc"
