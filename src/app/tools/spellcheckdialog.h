// The non-modal "Spelling checker" window: shows the rejected word with suggestions and hands
// the user's answer back through answered(). Created once and reused for the whole run.
#pragma once

#include "tools/spellcheck.h"

#include <QDialog>
#include <functional>

class QLineEdit;
class QListWidget;
class QPushButton;
class QListWidgetItem;

class SpellCheckDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpellCheckDialog(QWidget *parent = nullptr);

    // Where the two "Suggest" buttons get their suggestions.
    void setSuggestionSource(std::function<QStringList(const QString &)> source) {
        m_suggest = std::move(source);
    }
    void setQuestion(const QString &checkedWord, const QStringList &suggestions);

Q_SIGNALS:
    void answered(const SpellAnswer &answer);
    void helpRequested();

protected:
    void reject() override; // Escape and the window's close: Cancel
    void closeEvent(QCloseEvent *event) override;

private:
    void fillSuggestions(const QStringList &suggestions);
    void answer(SpellAnswer::Action action);

    QLineEdit *m_notFound;
    QLineEdit *m_replaceWith;
    QListWidget *m_suggestions;
    QPushButton *m_replace;
    QPushButton *m_replaceAll;
    std::function<QStringList(const QString &)> m_suggest;
};
