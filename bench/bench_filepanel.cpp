// The file panel's list of a large folder, against `ls -l` over the same folder in the same run:
// 20,000 pages (every one a row), and 20,000 other files (no row at all). One line each:
//   20000 pages: ours X ms, ls -l Y ms, ours/ls R
//   20000 other files: ours X ms, ls -l Y ms, ours/ls R
#include "benchsupport.h"
#include "shell/appsettings.h"
#include "widgets/folderpanel.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int FileCount = 20000;

QString makeFolder(const QTemporaryDir &dir, const QString &name, const QString &suffix) {
    const QString folder = dir.filePath(name);
    QDir().mkpath(folder);
    for (int i = 0; i < FileCount; ++i) {
        QFile f(QStringLiteral("%1/file%2.%3").arg(folder).arg(i).arg(suffix));
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write in %s", qPrintable(folder));
        f.write("<P>page</P>\n");
    }
    return folder;
}

} // namespace

int main(int argc, char **argv) {
    Bench::prepareProcess();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const AppSettings settings;
    FolderPanel panel;
    panel.setSettings(&settings);
    panel.setFileMask(QStringLiteral("*.htm;*.shtm;*.css;*.gif;*.jpg;*.jpeg;*.png;*.mid;"));
    panel.resize(300, 800);
    panel.show();
    const QString empty = dir.filePath(QStringLiteral("empty"));
    QDir().mkpath(empty);
    const struct {
        const char *what;
        QString folder;
    } cases[] = {{"pages", makeFolder(dir, QStringLiteral("pages"), QStringLiteral("htm"))},
                 {"other files", makeFolder(dir, QStringLiteral("other"), QStringLiteral("txt"))}};
    for (const auto &c : cases) {
        // The panel shows another folder before each run, so every run reads the folder anew.
        const double ours = Bench::medianMs(
            5,
            [&] {
                panel.setFolder(c.folder);
                QApplication::processEvents();
            },
            [&] { panel.setFolder(empty); });
        const double ls = Bench::medianMs(5, [&] {
            QProcess p;
            p.setStandardOutputFile(QProcess::nullDevice());
            p.start(QStringLiteral("ls"), {QStringLiteral("-l"), c.folder});
            p.waitForFinished(-1);
        });
        std::printf("%d %s: ours %.0f ms, ls -l %.0f ms, ours/ls %.2f (%d rows)\n", FileCount,
                    c.what, ours, ls, ours / ls, panel.rowCount());
        std::fflush(stdout);
    }
    return 0;
}
