// Completion on large pages, one line per goal with its figure and its target: from the key that
// opens the list to the list on screen, and the element a "</" at the end of the page closes.
// Keys go in as the window system delivers them, through the editor's whole key path; each figure
// is also given against a plain key typed at the same place.
#include "benchpage.h"
#include "benchsupport.h"
#include "editor/completioncontroller.h"
#include "editor/completionpopup.h"
#include "editor/sourceeditor.h"
#include "shell/appsettings.h"
#include "shell/inistore.h"
#include "shell/settingsio.h"

#include <QApplication>
#include <cstdio>
#include <memory>

namespace {

constexpr int Runs = 21;

struct Setup {
    AppSettings settings;
    SourceEditor editor;
    CompletionController *completion = nullptr;

    explicit Setup(const QString &page) {
        readSettings(IniStore(), settings);
        completion = new CompletionController(&editor, settings);
        editor.resize(1200, 800);
        editor.show();
        editor.sourceDocument().setText(page);
        editor.sourceDocument().colorCodeLines(0, SourceEditor::LastLine);
        while (editor.sourceDocument().isColoringInBackground() ||
               editor.sourceDocument().isLoading())
            QApplication::processEvents();
    }

    void caretAt(int line) {
        editor.setRow(line);
        editor.setCol(SourceEditor::EndOfLine);
        editor.centerCursor();
        QApplication::processEvents();
    }

    void key(QChar c) {
        Bench::typeKey(&editor, c);
        QApplication::processEvents();
    }
    void key(Qt::Key k) {
        QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier);
        QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier);
        QApplication::sendEvent(&editor, &press);
        QApplication::sendEvent(&editor, &release);
        QApplication::processEvents();
    }

    // Milliseconds from `trigger` typed after `before` to the list on screen (or to the key
    // done, for a plain key), the median of Runs; what was typed is taken out again after each.
    double keyToList(const QString &before, QChar trigger, bool expectList,
                     QString *firstItem = nullptr) {
        std::vector<double> ms;
        for (int i = 0; i < Runs; ++i) {
            for (QChar c : before)
                key(c);
            QElapsedTimer t;
            t.start();
            key(trigger);
            ms.push_back(double(t.nsecsElapsed()) / 1e6);
            if (completion->isListShown() != expectList)
                qFatal("the list %s", expectList ? "did not open" : "opened");
            if (firstItem && expectList)
                *firstItem = completion->popup()->item(0)->text();
            if (expectList)
                key(Qt::Key_Escape);
            for (int n = 0; n < before.size() + 1; ++n)
                key(Qt::Key_Backspace);
        }
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
};

// A 10 MB page in 200,000 lines whose every element is closed again: a "</" at its end has
// nothing to close and reads the whole page back.
QString closedPage() {
    QString page;
    page.reserve(11 * 1024 * 1024);
    for (int line = 0; line < BenchPage::Lines; ++line)
        page += QStringLiteral("<DIV CLASS=\"c%1\"><B>lorem</B> ipsum <!-- a <I> --></DIV>\n")
                    .arg(line % 500);
    return page;
}

} // namespace

int main(int argc, char *argv[]) {
    Bench::prepareProcess();
    QApplication app(argc, argv);
    std::printf("editor 1200 x 800; medians of %d keys\n\n", Runs);

    {
        Setup s(benchDecode(BenchPage::generate()));
        double worstPopup = 0;
        double worstPlain = 0;
        for (const int line : {BenchPage::Lines / 2, BenchPage::Lines - 1}) {
            s.caretAt(line);
            worstPlain = std::max(worstPlain, s.keyToList(QString(), u'x', false));
            worstPopup = std::max(worstPopup, s.keyToList(QStringLiteral("<"), u't', true));
        }
        std::printf("completion popup 10 MB page: %.2f ms from key to list (target <= 16), "
                    "%.1f x a plain key (%.2f ms)\n",
                    worstPopup, worstPopup / worstPlain, worstPlain);

        s.caretAt(BenchPage::Lines - 1);
        QString closes;
        const double close = s.keyToList(QStringLiteral("<"), u'/', true, &closes);
        std::printf("close tag at end of 10 MB page: %.2f ms (target <= 16), %.1f x a plain key; "
                    "offers </%s>\n",
                    close, close / worstPlain, qPrintable(closes));
    }
    {
        Setup s(closedPage());
        s.caretAt(SourceEditor::LastLine);
        const double plain = s.keyToList(QString(), u'x', false);
        const double nothing = s.keyToList(QStringLiteral("<"), u'/', false);
        std::printf("  a \"</\" with nothing open, 10 MB page read back whole: %.1f ms, "
                    "%.1f x a plain key\n",
                    nothing, nothing / plain);
    }
    return 0;
}
