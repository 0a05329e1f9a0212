// A main window on a throw-away context, shown offscreen and past its first-show steps, with a
// browser launcher that records what it is asked to do.
#pragma once

#include "common/testcontext.h"
#include "documents/documentcontroller.h"
#include "documents/filecommands.h"
#include "editor/sourceeditor.h"
#include "platform/browserlauncher.h"
#include "shell/mainwindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStringList>
#include <QtTest>
#include <memory>

class RecordingBrowserLauncher : public BrowserLauncher {
public:
    void activate(const QString &program) override {
        calls << QStringLiteral("activate ") + program;
    }
    void openUrl(const QString &program, const QString &url) override {
        calls << QStringLiteral("open ") + program + QLatin1Char(' ') + url;
    }
    QStringList calls;
};

// Types text into a widget as key presses; characters beyond ASCII, which QTest has no keys
// for, come as the key events an input method sends.
inline void typeKeys(QWidget *widget, const QString &text) {
    for (const QChar c : text) {
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (c.unicode() < 128) {
            QTest::keyClicks(widget, QString(c));
        } else {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QApplication::sendEvent(widget, &release);
        }
    }
}

class WindowHarness {
public:
    // `settings` is the text of Marlo.ini before start; tips are off unless it says otherwise.
    // `startupFiles` stand for the files named on the command line.
    explicit WindowHarness(const QByteArray &settings = QByteArrayLiteral("[Options]\ntotd=0\n"),
                           const QStringList &startupFiles = {}) {
        t.writeSettings(settings);
        t.ctx.startupFiles = startupFiles;
        m_window = std::make_unique<MainWindow>(t.ctx, browsers);
        m_window->show();
        QTRY_VERIFY(m_window->hasStarted());
    }

    MainWindow &window() { return *m_window; }
    DocumentController &docs() { return *m_window->documents(); }
    FileCommands &files() { return *m_window->fileCommands(); }
    SourceEditor &editor() { return *docs().currentEditor(); } // the current editor

    // Types text into the current editor as key presses.
    void type(const QString &text) { typeKeys(&editor(), text); }

    TestContext t;
    RecordingBrowserLauncher browsers;

private:
    std::unique_ptr<MainWindow> m_window;
};
