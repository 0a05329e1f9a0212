// A main window on a throw-away context, shown offscreen and past its first-show steps, with a
// browser launcher that records what it is asked to do.
#pragma once

#include "common/testcontext.h"
#include "documents/documentcontroller.h"
#include "documents/filecommands.h"
#include "editor/sourceeditor.h"
#include "platform/browserlauncher.h"
#include "shell/actionregistry.h"
#include "shell/mainwindow.h"

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

class WindowHarness {
public:
    // `settings` is the text of Marlo.ini before start; tips are off unless it says otherwise.
    // `startupFiles` stand for the files named on the command line.
    explicit WindowHarness(const QByteArray &settings = QByteArrayLiteral("[Options]\ntotd=0\n"),
                           const QStringList &startupFiles = {}) {
        t.writeSettings(settings);
        m_window = std::make_unique<MainWindow>(t.ctx, browsers);
        m_window->setStartupFiles(startupFiles);
        m_window->show();
        QTRY_VERIFY(m_window->hasStarted());
    }

    MainWindow &window() { return *m_window; }
    DocumentController &docs() { return *m_window->documents(); }
    FileCommands &files() { return *m_window->fileCommands(); }
    SourceEditor &editor() { return docs().currentView(); } // the current editor
    // An action, command button or menu of the window by its id.
    QAction *action(const QString &id) { return m_window->commands().action(id); }
    QToolButton *button(const QString &id) { return m_window->commands().button(id); }
    QMenu *menu(const QString &id) { return m_window->commands().menu(id); }

    // Types text into the current editor as key presses.
    void type(const QString &text) { typeInto(&editor(), text); }
    // Key presses for each character ("\n" is Enter); one QTest has no key for comes with its
    // text alone, as from an input method.
    static void typeInto(QWidget *widget, const QString &text) {
        for (const QChar c : text) {
            if (c == QLatin1Char('\n'))
                QTest::keyClick(widget, Qt::Key_Return);
            else if (c.unicode() < 128)
                QTest::keyClicks(widget, QString(c));
            else
                QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c),
                                    Qt::NoModifier);
        }
    }

    TestContext t;
    RecordingBrowserLauncher browsers;

private:
    std::unique_ptr<MainWindow> m_window;
};
