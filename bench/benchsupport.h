// Small helpers shared by the editor benchmarks: medians of repeated runs, memory figures from
// /proc, decoding the page the way the program reads files, and key presses into a widget.
#pragma once

#include "platform/allocator.h"
#include "shell/prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <ctime>
#include <functional>
#include <vector>

#if __has_include("documents/textcodec.h")
#include "documents/textcodec.h"
#define MARLO_BENCH_DECODER "decodeDocument"
inline QString benchDecode(const QByteArray &bytes) {
    return decodeDocument(bytes).text;
}
#else
#define MARLO_BENCH_DECODER "QString::fromUtf8"
inline QString benchDecode(const QByteArray &bytes) {
    return QString::fromUtf8(bytes);
}
#endif

namespace Bench {

// Before the QApplication is made: offscreen unless a platform is asked for, and the allocator
// tuned as the program tunes it, so that speed and memory are the program's own.
inline void prepareProcess() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    tuneAllocatorForLargePages();
}

// Prompts nobody sees: questions get the answers given, messages vanish, pickers are cancelled.
class QuietPrompts : public Prompts {
public:
    explicit QuietPrompts(Answer yesNo = Answer::No, Answer yesNoCancel = Answer::Cancel)
        : m_yesNo(yesNo), m_yesNoCancel(yesNoCancel) {}
    void message(Kind, const QString &) override {}
    Answer askYesNo(Kind, const QString &) override { return m_yesNo; }
    Answer askYesNoCancel(Kind, const QString &) override { return m_yesNoCancel; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QStringList openFileNames(const QString &, const QString &, const QString &) override {
        return {};
    }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override {
        return {};
    }
    QString pickFolder(const QString &, const QString &) override { return {}; }
    std::optional<QColor> pickColor(const QColor &) override { return std::nullopt; }

private:
    Answer m_yesNo;
    Answer m_yesNoCancel;
};

// Milliseconds of `run`, the median of `times` runs; `prepare` runs untimed before each.
inline double medianMs(int times, const std::function<void()> &run,
                       const std::function<void()> &prepare = {}) {
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        if (prepare)
            prepare();
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// A field of /proc/self/status in kB ("VmHWM", "VmRSS").
inline qint64 statusKb(const char *field) {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Milliseconds of processor time this thread has used: on a machine shared with other work, the
// part of a wall-clock figure that is the program's own.
inline double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

inline QString readAndDecode(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return benchDecode(f.readAll());
}

// A typed character ("\n" for the Return key): key press and release, as the window system
// delivers them.
inline void typeKey(QWidget *w, QChar c) {
    const bool enter = c == u'\n';
    const Qt::Key key = enter ? Qt::Key_Return : Qt::Key_unknown;
    const QString text = enter ? QStringLiteral("\r") : QString(c);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace Bench
