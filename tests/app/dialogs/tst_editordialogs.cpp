#include "common/scriptedprompts.h"
#include "editor/finddialog.h"
#include "editor/gotolinedialog.h"
#include "editor/replacedialog.h"
#include "editor/textconversiondialog.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(TextConversionOptions::Latin1)
Q_DECLARE_METATYPE(TextConversionOptions::Slashes)

namespace {

template <typename T = QWidget> T *child(QWidget *parent, const QString &name) {
    return parent->findChild<T *>(name);
}

bool showAndWait(QWidget *dialog) {
    dialog->show();
    return QTest::qWaitForWindowExposed(dialog);
}

// Dialogs created per use delete themselves on close; this lets them actually go.
bool deleted(const QPointer<QDialog> &dialog) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return dialog.isNull();
}

} // namespace

// Each dialog only collects fields and reports them; these tests type and click as a user
// would and check what reaches the owner.
class TestEditorDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void findReportsTheTextAndStaysOpen() {
        FindDialog dialog;
        dialog.setSearchText(QStringLiteral("<TABLE>"));
        QVERIFY(showAndWait(&dialog));
        QSignalSpy spy(&dialog, &FindDialog::findNextRequested);
        auto *field = child<QLineEdit>(&dialog, QStringLiteral("searchText"));
        QCOMPARE(QApplication::focusWidget(), field);

        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, QStringLiteral("td")); // the preset is selected: typing replaces it
        QTest::mouseClick(child<QPushButton>(&dialog, QStringLiteral("findNextButton")),
                          Qt::LeftButton);
        field->clear();
        QTest::keyClick(field, Qt::Key_Return); // an empty search is never handed on
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("<TABLE>"));
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("td"));
        QVERIFY(dialog.isVisible());
        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void replaceButtonsReportBothTexts_data() {
        QTest::addColumn<QString>("action"); // a button's objectName, or "enter"
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("signal");
        QTest::newRow("Find Next") << "findNextButton"
                                   << "a"
                                   << "find";
        QTest::newRow("Enter in the replacement field") << "enter"
                                                        << "a"
                                                        << "find";
        QTest::newRow("Replace") << "replaceButton"
                                 << "x"
                                 << "replace";
        QTest::newRow("Replace All") << "replaceAllButton"
                                     << "<B>"
                                     << "all";
        QTest::newRow("empty search: no Replace All") << "replaceAllButton"
                                                      << ""
                                                      << "none";
        QTest::newRow("empty search: no Enter") << "enter"
                                                << ""
                                                << "none";
    }
    void replaceButtonsReportBothTexts() {
        QFETCH(QString, action);
        QFETCH(QString, search);
        QFETCH(QString, signal);
        ReplaceDialog dialog;
        QVERIFY(showAndWait(&dialog));
        QSignalSpy find(&dialog, &ReplaceDialog::findNextRequested);
        QSignalSpy replace(&dialog, &ReplaceDialog::replaceRequested);
        QSignalSpy all(&dialog, &ReplaceDialog::replaceAllRequested);
        auto *replacement = child<QLineEdit>(&dialog, QStringLiteral("replacementText"));
        QTest::keyClicks(child<QLineEdit>(&dialog, QStringLiteral("searchText")), search);
        QTest::keyClicks(replacement, QStringLiteral("new"));

        if (action == QLatin1String("enter"))
            QTest::keyClick(replacement, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(&dialog, action), Qt::LeftButton);

        QCOMPARE(find.count() + replace.count() + all.count(),
                 signal == QLatin1String("none") ? 0 : 1);
        if (signal == QLatin1String("find"))
            QCOMPARE(find.at(0), QVariantList{search});
        if (signal == QLatin1String("replace"))
            QCOMPARE(replace.at(0), (QVariantList{search, QStringLiteral("new")}));
        if (signal == QLatin1String("all"))
            QCOMPARE(all.at(0), (QVariantList{search, QStringLiteral("new")}));
        QVERIFY(dialog.isVisible()); // modeless: stays for the next hit
    }

    void goToLineReadsAWholeNumber_data() {
        QTest::addColumn<QString>("typed"); // "cancel" presses Cancel instead of Enter
        QTest::addColumn<int>("line");      // -1: no request
        QTest::addColumn<bool>("complains");
        QTest::newRow("empty field just closes") << "" << -1 << false;
        QTest::newRow("number with blanks") << " 007 " << 7 << false;
        QTest::newRow("zero goes to the owner") << "0" << 0 << false;
        QTest::newRow("huge number clamped, not refused")
            << "99999999999" << std::numeric_limits<int>::max() << false;
        QTest::newRow("trailing letters") << "12a" << -1 << true;
        QTest::newRow("fraction") << "1.5" << -1 << true;
        QTest::newRow("blanks only") << "   " << -1 << true;
        QTest::newRow("cancel") << "cancel" << -1 << false;
    }
    void goToLineReadsAWholeNumber() {
        QFETCH(QString, typed);
        QFETCH(int, line);
        QFETCH(bool, complains);
        ScriptedPrompts prompts;
        QPointer<QDialog> dialog = new GoToLineDialog(prompts);
        QVERIFY(showAndWait(dialog));
        QSignalSpy spy(static_cast<GoToLineDialog *>(dialog.data()),
                       &GoToLineDialog::lineRequested);
        auto *field = child<QLineEdit>(dialog, QStringLiteral("lineNumber"));
        QCOMPARE(QApplication::focusWidget(), field);

        if (typed == QLatin1String("cancel")) {
            QTest::keyClicks(field, QStringLiteral("40"));
            QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("cancelButton")),
                              Qt::LeftButton);
        } else {
            QTest::keyClicks(field, typed);
            QTest::keyClick(field, Qt::Key_Return); // Enter presses the default "Ok"
        }
        QCOMPARE(spy.count(), line < 0 ? 0 : 1);
        if (line >= 0)
            QCOMPARE(spy.at(0).at(0).toInt(), line);
        QCOMPARE(prompts.messages(),
                 complains ? QStringList{QStringLiteral("Please enter an integer value!")}
                           : QStringList{});
        QVERIFY(deleted(dialog)); // closed and gone in every case
    }

    void textConversionCollectsTheChosenOptions_data() {
        QTest::addColumn<QStringList>("clicks"); // objectNames clicked in order
        QTest::addColumn<TextConversionOptions::Latin1>("latin1");
        QTest::addColumn<TextConversionOptions::Slashes>("slashes");
        using L = TextConversionOptions::Latin1;
        using S = TextConversionOptions::Slashes;
        QTest::newRow("nothing chosen") << QStringList{} << L::NoChange << S::NoChange;
        QTest::newRow("label checks its button")
            << QStringList{"fromEntitiesLabel"} << L::FromEntities << S::NoChange;
        QTest::newRow("back to no change")
            << QStringList{"toEntitiesLabel", "latin1NoChange"} << L::NoChange << S::NoChange;
        QTest::newRow("groups are independent")
            << QStringList{"slashToBackslash", "toEntitiesLabel"} << L::ToEntities
            << S::SlashToBackslash;
        QTest::newRow("radio after label")
            << QStringList{"backslashToSlash", "fromEntitiesLabel", "toEntities"} << L::ToEntities
            << S::BackslashToSlash;
        QTest::newRow("cancel") << QStringList{"toEntitiesLabel", "cancelButton"} << L::NoChange
                                << S::NoChange;
    }
    void textConversionCollectsTheChosenOptions() {
        QFETCH(QStringList, clicks);
        QFETCH(TextConversionOptions::Latin1, latin1);
        QFETCH(TextConversionOptions::Slashes, slashes);
        auto *conversion = new TextConversionDialog;
        QPointer<QDialog> dialog = conversion;
        QVERIFY(showAndWait(dialog));
        QList<TextConversionOptions> received;
        bool hiddenWhileConverting = false;
        connect(conversion, &TextConversionDialog::conversionRequested, this,
                [&](const TextConversionOptions &options) {
                    received.append(options);
                    hiddenWhileConverting = !dialog->isVisible();
                });
        for (const QString &name : clicks)
            QTest::mouseClick(child(dialog, name), Qt::LeftButton, {}, QPoint(4, 6));
        const bool cancelled = clicks.contains(QStringLiteral("cancelButton"));
        if (!cancelled)
            QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("okButton")),
                              Qt::LeftButton);

        QCOMPARE(received.size(), cancelled ? 0 : 1);
        if (!cancelled) {
            QCOMPARE(received.at(0).latin1, latin1);
            QCOMPARE(received.at(0).slashes, slashes);
            QVERIFY(hiddenWhileConverting); // the owner's count message must not sit under it
        }
        QVERIFY(deleted(dialog));
    }

    void noButtonIsNarrowerThanItsText() {
        ScriptedPrompts prompts;
        GoToLineDialog goTo(prompts);
        TextConversionDialog conversion;
        FindDialog find;
        ReplaceDialog replace;
        for (QDialog *dialog :
             std::initializer_list<QDialog *>{&goTo, &conversion, &find, &replace}) {
            dialog->setAttribute(Qt::WA_DeleteOnClose, false);
            QVERIFY(showAndWait(dialog));
            for (auto *button : dialog->findChildren<QPushButton *>()) {
                const QString text = QString(button->text()).remove(QLatin1Char('&'));
                QVERIFY2(button->width() > button->fontMetrics().horizontalAdvance(text),
                         qPrintable(text));
            }
            QVERIFY(dialog->width() >= dialog->minimumSizeHint().width());
        }
    }
};

QTEST_MAIN(TestEditorDialogs)
#include "tst_editordialogs.moc"
