// The one channel through which the program asks the user something or tells them something.
// The application implements it with message boxes and file dialogs; tests script the answers.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>
#include <optional>

class Prompts {
public:
    // The kind decides the icon and the window title of a message box.
    enum class Kind { Information, Warning, Error, Confirmation };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Prompts() = default;

    // A message with a single OK button.
    virtual void message(Kind kind, const QString &text) = 0;
    // Yes and No; closing the box counts as No. Yes is the default answer, except for a
    // warning, which asks before something that cannot be undone.
    virtual Answer askYesNo(Kind kind, const QString &text) = 0;
    // Yes, No and Cancel; closing the box counts as Cancel.
    virtual Answer askYesNoCancel(Kind kind, const QString &text) = 0;

    // File and folder choosers return an empty string when the user cancelled.
    // `filter` uses Qt's "Description (*.a *.b);;Other (*)" form.
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QStringList openFileNames(const QString &caption, const QString &dir,
                                      const QString &filter) = 0;
    // Asks before overwriting an existing file. A name typed without an extension gets
    // `defaultSuffix` (such as "htm") when one is given.
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter,
                                 const QString &defaultSuffix = QString()) = 0;
    virtual QString pickFolder(const QString &caption, const QString &dir) = 0;
    virtual std::optional<QColor> pickColor(const QColor &initial) = 0;

    // Shorthands for the common message kinds.
    void information(const QString &text) { message(Kind::Information, text); }
    void error(const QString &text) { message(Kind::Error, text); }
};
