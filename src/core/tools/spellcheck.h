// The spell check of a document: which text is checked (outside tags and comments), how words
// are cut out of it, which words are skipped (e-mail addresses, links), entity references
// checked as their characters, and what each answer of the user does to the text. Works on a
// copy of the document's text and sends its replacements to the host, which owns the editor
// and the dialog.
#pragma once

#include "editor/textcommands.h"

#include <QString>
#include <QStringList>

class Prompts;
class Speller;

struct SpellCheckOptions {
    bool convertEntities = true; // "&uuml;" is checked as the character and written back
    bool ignoreMail = true;      // words holding "@" and the rest of their address
    bool ignoreLinks = true;     // "http://..." and the other link schemes
};

struct SpellQuestion {
    int position = 0; // of the word in the document as it is now
    int length = 0;   // of the word in the document (entity references at their full length)
    QString word;     // as cut from the text, entity references as their characters
    QString checkedWord;
    QStringList suggestions; // empty when there are none
};

struct SpellAnswer {
    enum Action { Ignore, IgnoreAll, AddToDictionary, Replace, ReplaceAll, Cancel };
    Action action = Ignore;
    QString replacement; // for Replace and ReplaceAll
};

class SpellCheckHost {
public:
    virtual ~SpellCheckHost() = default;
    // Changes for the document (sorted, in positions of the document before them), each batch
    // one edit: the replacements made since the last question, and at the end the entity
    // references written back. A check that changes nothing sends none.
    virtual void applyEdits(const TextEdits &edits) = 0;
    // Shows the rejected word (selected at question.position for question.length) and waits
    // for the user.
    virtual SpellAnswer ask(const SpellQuestion &question) = 0;
};

enum class SpellCheckOutcome { Completed, Cancelled };

// Checks `text` word by word. A comment without its end is reported and ends the walk as if
// the text ended there. Replace All replaces every later occurrence the walk would meet at
// once, in the same edit. The completion message is the caller's (it follows the clean-up).
SpellCheckOutcome spellCheck(const QString &text, Speller &speller, SpellCheckHost &host,
                             Prompts &prompts, const SpellCheckOptions &options);

// The entity references checked as their characters: the accented Latin-1 letters and the
// copyright and registered signs, without "&Aring;", "&aring;", "&Iuml;", "&iuml;", "&THORN;".
TextEdits planEntitiesToCharacters(QStringView text);
TextEdits planCharactersToEntities(QStringView text);
