// The real dialogs behind the prompts: a name typed without an extension gets the default
// suffix, so a page saved as "first" is written as "first.htm"; Enter on a warning says No; a
// message quoting a tag shows the tag.
#include "platform/messageboxprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

class TestMessageBoxPrompts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void saveDialogAddsDefaultSuffix_data();
    void saveDialogAddsDefaultSuffix();
    void enterGivesTheSafeAnswerToAWarning_data();
    void enterGivesTheSafeAnswerToAWarning();
    void messagesShowTagsAsWritten();
    void aShortMessageLeavesRoomForItsCaption_data();
    void aShortMessageLeavesRoomForItsCaption();
};

void TestMessageBoxPrompts::messagesShowTagsAsWritten() {
    MessageBoxPrompts prompts;
    Qt::TextFormat format = Qt::RichText;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            timer.stop();
            format = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->textFormat();
            box->accept();
        }
    });
    timer.start();
    // Read as markup, this said just "No".
    prompts.information(QStringLiteral("No <TITLE> tag found."));
    QCOMPARE(format, Qt::PlainText);
}

// A window manager cuts a caption that does not fit the title bar ("Inf… ion" over "Text not
// found."); the box is made wide enough for it beside the bar's buttons.
void TestMessageBoxPrompts::aShortMessageLeavesRoomForItsCaption_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("information") << int(Prompts::Kind::Information);
    QTest::newRow("confirmation") << int(Prompts::Kind::Confirmation);
}

void TestMessageBoxPrompts::aShortMessageLeavesRoomForItsCaption() {
    QFETCH(int, kind);
    MessageBoxPrompts prompts;
    int width = 0;
    QString caption;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            timer.stop();
            width = box->width();
            caption = box->windowTitle();
            box->reject();
        }
    });
    timer.start();
    if (Prompts::Kind(kind) == Prompts::Kind::Information)
        prompts.information(QStringLiteral("Go."));
    else
        prompts.askYesNo(Prompts::Kind(kind), QStringLiteral("Go?"));
    QFont bold = QApplication::font();
    bold.setBold(true);
    const int needed = QFontMetrics(bold).horizontalAdvance(caption) + 4 * 24 + 40;
    QVERIFY2(width >= needed, qPrintable(QStringLiteral("%1 < %2").arg(width).arg(needed)));
}

void TestMessageBoxPrompts::enterGivesTheSafeAnswerToAWarning_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("answer");
    QTest::newRow("warning") << int(Prompts::Kind::Warning) << int(Prompts::Answer::No);
    QTest::newRow("confirmation") << int(Prompts::Kind::Confirmation) << int(Prompts::Answer::Yes);
}

void TestMessageBoxPrompts::enterGivesTheSafeAnswerToAWarning() {
    QFETCH(int, kind);
    QFETCH(int, answer);
    MessageBoxPrompts prompts;
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        if (QWidget *box = QApplication::activeModalWidget()) {
            timer.stop();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    timer.start();
    QCOMPARE(int(prompts.askYesNo(Prompts::Kind(kind), QStringLiteral("Overwrite?"))), answer);
}

void TestMessageBoxPrompts::saveDialogAddsDefaultSuffix_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "first"
                                  << "htm"
                                  << "first.htm";
    QTest::newRow("own extension kept") << "style.css"
                                        << "htm"
                                        << "style.css";
    QTest::newRow("no default") << "first"
                                << ""
                                << "first";
}

void TestMessageBoxPrompts::saveDialogAddsDefaultSuffix() {
    QFETCH(QString, typed);
    QFETCH(QString, suffix);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    MessageBoxPrompts prompts;
    bool typedIn = false;
    // The dialog runs modally; type the name into it once it shows.
    QTimer timer;
    timer.setInterval(20);
    connect(&timer, &QTimer::timeout, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer.stop();
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(edit);
        edit->setText(typed);
        typedIn = true;
        QMetaObject::invokeMethod(dialog, "accept");
    });
    timer.start();
    const QString chosen = prompts.saveFileName(QStringLiteral("Save As"), dir.path(),
                                                QStringLiteral("Html Files (*.htm *.html)"),
                                                suffix);
    QVERIFY(typedIn);
    QCOMPARE(QFileInfo(chosen).fileName(), expected);
    QCOMPARE(QFileInfo(chosen).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
}

QTEST_MAIN(TestMessageBoxPrompts)
#include "tst_messageboxprompts.moc"
