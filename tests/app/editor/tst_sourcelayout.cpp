// The editor's line layout. Qt's plain-text layout measured every line of the page again when its
// widest line got narrower, creating a layout object for each line: a keystroke that cost a second
// and hundreds of megabytes on a large page. The number of allocations tells.
#include "editor/sourceeditor.h"

#include <QScrollBar>
#include <QtTest>
#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

void *operator new(std::size_t size) {
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept {
    std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
    std::free(p);
}

class TestSourceLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theWidestLineGettingNarrowerIsLaidOutAlone();
    void wrappedLinesNeedNoHorizontalScrolling();
    void theWidthIsSettledWithTheFirstScreen_data();
    void theWidthIsSettledWithTheFirstScreen();
};

void TestSourceLayout::theWidestLineGettingNarrowerIsLaidOutAlone() {
    QString page;
    for (int i = 0; i < 20000; ++i)
        page += QStringLiteral("<p>line %1</p>\n").arg(i);
    SourceEditor ed;
    ed.resize(600, 400);
    ed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ed));
    ed.sourceDocument().setText(page);
    ed.setRow(5);
    ed.setCol(SourceEditor::EndOfLine);
    QTest::keyClicks(&ed, QString(150, u'w'));
    QTRY_VERIFY(ed.horizontalScrollBar()->maximum() > 0); // the widest line, and the widget knows
    const long before = allocations;
    QTest::keyClick(&ed, Qt::Key_Backspace);
    QCoreApplication::processEvents();
    // Measuring every line would give each of the 20,000 a layout object.
    QVERIFY2(allocations - before < 5000, qPrintable(QString::number(allocations - before)));
    QCOMPARE(ed.sourceDocument().text().section(u'\n', 5, 5), QStringLiteral("<p>line 5</p>") + QString(149, u'w'));
    QVERIFY(ed.horizontalScrollBar()->maximum() > 0);
}

void TestSourceLayout::wrappedLinesNeedNoHorizontalScrolling() {
    QString page;
    for (int i = 0; i < 200; ++i)
        page += QStringLiteral("<p>line %1 ").arg(i) + QString(i % 9 * 20, u'z') + QStringLiteral("</p>\n");
    SourceEditor ed;
    ed.resize(500, 400);
    ed.setWordWrap(true);
    ed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ed));
    ed.sourceDocument().setText(page); // lines laid out before the vertical scroll bar takes its room
    ed.setRow(3);
    QTest::keyClicks(&ed, QStringLiteral(" and some more text typed into the line"));
    QTest::qWait(20);
    QCOMPARE(ed.horizontalScrollBar()->maximum(), 0);
}

void TestSourceLayout::theWidthIsSettledWithTheFirstScreen_data() {
    QTest::addColumn<bool>("background");
    QTest::newRow("loaded at once") << false;
    QTest::newRow("loaded in the background") << true;
}

void TestSourceLayout::theWidthIsSettledWithTheFirstScreen() {
    // The horizontal scroll bar does not change once the first screen shows, not while the rest
    // loads nor when the widest lines far down are laid out: the window stands still.
    QFETCH(bool, background);
    QString page;
    for (int i = 0; i < 20000; ++i) {
        page += i == 15000   ? QStringLiteral("<p>") + QString(300, u'W') + QStringLiteral("</p>\n")
                : i == 12000 ? QStringLiteral("\t<p>") + QString(320, u'i') + QStringLiteral("</p>\n")
                             : QStringLiteral("<p>line %1</p>\n").arg(i);
    }
    SourceEditor ed;
    ed.resize(600, 400);
    ed.show();
    QVERIFY(QTest::qWaitForWindowExposed(&ed));
    if (background)
        ed.sourceDocument().setBackgroundLoading(100000, 20000);
    ed.sourceDocument().setText(page);
    QCOMPARE(ed.sourceDocument().isLoading(), background);
    QCoreApplication::processEvents();
    const int range = ed.horizontalScrollBar()->maximum();
    QVERIFY(range > 0);
    QTRY_VERIFY(!ed.sourceDocument().isLoading());
    for (const int line : {12000, 15000}) {
        ed.setRow(line);
        ed.ensureCursorVisible();
        ed.grab();
        QCoreApplication::processEvents();
        QCOMPARE(ed.horizontalScrollBar()->maximum(), range);
    }
}

QTEST_MAIN(TestSourceLayout)
#include "tst_sourcelayout.moc"
