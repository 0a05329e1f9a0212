#include "common/scriptedprompts.h"
#include "tools/spellcheck.h"
#include "tools/speller.h"
#include "tools/tooltexts.h"

#include <QQueue>
#include <QtTest>

namespace {

// Knows a fixed word list; suggests the word with its first letter doubled.
class WordListSpeller : public Speller {
public:
    explicit WordListSpeller(const QStringList &words) : m_words(words.begin(), words.end()) {}
    QStringList engineCalls;

protected:
    bool isKnown(const QString &word) override {
        engineCalls << word;
        return m_words.contains(word);
    }
    QStringList suggest(const QString &word) override {
        return word.startsWith(QLatin1Char('x')) ? QStringList() : QStringList{word[0] + word};
    }

private:
    QSet<QString> m_words;
};

// Plays the editor and the dialog: keeps the document text it is told about and answers from a
// script ("I" ignore, "IA" ignore all, "AD" add to dictionary, "R:text" replace, "RA:text"
// replace all, "C" cancel).
class ScriptedHost : public SpellCheckHost {
public:
    QString document;
    QQueue<QString> script;
    QStringList asked; // "word@position"
    QList<QStringList> suggestions;
    QStringList shown; // the document as it was at each question
    int edits = 0;     // batches received

    void applyEdits(const TextEdits &e) override {
        document = applyTextEdits(document, e);
        ++edits;
    }
    SpellAnswer ask(const SpellQuestion &q) override {
        // The word must stand in the document where the question says (references as written).
        const QString there = document.mid(q.position, q.length);
        if (applyTextEdits(there, planEntitiesToCharacters(there)) != q.word)
            asked << QStringLiteral("MISPLACED ") + q.word;
        asked << QStringLiteral("%1@%2").arg(q.word).arg(q.position);
        shown << document;
        suggestions << q.suggestions;
        const QString step = script.isEmpty() ? QStringLiteral("I") : script.dequeue();
        const QString arg = step.section(QLatin1Char(':'), 1);
        if (step == QLatin1String("IA"))
            return {SpellAnswer::IgnoreAll, {}};
        if (step == QLatin1String("AD"))
            return {SpellAnswer::AddToDictionary, {}};
        if (step.startsWith(QLatin1String("RA:")))
            return {SpellAnswer::ReplaceAll, arg};
        if (step.startsWith(QLatin1String("R:")))
            return {SpellAnswer::Replace, arg};
        if (step == QLatin1String("C"))
            return {SpellAnswer::Cancel, {}};
        return {SpellAnswer::Ignore, {}};
    }
};

const QStringList Words = {"good", "the", "cat", "Grün", "fiancé", "com", "and", "see"};

} // namespace

class TestSpellCheck : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void walk_data();
    void walk();
    void listsLastForTheRun();
    void editsReachTheDocument_data();
    void editsReachTheDocument();
    void entityConversionRoundTrip_data();
    void entityConversionRoundTrip();
};

void TestSpellCheck::walk_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QStringList>("messages");
    const QStringList none;

    QTest::newRow("tags, attribute values and comments are never checked")
        << "<p title=\"wrng\">good</p>\n<!-- wrng wrng -->good <B CLASS=xyz>cat</b>" << none
        << none << "<p title=\"wrng\">good</p>\n<!-- wrng wrng -->good <B CLASS=xyz>cat</b>"
        << false << none;
    QTest::newRow("text before a comment is checked")
        << "good baad<!-- ok -->cat" << none << QStringList{"baad@5"}
        << "good baad<!-- ok -->cat" << false << none;
    QTest::newRow("entity checked as one word and written back")
        << "Gr&uuml;n fianc&eacute; Gr&uuml;nn" << QStringList{"R:Grüne"}
        << QStringList{"Grünn@24"} << "Gr&uuml;n fianc&eacute; Gr&uuml;ne" << false << none;
    QTest::newRow("typed accented letter comes back as entity")
        << "Grün" << none << none << "Gr&uuml;n" << false << none;
    QTest::newRow("references outside the list stay part of the word they touch")
        << "cat&amp;good &Aring;x" << none << QStringList{"cat&amp@0", "&Aring@13", "x@20"}
        << "cat&amp;good &Aring;x" << false << none;
    QTest::newRow("unclosed comment")
        << "good <!-- wrng\nmore" << none << none << "good <!-- wrng\nmore" << false
        << QStringList{SpellTexts::UnclosedComment};
    QTest::newRow("cancel keeps earlier changes")
        << "baad cat wrng more" << QStringList{"R:bad", "C"} << QStringList{"baad@0", "wrng@8"}
        << "bad cat wrng more" << true << none;
    QTest::newRow("replacements shift the rest of the segment")
        << "ab, cd.ef<i>gh</i>" << QStringList{"R:abcdef", "R:", "R:e", "R:g"}
        << QStringList{"ab@0", "cd@8", "ef@9", "gh@13"} << "abcdef, .e<i>g</i>" << false << none;
    QTest::newRow("replace all applies later without asking")
        << "teh cat teh\n<b>teh</b> xq" << QStringList{"RA:the"}
        << QStringList{"teh@0", "xq@23"} << "the cat the\n<b>the</b> xq" << false << none;
    QTest::newRow("ignore all")
        << "wrng cat wrng" << QStringList{"IA"} << QStringList{"wrng@0"} << "wrng cat wrng"
        << false << none;
    QTest::newRow("e-mail addresses skipped up to the next separator but full stops")
        << "see john.dow@exmple.co.uk, and me@hoost and" << none << QStringList{"john@4"}
        << "see john.dow@exmple.co.uk, and me@hoost and" << false << none;
    QTest::newRow("links skipped with their path")
        << "see http://www.exmple.com/a/b.htm, and ftp://x.y/z good https:nolink"
        << none << QStringList{"https@56", "nolink@62"}
        << "see http://www.exmple.com/a/b.htm, and ftp://x.y/z good https:nolink" << false
        << none;
    QTest::newRow("separators") << "good!(cat)[the]{good}?\"see\":;\t\r\n" << none << none
                                << "good!(cat)[the]{good}?\"see\":;\t\r\n" << false << none;
    QTest::newRow("a tag without its end ends the walk")
        << "good <b wrng" << none << none << "good <b wrng" << false << none;
}

void TestSpellCheck::walk() {
    QFETCH(QString, text);
    QFETCH(QStringList, script);
    ScriptedHost host;
    host.document = text;
    for (const QString &s : script)
        host.script.enqueue(s);
    WordListSpeller speller(Words);
    ScriptedPrompts prompts;
    const SpellCheckOutcome outcome = spellCheck(text, speller, host, prompts, {});
    QTEST(host.asked, "asked");
    QTEST(host.document, "result");
    QTEST(outcome == SpellCheckOutcome::Cancelled, "cancelled");
    QTEST(prompts.messages(), "messages");
}

void TestSpellCheck::listsLastForTheRun() {
    WordListSpeller speller(Words);
    ScriptedPrompts prompts;
    ScriptedHost first;
    first.document = QStringLiteral("wrng teh");
    first.script << QStringLiteral("IA") << QStringLiteral("RA:the");
    spellCheck(first.document, speller, first, prompts, {});
    QCOMPARE(first.document, QStringLiteral("wrng the"));

    ScriptedHost second;
    second.document = QStringLiteral("teh wrng xz");
    spellCheck(second.document, speller, second, prompts, {});
    QCOMPARE(second.asked, QStringList{"xz@9"});
    QCOMPARE(second.suggestions, QList<QStringList>{QStringList()});
    QCOMPARE(second.document, QStringLiteral("the wrng xz"));
    // A word the engine accepted is not asked for again.
    QCOMPARE(speller.engineCalls.count(QStringLiteral("xz")), 1);
}

// What the document receives, and when: each batch is one edit (one undo step) of the editor.
void TestSpellCheck::editsReachTheDocument_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<int>("edits");
    QTest::addColumn<QString>("result");
    QTest::newRow("replace all reaches ahead at once, in one edit")
        << "teh xq teh, teh" << QStringList{"RA:the"}
        << QStringList{"teh xq teh, teh", "the xq the, the"} << 1 << "the xq the, the";
    QTest::newRow("nothing changed, nothing sent")
        << "fianc&eacute; good <b title=wrng>cat</b>" << QStringList() << QStringList() << 0
        << "fianc&eacute; good <b title=wrng>cat</b>";
    QTest::newRow("typed letters go back with the last replacements")
        << "Grün teh" << QStringList{"R:the"} << QStringList{"Grün teh"} << 1
        << "Gr&uuml;n the";
    QTest::newRow("add to dictionary keeps the word")
        << "wrng cat wrng" << QStringList{"AD"} << QStringList{"wrng cat wrng"} << 0
        << "wrng cat wrng";
}

void TestSpellCheck::editsReachTheDocument() {
    QFETCH(QString, text);
    QFETCH(QStringList, script);
    ScriptedHost host;
    host.document = text;
    for (const QString &s : script)
        host.script.enqueue(s);
    WordListSpeller speller(Words);
    ScriptedPrompts prompts;
    spellCheck(text, speller, host, prompts, {});
    QTEST(host.shown, "shown");
    QTEST(host.edits, "edits");
    QTEST(host.document, "result");
}

void TestSpellCheck::entityConversionRoundTrip_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<QString>("back");
    QTest::newRow("table entities") << "&copy;&reg;&Agrave;&szlig;&ETH;&yuml;"
                                    << "©®ÀßÐÿ" << "&copy;&reg;&Agrave;&szlig;&ETH;&yuml;";
    QTest::newRow("left alone") << "&Aring;&aring;&Iuml;&iuml;&THORN;&amp;&lt;&quot;&uuml"
                                << "&Aring;&aring;&Iuml;&iuml;&THORN;&amp;&lt;&quot;&uuml"
                                << "&Aring;&aring;&Iuml;&iuml;&THORN;&amp;&lt;&quot;&uuml";
    QTest::newRow("nearest semicolon") << "&uuml;x;&auml" << "üx;&auml" << "&uuml;x;&auml";
    QTest::newRow("case matters") << "&UUML;&Uuml;" << "&UUML;Ü" << "&UUML;&Uuml;";
    QTest::newRow("kept characters") << "Åå×÷" << "Åå×÷" << "Åå×÷";
}

void TestSpellCheck::entityConversionRoundTrip() {
    QFETCH(QString, text);
    const QString checked = applyTextEdits(text, planEntitiesToCharacters(text));
    QTEST(checked, "checked");
    QTEST(applyTextEdits(checked, planCharactersToEntities(checked)), "back");
}

QTEST_GUILESS_MAIN(TestSpellCheck)
#include "tst_spellcheck.moc"
