#include "common/scriptedprompts.h"
#include "editor/finddialog.h"
#include "editor/gotolinedialog.h"
#include "editor/replacedialog.h"
#include "editor/textconversiondialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QtTest>

#include <limits>

Q_DECLARE_METATYPE(TextConversionOptions::Latin1)
Q_DECLARE_METATYPE(TextConversionOptions::Slashes)

namespace {

template <typename T> T *child(QWidget *parent, const char *name) {
    T *widget = parent->findChild<T *>(QLatin1String(name));
    if (!widget)
        qWarning("no child %s", name);
    return widget;
}

// Lets a dialog that deletes itself on close actually go.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

// Each dialog only collects fields and reports them; these tests type and click as a user would
// and check what reaches the owner.
class TestEditorDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // --- Find -------------------------------------------------------------------------------

    void findReportsTheTypedTextAndStaysOpen() {
        FindDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy spy(&dialog, &FindDialog::findNextRequested);
        auto *field = child<QLineEdit>(&dialog, "searchText");
        QVERIFY(field);

        QTest::keyClick(field, Qt::Key_Return); // nothing typed yet
        QCOMPARE(spy.count(), 0);

        QTest::keyClicks(field, QStringLiteral("Colour"));
        QTest::keyClick(field, Qt::Key_Return);
        QTest::mouseClick(child<QPushButton>(&dialog, "findNextButton"), Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("Colour"));
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("Colour"));
        QVERIFY(dialog.isVisible());

        QTest::keyClick(field, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    void findPresetFromTheSelectionIsReplacedByTyping() {
        FindDialog dialog;
        dialog.setSearchText(QStringLiteral("<TABLE>"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy spy(&dialog, &FindDialog::findNextRequested);
        auto *field = child<QLineEdit>(&dialog, "searchText");

        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClicks(field, QStringLiteral("td")); // the preset is selected: typing replaces it
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toString(), QStringLiteral("<TABLE>"));
        QCOMPARE(spy.at(1).at(0).toString(), QStringLiteral("td"));
    }

    // --- Replace ----------------------------------------------------------------------------

    void replaceButtonsReportBothTexts_data() {
        QTest::addColumn<QString>("action"); // a button's objectName, or "enter"
        QTest::addColumn<QString>("search");
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<QString>("signal");
        QTest::newRow("Find Next") << "findNextButton"
                                   << "a"
                                   << "b"
                                   << "find";
        QTest::newRow("Enter in the replacement field") << "enter"
                                                        << "a"
                                                        << "b"
                                                        << "find";
        QTest::newRow("Replace") << "replaceButton"
                                 << "x"
                                 << "xx"
                                 << "replace";
        QTest::newRow("Replace All") << "replaceAllButton"
                                     << "<B>"
                                     << "<STRONG>"
                                     << "all";
        QTest::newRow("Replace All with nothing") << "replaceAllButton"
                                                  << "&nbsp;"
                                                  << ""
                                                  << "all";
        QTest::newRow("empty search: Replace does nothing") << "replaceButton"
                                                            << ""
                                                            << "b"
                                                            << "none";
        QTest::newRow("empty search: Enter does nothing") << "enter"
                                                          << ""
                                                          << "b"
                                                          << "none";
    }
    void replaceButtonsReportBothTexts() {
        QFETCH(QString, action);
        QFETCH(QString, search);
        QFETCH(QString, replacement);
        QFETCH(QString, signal);

        ReplaceDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QSignalSpy find(&dialog, &ReplaceDialog::findNextRequested);
        QSignalSpy replace(&dialog, &ReplaceDialog::replaceRequested);
        QSignalSpy all(&dialog, &ReplaceDialog::replaceAllRequested);
        auto *searchField = child<QLineEdit>(&dialog, "searchText");
        auto *replacementField = child<QLineEdit>(&dialog, "replacementText");
        QVERIFY(searchField && replacementField);
        QTest::keyClicks(searchField, search);
        QTest::keyClicks(replacementField, replacement);

        if (action == QLatin1String("enter"))
            QTest::keyClick(replacementField, Qt::Key_Return);
        else
            QTest::mouseClick(child<QPushButton>(&dialog, qPrintable(action)), Qt::LeftButton);

        QCOMPARE(find.count(), signal == QLatin1String("find") ? 1 : 0);
        QCOMPARE(replace.count(), signal == QLatin1String("replace") ? 1 : 0);
        QCOMPARE(all.count(), signal == QLatin1String("all") ? 1 : 0);
        if (signal == QLatin1String("find"))
            QCOMPARE(find.at(0).at(0).toString(), search);
        QSignalSpy *pair = signal == QLatin1String("replace") ? &replace
                           : signal == QLatin1String("all")   ? &all
                                                              : nullptr;
        if (pair) {
            QCOMPARE(pair->at(0).at(0).toString(), search);
            QCOMPARE(pair->at(0).at(1).toString(), replacement);
        }
        QVERIFY(dialog.isVisible()); // modeless: stays for the next hit
    }

    void replaceStartsFromThePresetAndClosesOnEscape() {
        ReplaceDialog dialog;
        dialog.setSearchText(QStringLiteral("colour"));
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QCOMPARE(dialog.searchText(), QStringLiteral("colour"));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(&dialog, "searchText"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
    }

    // --- Go to line -------------------------------------------------------------------------

    void goToLineReadsAWholeNumber_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("requested");
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("complains");
        QTest::newRow("empty field just closes") << "" << false << 0 << false;
        QTest::newRow("plain number") << "12" << true << 12 << false;
        QTest::newRow("surrounding blanks") << " 7 " << true << 7 << false;
        QTest::newRow("leading zeros") << "007" << true << 7 << false;
        QTest::newRow("plus sign") << "+3" << true << 3 << false;
        QTest::newRow("zero goes to the owner") << "0" << true << 0 << false;
        QTest::newRow("negative goes to the owner") << "-5" << true << -5 << false;
        QTest::newRow("huge number is clamped, not refused")
            << "99999999999" << true << std::numeric_limits<int>::max() << false;
        QTest::newRow("huge negative is clamped")
            << "-99999999999999999999999" << true << std::numeric_limits<int>::min() << false;
        QTest::newRow("letters") << "abc" << false << 0 << true;
        QTest::newRow("trailing letters") << "12a" << false << 0 << true;
        QTest::newRow("decimal fraction") << "1.5" << false << 0 << true;
        QTest::newRow("blanks only") << "   " << false << 0 << true;
        QTest::newRow("sign alone") << "-" << false << 0 << true;
    }
    void goToLineReadsAWholeNumber() {
        QFETCH(QString, typed);
        QFETCH(bool, requested);
        QFETCH(int, line);
        QFETCH(bool, complains);

        ScriptedPrompts prompts;
        QPointer<GoToLineDialog> dialog = new GoToLineDialog(prompts);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QSignalSpy spy(dialog.data(), &GoToLineDialog::lineRequested);
        auto *field = child<QLineEdit>(dialog, "lineNumber");
        QVERIFY(field);
        QCOMPARE(QApplication::focusWidget(), field);

        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Return); // Enter presses the default "Ok"

        QCOMPARE(spy.count(), requested ? 1 : 0);
        if (requested)
            QCOMPARE(spy.at(0).at(0).toInt(), line);
        QCOMPARE(prompts.messages(),
                 complains ? QStringList{QStringLiteral("Please enter an integer value!")}
                           : QStringList{});
        if (complains)
            QCOMPARE(prompts.records.at(0).kind, Prompts::Kind::Information);
        flushDeletes();
        QVERIFY(dialog.isNull()); // closed and gone in every case
    }

    void goToLineCancelOnlyCloses() {
        ScriptedPrompts prompts;
        QPointer<GoToLineDialog> dialog = new GoToLineDialog(prompts);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QSignalSpy spy(dialog.data(), &GoToLineDialog::lineRequested);
        QTest::keyClicks(child<QLineEdit>(dialog, "lineNumber"), QStringLiteral("40"));
        QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        flushDeletes();
        QVERIFY(dialog.isNull());
        QCOMPARE(spy.count(), 0);
        QVERIFY(prompts.records.isEmpty());
    }

    void goToLineStaysOnTopAsAToolWindow() {
        ScriptedPrompts prompts;
        GoToLineDialog dialog(prompts);
        dialog.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(dialog.windowFlags().testFlag(Qt::Tool));
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Go to line"));
    }

    // --- Text conversion --------------------------------------------------------------------

    void textConversionCollectsTheChosenOptions_data() {
        QTest::addColumn<QStringList>("clicks"); // objectNames clicked in order
        QTest::addColumn<TextConversionOptions::Latin1>("latin1");
        QTest::addColumn<TextConversionOptions::Slashes>("slashes");
        using L = TextConversionOptions::Latin1;
        using S = TextConversionOptions::Slashes;
        QTest::newRow("nothing chosen changes nothing")
            << QStringList{} << L::NoChange << S::NoChange;
        QTest::newRow("label checks its button: to entities")
            << QStringList{"toEntitiesLabel"} << L::ToEntities << S::NoChange;
        QTest::newRow("label checks its button: from entities")
            << QStringList{"fromEntitiesLabel"} << L::FromEntities << S::NoChange;
        QTest::newRow("radio button itself")
            << QStringList{"fromEntities"} << L::FromEntities << S::NoChange;
        QTest::newRow("back to no change")
            << QStringList{"toEntitiesLabel", "latin1NoChange"} << L::NoChange << S::NoChange;
        QTest::newRow("backslash to slash")
            << QStringList{"backslashToSlash"} << L::NoChange << S::BackslashToSlash;
        QTest::newRow("slash to backslash with entities")
            << QStringList{"slashToBackslash", "toEntitiesLabel"} << L::ToEntities
            << S::SlashToBackslash;
        QTest::newRow("groups are independent")
            << QStringList{"backslashToSlash", "fromEntitiesLabel", "toEntities"} << L::ToEntities
            << S::BackslashToSlash;
    }
    void textConversionCollectsTheChosenOptions() {
        QFETCH(QStringList, clicks);
        QFETCH(TextConversionOptions::Latin1, latin1);
        QFETCH(TextConversionOptions::Slashes, slashes);

        QPointer<TextConversionDialog> dialog = new TextConversionDialog;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        for (const QString &name : clicks) {
            auto *widget = dialog->findChild<QWidget *>(name);
            QVERIFY2(widget, qPrintable(name));
            QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
        }

        int requests = 0;
        bool hiddenWhileConverting = false;
        TextConversionOptions received;
        connect(dialog, &TextConversionDialog::conversionRequested, this,
                [&](const TextConversionOptions &options) {
                    ++requests;
                    received = options;
                    hiddenWhileConverting = !dialog->isVisible();
                });
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);

        QCOMPARE(requests, 1);
        QCOMPARE(received.latin1, latin1);
        QCOMPARE(received.slashes, slashes);
        QVERIFY(hiddenWhileConverting); // the owner's count message must not sit under it
        flushDeletes();
        QVERIFY(dialog.isNull());
    }

    void textConversionCancelConvertsNothing() {
        QPointer<TextConversionDialog> dialog = new TextConversionDialog;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QSignalSpy requested(dialog.data(), &TextConversionDialog::conversionRequested);
        QSignalSpy rejected(dialog.data(), &QDialog::rejected);
        QTest::mouseClick(child<QLabel>(dialog, "toEntitiesLabel"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        QCOMPARE(requested.count(), 0);
        QCOMPARE(rejected.count(), 1);
        flushDeletes();
        QVERIFY(dialog.isNull());
    }

    void dialogsAreLargeEnoughForTheirTexts() {
        // Nothing may be squeezed below what its text needs, whatever the fonts.
        ScriptedPrompts prompts;
        GoToLineDialog goTo(prompts);
        goTo.setAttribute(Qt::WA_DeleteOnClose, false);
        TextConversionDialog conversion;
        conversion.setAttribute(Qt::WA_DeleteOnClose, false);
        FindDialog find;
        ReplaceDialog replace;
        for (QDialog *dialog :
             std::initializer_list<QDialog *>{&goTo, &conversion, &find, &replace}) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog));
            for (auto *button : dialog->findChildren<QPushButton *>()) {
                const int needed = button->fontMetrics().horizontalAdvance(
                    QString(button->text()).remove(QLatin1Char('&')));
                QVERIFY2(button->width() > needed, qPrintable(button->text()));
            }
            QVERIFY(dialog->width() >= dialog->minimumSizeHint().width());
            QVERIFY(dialog->height() >= dialog->minimumSizeHint().height());
        }
        QVERIFY(conversion.width() >= 352 && conversion.height() >= 220);
    }
};

QTEST_MAIN(TestEditorDialogs)
#include "tst_editordialogs.moc"
