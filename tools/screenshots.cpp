// Takes the pictures of the README and the AppStream file from the real main window, offscreen:
// a coloured page in the editor, the same page in the built-in viewer, two dialogs, and the list
// completion offers while typing a colour. The page lies in a small sample site in a home folder
// of its own, so the file panel shows that site and nothing of the machine the pictures are taken
// on.
// Usage: marlo_screenshots <output folder> <installation folder> [icon theme]
// (an icon theme name such as Adwaita or breeze shows the toolbar as that desktop would).
#include "documents/documentcontroller.h"
#include "editor/completionpopup.h"
#include "editor/replacedialog.h"
#include "editor/searchcommands.h"
#include "editor/sourceeditor.h"
#include "platform/browserlauncher.h"
#include "platform/messageboxprompts.h"
#include "preview/livepreviewcontroller.h"
#include "preview/previewcontroller.h"
#include "shell/appcontext.h"
#include "shell/mainwindow.h"
#include "wizards/tagwizard.h"
#include "wizards/tagwizardcommands.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

class NoBrowser : public BrowserLauncher {
public:
    void activate(const QString &) override {}
    void openUrl(const QString &, const QString &) override {}
};

const char SamplePage[] = R"(<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 3.2 Final//EN">
<HTML>
<HEAD>
<TITLE>Garden club</TITLE>
</HEAD>
<BODY BGCOLOR="#FFFFF0" TEXT="#202020" LINK="#006000">
<!-- Header: keep the picture small so the page loads fast -->
<H1 ALIGN=CENTER>Garden club</H1>
<P>Welcome to the <B>garden club</B>. We meet every <I>second Saturday</I> of the month
in the old greenhouse behind the library.</P>
<H2>Next meetings</H2>
<UL>
<LI>March 14: pruning fruit trees
<LI>April 11: sowing vegetables under glass
<LI>May 9: the plant swap
</UL>
<TABLE BORDER=1 CELLPADDING=4>
<TR><TH>Month</TH><TH>Topic</TH></TR>
<TR><TD>June</TD><TD>Roses and their friends</TD></TR>
<TR><TD>July</TD><TD>Watering wisely</TD></TR>
</TABLE>
<P>Questions? Write to <A HREF="mailto:club@example.org">club@example.org</A>.</P>
<HR>
<P><A HREF="archive.htm">Archive of past meetings</A></P>
</BODY>
</HTML>
)";

void settle(int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool writePicture(const QString &path, const QColor &sky, const QColor &ground) {
    QDir().mkpath(QFileInfo(path).path());
    QImage picture(120, 80, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 120, 50, sky);
    painter.fillRect(0, 50, 120, 30, ground);
    painter.end();
    return picture.save(path);
}

// The sample site: the page, two more pages, a style sheet and pictures.
bool writeSite(const QString &site) {
    return writeFile(site + QStringLiteral("/index.htm"), SamplePage) &&
           writeFile(site + QStringLiteral("/archive.htm"),
                     "<HTML><HEAD><TITLE>Archive</TITLE></HEAD><BODY></BODY></HTML>\n") &&
           writeFile(site + QStringLiteral("/members.htm"),
                     "<HTML><HEAD><TITLE>Members</TITLE></HEAD><BODY></BODY></HTML>\n") &&
           writeFile(site + QStringLiteral("/garden.css"), "BODY { margin: 2em; }\n") &&
           writePicture(site + QStringLiteral("/logo.jpg"), QColor(240, 240, 220),
                        QColor(60, 120, 60)) &&
           writePicture(site + QStringLiteral("/images/greenhouse.jpg"), QColor(170, 210, 240),
                        QColor(90, 150, 70)) &&
           writePicture(site + QStringLiteral("/images/roses.jpg"), QColor(250, 220, 220),
                        QColor(200, 40, 60));
}

// Keys as the window system delivers them; "\n" is the Return key.
void type(QWidget *widget, const QString &text) {
    for (const QChar c : text) {
        const bool enter = c == u'\n';
        const Qt::Key key = enter ? Qt::Key_Return : Qt::Key_unknown;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, enter ? QStringLiteral("\r") : QString(c));
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, press.text());
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

bool save(QWidget *widget, const QString &file, const QRect &part = QRect()) {
    const bool ok = widget->grab(part.isNull() ? QRect(QPoint(0, 0), QSize(-1, -1)) : part).save(file);
    std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "wrote" : "cannot write", qPrintable(file));
    return ok;
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc < 3) {
        std::fputs("usage: marlo_screenshots <output folder> <installation folder>\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A home of its own, read by the file panel for its list of places.
    QTemporaryDir home;
    const QString userHome = home.filePath(QStringLiteral("home/sam"));
    QDir().mkpath(userHome);
    qputenv("HOME", QFile::encodeName(userHome));
    QApplication app(argc, argv);
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    if (argc > 3) {
        // The offscreen platform knows no icon folders of its own; use the desktop's.
        QStringList paths = QIcon::themeSearchPaths();
        for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            paths << dir + QStringLiteral("/icons");
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(QString::fromLocal8Bit(argv[3]));
    }
    QDir().mkpath(outDir);

    AppContext ctx;
    ctx.paths.configDir = home.filePath(QStringLiteral("config"));
    ctx.paths.dataDir = home.filePath(QStringLiteral("data"));
    ctx.paths.installDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(ctx.paths.configDir);
    QFile ini(ctx.paths.settingsFile());
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[General]\nversion=100\n[Options]\ntotd=0\nfontname=DejaVu Sans Mono\nfontsize=10\n");
    ini.close();
    const QString site = userHome + QStringLiteral("/Sites/garden-club");
    if (!writeSite(site))
        return 1;

    MessageBoxPrompts prompts;
    ctx.prompts = &prompts;
    NoBrowser browsers;
    MainWindow window(ctx, browsers);
    window.setStartupFiles({site + QStringLiteral("/index.htm")});
    prompts.setParentWindow(&window);
    window.resize(1000, 640);
    window.show();
    settle(800);
    // The list of places names the home folder as a user's would be named.
    if (auto *places = window.findChild<QComboBox *>(QStringLiteral("driveList")))
        for (int i = 0; i < places->count(); ++i)
            if (places->itemData(i).toString() == userHome)
                places->setItemText(i, QStringLiteral("/home/sam"));

    bool ok = save(&window, outDir + QStringLiteral("/editor.png"));

    window.preview()->toggleInternalViewer();
    settle(500);
    ok = save(&window, outDir + QStringLiteral("/viewer.png")) && ok;
    window.preview()->toggleInternalViewer();
    settle(200);

    // The live preview beside the source, a list item typed into the page shown in both.
    {
        window.resize(1200, 640);
        LivePreviewController &live = *window.livePreview();
        live.setOn(true);
        SourceEditor *source = &window.documents()->currentView();
        const QString text = window.documents()->current().text();
        const int at = int(text.indexOf(QStringLiteral("the plant swap"))) + 14;
        const QString sentence = QStringLiteral("\n<LI>June 13: the <B>rose show</B>");
        source->setSelection(at, 0);
        type(source, sentence);
        QDeadlineTimer waited(5000);
        while (live.isRefreshing() && !waited.hasExpired())
            settle(50);
        settle(300);
        ok = save(&window, outDir + QStringLiteral("/livepreview.png")) && ok;
        source->setSelection(at, int(sentence.size()));
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QApplication::sendEvent(source, &del);
        live.setOn(false);
        window.resize(1000, 640);
        settle(200);
    }

    window.search()->openReplace();
    settle(300);
    if (ReplaceDialog *replace = window.search()->replaceDialog()) {
        const QList<QLineEdit *> fields = replace->findChildren<QLineEdit *>();
        if (fields.size() >= 2) {
            fields[0]->setText(QStringLiteral("Saturday"));
            fields[1]->setText(QStringLiteral("Sunday"));
        }
        ok = save(replace, outDir + QStringLiteral("/replace.png")) && ok;
        replace->close();
    }

    window.tagWizard()->showWizard();
    settle(300);
    if (TagWizard *wizard = window.tagWizard()->wizard()) {
        const QList<QListWidgetItem *> img =
            wizard->tagList()->findItems(QStringLiteral("<IMG ...>"), Qt::MatchExactly);
        if (!img.isEmpty()) {
            wizard->tagList()->setCurrentItem(img.first());
            wizard->tagList()->scrollToItem(img.first());
            wizard->startTagEdit()->setText(QStringLiteral("<IMG SRC=\"\" ALT=\"\">"));
        }
        settle(100);
        ok = save(wizard, outDir + QStringLiteral("/tagwizard.png")) && ok;
        wizard->close();
    }

    // Completion: a new list item typed into the page, a FONT tag in it, and the colours offered.
    SourceEditor *editor = &window.documents()->currentView();
    const QString page = editor->sourceDocument().text();
    const int line = int(page.left(page.indexOf(QStringLiteral("May 9"))).count(u'\n'));
    editor->setRow(line);
    editor->setCol(SourceEditor::EndOfLine);
    type(editor, QStringLiteral("\n<LI>June 13: <FONT COLOR=\""));
    settle(300);
    if (auto *list = editor->findChild<CompletionPopup *>(); list && list->isVisible()) {
        // Whole lines from a few above the caret's down to the list's end.
        const QRect shown = list->geometry();
        QTextCursor above = editor->textCursor();
        above.movePosition(QTextCursor::Up, QTextCursor::MoveAnchor, 5);
        const int top = qMax(0, editor->cursorRect(above).top() + editor->viewport()->y() - 1);
        ok = save(editor, outDir + QStringLiteral("/completion.png"),
                  QRect(0, top, shown.right() + 260, shown.bottom() + 8 - top)) &&
             ok;
    } else {
        std::fputs("the completion list did not open\n", stderr);
        ok = false;
    }
    return ok ? 0 : 1;
}
