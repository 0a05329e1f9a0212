// Tools › Check page in the window: the shortcut fills the list under the editor, a finding
// chosen with Enter or a double-click puts the caret on its place (also after characters the
// editor counts twice and on lines shown in pieces), and the list belongs to its page.
#include "common/windowharness.h"
#include "pagecheck/pagecheckcontroller.h"
#include "pagecheck/pagecheckpanel.h"

#include <QTreeView>

namespace {

const QString Head = QStringLiteral("<!DOCTYPE html>\n<html><head><title>t</title></head><body>\n");
const QString Tail = QStringLiteral("\n</body></html>\n");

PageCheckPanel *panelOf(WindowHarness &h) {
    return h.window().findChild<PageCheckPanel *>(QStringLiteral("pageCheckPanel"));
}

void checkWithShortcut(WindowHarness &h) {
    h.window().activateWindow();
    h.editor().setFocus();
    QTest::keyClick(&h.editor(), Qt::Key_F7, Qt::ShiftModifier);
}

// The row whose message starts with `message`, or an invalid index.
QModelIndex rowOf(QTreeView *list, const QString &message) {
    QAbstractItemModel *model = list->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 2);
        if (index.data().toString().startsWith(message))
            return index;
    }
    return {};
}

} // namespace

class TestPageCheckWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void choosingAFindingPutsTheCaretThere_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("enter"); // else a double-click
        QTest::addColumn<int>("line");   // of the caret, from 0
        QTest::addColumn<int>("column");
        QTest::newRow("Enter") << "<p>a <sapn>b</sapn>"
                               << "<sapn> is not recognized" << true << 2 << 5;
        QTest::newRow("double-click after a character counted twice")
            << "<p>\t\U0001F600 <sapn>b</sapn>"
            << "<sapn> is not recognized" << false << 2 << 7;
        QTest::newRow("on a line shown in pieces")
            << "<p>" + QString(6000, QLatin1Char('x')) + "<sapn>b</sapn>"
            << "<sapn> is not recognized" << false << 2 << 6003;
        QTest::newRow("a broken link") << "<p>see\n  <img src=\"none.gif\" alt=\"\">"
                                       << "File not found" << true << 3 << 12;
    }
    void choosingAFindingPutsTheCaretThere() {
        QFETCH(QString, body);
        QFETCH(QString, message);
        QFETCH(bool, enter);
        WindowHarness h;
        h.docs().current().setText(Head + body + Tail, false);
        checkWithShortcut(h);
        PageCheckPanel *panel = panelOf(h);
        QVERIFY(panel->isVisible());
        QTreeView *list = panel->list();
        QTRY_VERIFY(list->hasFocus());
        QTRY_VERIFY(list->viewport()->height() > 3 * list->fontMetrics().height());
        const QModelIndex index = rowOf(list, message);
        QVERIFY2(index.isValid(), qPrintable(panel->summary()));
        list->setCurrentIndex(index);
        if (enter) {
            QTest::keyClick(list, Qt::Key_Return);
        } else {
            list->scrollTo(index);
            const QPoint at = list->visualRect(index).center();
            // What the window system sends for a double-click.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, at);
        }
        QTEST(h.editor().row(), "line");
        QTEST(h.editor().col(), "column");
        QTRY_VERIFY(h.editor().hasFocus());
    }

    void theListBelongsToItsPage() {
        WindowHarness h;
        const QString page = Head + "<p><b>bold</p>\n<img src=\"none.gif\">" + Tail;
        h.docs().current().setText(page, false);
        checkWithShortcut(h);
        PageCheckPanel *panel = panelOf(h);
        QCOMPARE(panel->summary(), QStringLiteral("New.htm: 3 warnings, 1 broken link"));
        // Checking changes nothing in the page.
        QCOMPARE(h.editor().sourceDocument().text(), page);
        QVERIFY(!h.docs().current().isModified());

        // Mended and checked again, the list follows.
        QTest::keyClick(panel->list(), Qt::Key_Escape);
        QTRY_VERIFY(h.editor().hasFocus());
        h.editor().setSelection(int(page.indexOf("</p>")), 0);
        h.type("</b>");
        checkWithShortcut(h);
        QCOMPARE(panel->summary(), QStringLiteral("New.htm: 1 warning, 1 broken link"));
        QCOMPARE(panel->findingCount(), 3); // and what the content looks like

        // Another tab, and back: the list is gone until the page is checked again.
        checkWithShortcut(h);
        h.files().newDocument();
        QCOMPARE(panel->findingCount(), 0);
        h.docs().setCurrentIndex(0);
        QCOMPARE(panel->findingCount(), 0);
        QVERIFY(panel->summary().contains(QStringLiteral("Check page")));

        // Notes alone (what the content looks like) leave the keys in the editor.
        h.docs().current().setText(Head + "<p>fine</p>" + Tail, false);
        checkWithShortcut(h);
        QCOMPARE(panel->summary(), QStringLiteral("New.htm: no problems found"));
        QVERIFY(h.editor().hasFocus());
    }
};

QTEST_MAIN(TestPageCheckWindow)
#include "tst_pagecheck.moc"
