#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtTest>

// The manual is shown by the program's own HTML 3.2 viewer and opened at topic anchors by the
// Help buttons of several dialogs; a missing anchor or markup the viewer cannot read would
// leave the user on a wrong or garbled page.
class TestHelpFile : public QObject {
    Q_OBJECT
    QString m_text;

    QStringList captures(const QString &pattern) const {
        QStringList found;
        for (const auto &match : QRegularExpression(pattern).globalMatch(m_text))
            found.append(match.captured(1));
        return found;
    }

private Q_SLOTS:
    void initTestCase() {
        QFile file(QStringLiteral(MARLO_SHARE_DIR "/marlo.htm"));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.contains('\r') && !bytes.contains('\0'));
        m_text = QString::fromUtf8(bytes);
        QCOMPARE(m_text.toUtf8(), bytes); // valid UTF-8
    }

    void everyTopicHasARealSectionAndAContentsEntry_data() {
        QTest::addColumn<QString>("topic");
        for (const char *topic :
             {"linkedfiles", "sr", "spell", "tableeditorp", "framewizard", "javascript", "keys"})
            QTest::newRow(topic) << QString::fromLatin1(topic);
    }
    void everyTopicHasARealSectionAndAContentsEntry() {
        QFETCH(QString, topic);
        const int at = m_text.indexOf(QStringLiteral("<A NAME=\"%1\">").arg(topic));
        QVERIFY(at > 0);
        const int next = m_text.indexOf(QStringLiteral("<H2>"), at);
        const QString section = m_text.mid(at, next < 0 ? -1 : next - at);
        int blocks = 0; // paragraphs, list items, table rows
        for (const char *block : {"<P>", "<LI>", "<DD>", "<TR>"})
            blocks += section.count(QLatin1String(block));
        QVERIFY(blocks >= 4);
        const int contents = m_text.indexOf(QStringLiteral("<UL>"));
        QVERIFY(m_text.indexOf(QStringLiteral("HREF=\"#%1\"").arg(topic), contents) <
                m_text.indexOf(QStringLiteral("</UL>"), contents));
    }

    void linksLeadToUniqueAnchors() {
        const QStringList names = captures(QStringLiteral("<A NAME=\"([^\"]+)\""));
        QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        for (const QString &target : captures(QStringLiteral("HREF=\"([^\"]*)\"")))
            QVERIFY2(target.startsWith('#') && names.contains(target.mid(1)), qPrintable(target));
    }

    void usesOnlyMarkupThePlainViewerReads() {
        static const QStringList known = {
            "HTML", "HEAD", "TITLE", "BODY",  "H1", "H2", "H3", "P", "BR", "HR", "UL", "OL", "LI",
            "DL",   "DT",   "DD",    "TABLE", "TR", "TD", "TH", "B", "I",  "TT", "A",  "PRE"};
        // Every "<" opens a known tag: a literal one in the text has to be written &lt;.
        for (const QString &tag : captures(QStringLiteral("</?([^\\s>]*)")))
            QVERIFY2(known.contains(tag.toUpper()), qPrintable(tag));
        for (const QString &entity : captures(QStringLiteral("&([^;\\s]*;?)")))
            QVERIFY2(QStringList({"amp;", "lt;", "gt;", "quot;"}).contains(entity),
                     qPrintable(entity));
        QVERIFY(!m_text.contains(QLatin1String("STYLE="), Qt::CaseInsensitive));
    }
};

QTEST_GUILESS_MAIN(TestHelpFile)
#include "tst_helpfile.moc"
