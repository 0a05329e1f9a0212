#include "editor/colorcoding.h"
#include "editor/stylebuffer.h"

#include <QtTest>
#include <vector>

// Styles are written one letter per character: '.' text, 'T' tag, 'C' comment.
static char letter(CharStyle s) {
    return s == CharStyle::Tag ? 'T' : s == CharStyle::Comment ? 'C' : '.';
}
static CharStyle fromLetter(char c) {
    return c == 'T' ? CharStyle::Tag : c == 'C' ? CharStyle::Comment : CharStyle::Text;
}

// Colours lines first..last of text (clamped as the editor does) over a buffer pre-filled with
// `initial`, and returns the styles of the whole text.
static QByteArray colour(const QString &text, int first, int last, char initial) {
    QList<int> starts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            starts.append(i + 1);
    const int lines = int(starts.size());
    first = qBound(0, first, lines - 1);
    last = qBound(0, last, lines - 1);
    const int start = starts[first];
    const int end = last + 1 < lines ? starts[last + 1] - 1 : int(text.size());
    std::vector<CharStyle> styles(size_t(text.size()), fromLetter(initial));
    if (!styles.empty())
        colorCodeRange(text, start, end, styles.data() + start);
    QByteArray out;
    for (CharStyle s : styles)
        out.append(letter(s));
    return out;
}

// The same, fed to the piecewise pass one line at a time.
static QByteArray colourByLines(const QString &text, int first, int last, char initial) {
    QStringList lines = text.split(u'\n');
    first = qBound(0, first, int(lines.size()) - 1);
    last = qBound(0, last, int(lines.size()) - 1);
    std::vector<CharStyle> styles(size_t(text.size()), fromLetter(initial));
    ColorPassState state;
    qsizetype at = 0;
    for (int i = 0; i < int(lines.size()); ++i) {
        const qsizetype lineEnd = at + lines[i].size();
        if (i >= first && i <= last) {
            std::fill(styles.begin() + at, styles.begin() + qMin(lineEnd + 1, text.size()),
                      CharStyle::Text);
            continueColorPass(lines[i], at, state, [&](qsizetype p, qsizetype n, CharStyle st) {
                std::fill(styles.begin() + p, styles.begin() + p + n, st);
            });
        }
        at = lineEnd + 1;
    }
    QByteArray out;
    for (CharStyle s : styles)
        out.append(letter(s));
    return out;
}

class TestColorCoding : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void runs_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("tag amid text") << "a<b>c" << 0 << 0 << QByteArray(".TTT.");
        QTest::newRow("greater-than before any tag")
            << "a > b <c>" << 0 << 0 << QByteArray("......TTT");
        QTest::newRow("less-than without greater-than ends the pass")
            << "<b>x</b> a < b" << 0 << 0 << QByteArray("TTT.TTTT......");
        QTest::newRow("less-than pairs with the next greater-than")
            << "a < b <i>" << 0 << 0 << QByteArray("..TTTTTTT");
        QTest::newRow("comment holding a tag")
            << "<b>x<!-- <i> -->y" << 0 << 0 << QByteArray("TTT.CCCCCCCCCCCC.");
        QTest::newRow("five-character comment") << "<!-->z" << 0 << 0 << QByteArray("CCCCC.");
        QTest::newRow("six-character comment") << "<!--->" << 0 << 0 << QByteArray("CCCCCC");
        QTest::newRow("unclosed comment stays tag and text")
            << "<!-- a <b> c" << 0 << 0 << QByteArray("TTTTTTTTTT..");
        QTest::newRow("comment end before any start")
            << "--> <!-- -->" << 0 << 0 << QByteArray("....CCCCCCCC");
        QTest::newRow("two comments")
            << "<!--a--><!--b-->" << 0 << 0 << QByteArray("CCCCCCCCCCCCCCCC");
        QTest::newRow("tag over a line break") << "<a\nhref>x" << 0 << 1 << QByteArray("TTTTTTTT.");
        QTest::newRow("comment over lines")
            << "<!--\n<b>\n-->x" << 0 << 2 << QByteArray("CCCCCCCCCCCC.");
        QTest::newRow("tag leaving the range is not coloured")
            << "a<b\nc>d" << 0 << 0 << QByteArray("....CCC");
        QTest::newRow("tag entering the range stays text")
            << "a<b\nc>d" << 1 << 1 << QByteArray("CCCC...");
        QTest::newRow("middle line only, its line break too")
            << "<b>\n<i>\n<u>" << 1 << 1 << QByteArray("CCCCTTT.CCC");
        QTest::newRow("last line beyond the end") << "x\n<b>" << 1 << 300000 << QByteArray("CCTTT");
        QTest::newRow("first line before the start") << "<b>\ny" << -1 << 0 << QByteArray("TTT.C");
        QTest::newRow("empty document") << "" << 0 << 300000 << QByteArray("");
        QTest::newRow("non-ASCII inside a tag")
            << "<a title=\"Grüße\">ü" << 0 << 0 << QByteArray("TTTTTTTTTTTTTTTTT.");
    }
    void runs() {
        QFETCH(QString, text);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QByteArray, expected);
        QCOMPARE(colour(text, first, last, 'C'), expected);
        QCOMPARE(colourByLines(text, first, last, 'C'), expected);
    }

    void typing_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<char>("style"); // '-' for "like the character before"
        QTest::addColumn<bool>("opensComment");
        QTest::newRow("less-than on an empty line") << "" << 0 << QChar('<') << 'T' << false;
        QTest::newRow("letter after a tag") << "<b>" << 3 << QChar('x') << '.' << false;
        QTest::newRow("letter in front of a tag") << "<b>" << 0 << QChar('y') << '.' << false;
        QTest::newRow("letter inside a tag") << "<b" << 2 << QChar('x') << '-' << false;
        QTest::newRow("letter in text") << "abc" << 1 << QChar('x') << '-' << false;
        QTest::newRow("less-than after a tag") << ">" << 1 << QChar('<') << 'T' << false;
        QTest::newRow("comment opener") << "<!-" << 3 << QChar('-') << 'C' << true;
        QTest::newRow("comment opener after text") << "ab<!-" << 5 << QChar('-') << 'C' << true;
        QTest::newRow("comment opener with text behind")
            << "<!-<b>" << 3 << QChar('-') << 'C' << true;
        QTest::newRow("dash after two characters") << "<!" << 2 << QChar('-') << '-' << false;
        QTest::newRow("dash not at the opener") << "<!-x" << 4 << QChar('-') << '-' << false;
    }
    void typing() {
        QFETCH(QString, line);
        QFETCH(int, column);
        QFETCH(QChar, typed);
        QFETCH(char, style);
        QFETCH(bool, opensComment);
        const TypingStyle result = typingStyle(line, column, typed);
        QCOMPARE(result.style.has_value() ? letter(*result.style) : '-', style);
        QCOMPARE(result.opensComment, opensComment);
    }

    // The packed gap buffer against a plain vector under a fixed random sequence of edits, which
    // moves the gap by every alignment within a storage word.
    void styleBufferFollowsEdits() {
        StyleBuffer buffer;
        std::vector<CharStyle> model;
        quint32 seed = 12345;
        auto random = [&seed](int n) {
            seed = seed * 1103515245u + 12345u;
            return int((seed >> 8) % quint32(n));
        };
        for (int step = 0; step < 3000; ++step) {
            const int size = int(model.size());
            const int pos = random(size + 1);
            const CharStyle style = CharStyle(random(3));
            switch (random(5)) {
            case 0:
            case 1: {
                const int count = random(step % 50 == 0 ? 10000 : 20);
                buffer.insert(pos, count, style);
                model.insert(model.begin() + pos, size_t(count), style);
                break;
            }
            case 2: {
                const int count = random(qMax(1, size - pos + 1));
                buffer.remove(pos, count);
                model.erase(model.begin() + pos, model.begin() + pos + count);
                break;
            }
            case 3: {
                const int count = random(qMax(1, size - pos + 1));
                buffer.fill(pos, count, style);
                std::fill(model.begin() + pos, model.begin() + pos + count, style);
                break;
            }
            default: {
                const int count = random(qMax(1, size - pos + 1));
                std::vector<CharStyle> copied(static_cast<size_t>(count));
                const quint64 before = buffer.hash(pos, count);
                buffer.copyTo(pos, count, copied.data());
                QVERIFY(std::equal(copied.begin(), copied.end(), model.begin() + pos));
                QCOMPARE(buffer.hash(pos, count), before);
                // Written back in another order: the styles are packed, so every field must
                // land in its own two bits.
                for (int i = 0; i < count; ++i)
                    copied[size_t(i)] = CharStyle(random(3));
                buffer.write(pos, count, copied.data());
                std::copy(copied.begin(), copied.end(), model.begin() + pos);
            }
            }
            QCOMPARE(buffer.size(), int(model.size()));
        }
        for (int i = 0; i < buffer.size(); ++i)
            QCOMPARE(buffer.at(i), model[size_t(i)]);
    }

    // A buffer that holds nothing has no storage; growing it must not copy from it.
    void emptyBufferGrows_data() {
        QTest::addColumn<bool>("cleared");
        QTest::newRow("fresh") << false;
        QTest::newRow("cleared") << true;
    }
    void emptyBufferGrows() {
        QFETCH(bool, cleared);
        StyleBuffer buffer;
        if (cleared) {
            buffer.reset(5, 100);
            buffer.clear();
        }
        buffer.insert(0, 3, CharStyle::Tag);
        buffer.resize(4, CharStyle::Comment);
        QCOMPARE(buffer.size(), 4);
        QCOMPARE(buffer.at(0), CharStyle::Tag);
        QCOMPARE(buffer.at(3), CharStyle::Comment);
    }

    void hashSeesStyleAndLength() {
        StyleBuffer buffer;
        buffer.resize(10);
        const quint64 plain = buffer.hash(2, 5);
        QVERIFY(buffer.hash(2, 6) != plain);
        buffer.set(4, CharStyle::Tag);
        QVERIFY(buffer.hash(2, 5) != plain);
    }
};

QTEST_GUILESS_MAIN(TestColorCoding)
#include "tst_colorcoding.moc"
