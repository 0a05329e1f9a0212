#include "tools/speller.h"

int Speller::check(const QString &word) {
    m_checked = word;
    m_replacement.clear();
    m_suggestions.clear();
    if (m_known.contains(word) || m_ignored.contains(word))
        return Accepted;
    const auto replacement = m_replacements.constFind(word);
    if (replacement != m_replacements.cend()) {
        m_replacement = *replacement;
        return AutoReplace;
    }
    if (isKnown(word)) {
        m_known.insert(word);
        return Accepted;
    }
    m_suggestions = suggest(word);
    return m_suggestions.isEmpty() ? Rejected : RejectedWithSuggestions;
}

void Speller::ignoreAll(const QString &word) {
    m_replacements.remove(word);
    m_ignored.insert(word);
}

void Speller::addWord(const QString &word) {
    m_ignored.remove(word);
    m_replacements.remove(word);
    m_known.insert(word);
    learn(word);
}

void Speller::replaceAll(const QString &word, const QString &replacement) {
    m_ignored.remove(word);
    m_replacements.insert(word, replacement);
}
