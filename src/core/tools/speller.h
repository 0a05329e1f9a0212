// The spelling engine as the spell check sees it: a word check with the result codes of the
// check loop, suggestions, and the run's ignore-all and replace-all lists. An engine (Hunspell in
// the application, a scripted word list in tests) only supplies isKnown() and suggest().
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class Speller {
public:
    // check() results: 0 accepted, -2 an automatic replacement is known (replace-all list),
    // -1 rejected with suggestions, 1 rejected without any.
    enum Result { Accepted = 0, RejectedWithSuggestions = -1, AutoReplace = -2, Rejected = 1 };

    virtual ~Speller() = default;

    // Checks a word and remembers it with its replacement and suggestions.
    int check(const QString &word);
    QString checkedWord() const { return m_checked; }
    // The replacement of the last check that gave AutoReplace.
    QString replacementWord() const { return m_replacement; }
    // Suggestions of the last rejected word.
    QStringList lastSuggestions() const { return m_suggestions; }
    QStringList findSuggestions(const QString &word) { return word.isEmpty() ? QStringList() : suggest(word); }

    // From now on `word` is accepted.
    void ignoreAll(const QString &word);
    // From now on `word` is accepted, and the engine learns it (the personal word list).
    void addWord(const QString &word);
    // From now on `word` gives AutoReplace with `replacement`.
    void replaceAll(const QString &word, const QString &replacement);

protected:
    virtual bool isKnown(const QString &word) = 0;
    virtual QStringList suggest(const QString &word) = 0;
    // Teaches the engine a word of the user's, so that its suggestions know it too.
    virtual void learn(const QString &) {}

private:
    QString m_checked;
    QString m_replacement;
    QStringList m_suggestions;
    QSet<QString> m_ignored;
    QHash<QString, QString> m_replacements;
    // Words the engine accepted: a page repeats its words, and the engine is the slow part.
    QSet<QString> m_known;
};
