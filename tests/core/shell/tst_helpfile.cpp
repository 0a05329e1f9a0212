#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The program's manual is shown by its own HTML 3.2 viewer and opened at topic anchors by the
// Help buttons of several dialogs; a missing anchor or markup the viewer cannot read would
// leave the user on a wrong or garbled page.
class TestHelpFile : public QObject {
    Q_OBJECT
private:
    QByteArray m_bytes;
    QString m_text;

    QSet<QString> anchorNames() const {
        QSet<QString> names;
        static const QRegularExpression name(QStringLiteral("<A\\s+NAME=\"([^\"]+)\""),
                                             QRegularExpression::CaseInsensitiveOption);
        for (const auto &match : name.globalMatch(m_text))
            names.insert(match.captured(1));
        return names;
    }

private Q_SLOTS:
    void initTestCase() {
        QFile file(QStringLiteral(MARLO_SHARE_DIR "/marlo.htm"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        m_bytes = file.readAll();
        m_text = QString::fromUtf8(m_bytes);
        QVERIFY(!m_text.isEmpty());
    }

    void everyHelpTopicHasItsAnchor_data() {
        QTest::addColumn<QString>("topic");
        for (const char *topic :
             {"linkedfiles", "sr", "spell", "tableeditorp", "framewizard", "javascript"})
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }
    void everyHelpTopicHasItsAnchor() {
        QFETCH(QString, topic);
        QVERIFY(anchorNames().contains(topic));
        // A real section follows the anchor, not just a heading.
        const int at = m_text.indexOf(QStringLiteral("NAME=\"%1\"").arg(topic));
        const int next = m_text.indexOf(QStringLiteral("<H2>"), at);
        const QString section = m_text.mid(at, next < 0 ? -1 : next - at);
        QVERIFY2(section.count(QStringLiteral("<P>")) + section.count(QStringLiteral("<LI>")) >= 3,
                 qPrintable(topic));
    }

    void internalLinksLeadToAnchors() {
        const QSet<QString> names = anchorNames();
        static const QRegularExpression href(QStringLiteral("HREF=\"#([^\"]+)\""),
                                             QRegularExpression::CaseInsensitiveOption);
        int links = 0;
        for (const auto &match : href.globalMatch(m_text)) {
            ++links;
            QVERIFY2(names.contains(match.captured(1)), qPrintable(match.captured(1)));
        }
        QVERIFY(links >= 6); // the table of contents
    }

    void anchorNamesAreUnique() {
        static const QRegularExpression name(QStringLiteral("<A\\s+NAME=\"([^\"]+)\""),
                                             QRegularExpression::CaseInsensitiveOption);
        QStringList all;
        for (const auto &match : name.globalMatch(m_text))
            all.append(match.captured(1));
        QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), all.size());
    }

    void usesOnlyMarkupThePlainViewerReads() {
        static const QSet<QString> known = {
            QStringLiteral("HTML"), QStringLiteral("HEAD"),  QStringLiteral("TITLE"),
            QStringLiteral("BODY"), QStringLiteral("H1"),    QStringLiteral("H2"),
            QStringLiteral("H3"),   QStringLiteral("P"),     QStringLiteral("BR"),
            QStringLiteral("HR"),   QStringLiteral("UL"),    QStringLiteral("OL"),
            QStringLiteral("LI"),   QStringLiteral("DL"),    QStringLiteral("DT"),
            QStringLiteral("DD"),   QStringLiteral("TABLE"), QStringLiteral("TR"),
            QStringLiteral("TD"),   QStringLiteral("TH"),    QStringLiteral("B"),
            QStringLiteral("I"),    QStringLiteral("TT"),    QStringLiteral("A"),
            QStringLiteral("PRE")};
        // Every "<" must open a known tag: a literal one in the text has to be written &lt;.
        static const QRegularExpression open(QStringLiteral("<(/?)([^\\s>]*)"));
        for (const auto &match : open.globalMatch(m_text))
            QVERIFY2(known.contains(match.captured(2).toUpper()), qPrintable(match.captured(0)));
        static const QRegularExpression entity(QStringLiteral("&([^;\\s]*);?"));
        for (const auto &match : entity.globalMatch(m_text)) {
            const QString name = match.captured(1);
            QVERIFY2(match.captured(0).endsWith(QLatin1Char(';')) &&
                         QStringList({"amp", "lt", "gt", "quot", "nbsp"}).contains(name),
                     qPrintable(match.captured(0)));
        }
        for (const char *modern : {"<STYLE", "<SCRIPT", "STYLE=", "CLASS="})
            QVERIFY2(!m_text.contains(QLatin1String(modern), Qt::CaseInsensitive), modern);
    }

    void isPlainTextWithUnixLineEnds() {
        QVERIFY(!m_bytes.contains('\r'));
        QVERIFY(!m_bytes.contains('\0'));
        QCOMPARE(QString::fromUtf8(m_bytes).toUtf8(), m_bytes); // valid UTF-8
    }

    void tableOfContentsComesFirst() {
        // The contents list is the first list of the page and links every topic.
        const int contents = m_text.indexOf(QStringLiteral("<UL>"));
        const int end = m_text.indexOf(QStringLiteral("</UL>"), contents);
        const QString list = m_text.mid(contents, end - contents);
        for (const char *topic :
             {"linkedfiles", "sr", "spell", "tableeditorp", "framewizard", "javascript", "keys"})
            QVERIFY2(list.contains(QStringLiteral("HREF=\"#%1\"").arg(QLatin1String(topic))),
                     topic);
    }
};

QTEST_GUILESS_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
