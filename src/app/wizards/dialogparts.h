// Small pieces the tag dialogs share: what they need to know of the program, and the rows of
// check box plus field that most of their fields are.
#pragma once

#include "widgets/dialogbuttons.h"

#include "wizards/tagbuilders.h"

#include <QStringList>

class Prompts;
class QCheckBox;
class QComboBox;
class QDialog;
class QDialogButtonBox;
class NumberField;
class QLineEdit;
class QToolButton;
class QWidget;

// What a tag dialog reads of the program when it opens; built by the command controller so the
// dialogs stay independent of the settings record and the document set.
struct TagDialogEnvironment {
    Prompts *prompts = nullptr;
    QString documentFileName;      // the current document ("" while untitled)
    QString handOverFileName;      // the file offered by the file panel, or ""
    QStringList recentImages;      // previously used images, newest first
    QStringList recentLinks;       // previously used links, newest first
    QStringList colorList;         // the items of every colour drop-down
    bool sizeFromImage = false;    // tick "Width:" when an image's size is read
    QString multimediaMask;        // "*.png;*.mid;"
    ReferenceMaker reference = [](const QString &name) { return name; };
    // The folder of the current document, without a trailing separator; "" when untitled.
    QString documentFolder() const;
};

namespace DialogParts {
// Typing into `field` ticks `box`.
void tickOnEdit(QLineEdit *field, QCheckBox *box);
void tickOnEdit(QComboBox *field, QCheckBox *box);
void tickOnChange(NumberField *field, QCheckBox *box);
// Sets a number without ticking its box.
void setQuietly(NumberField *field, const QString &value);
// A size in pixels or percent, or empty (not written).
NumberField *sizeBox(QWidget *parent, const QString &objectName);
QLineEdit *lineEdit(QWidget *parent, const QString &objectName);
QCheckBox *checkBox(const QString &text, QWidget *parent, const QString &objectName);
QToolButton *browseButton(QWidget *parent, const QString &objectName);
// A field with a check box, read and written as one.
OptionalField read(const QCheckBox *box, const QLineEdit *field);
OptionalField read(const QCheckBox *box, const QComboBox *field);
void write(QCheckBox *box, QLineEdit *field, const OptionalField &value);
void write(QCheckBox *box, QComboBox *field, const OptionalField &value);
} // namespace DialogParts
