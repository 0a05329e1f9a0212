// Keeps a recovery journal for every open page with unsaved changes, untitled ones included, and
// offers the journals a run left behind at the next start. It hears each document's changes in
// one place (watch), turns them into edit records when control returns to the event loop, and
// hands those to the journal writer at most FlushDelay after the first of them, or at once when
// the program loses the focus. A page that is saved, reverted to its file or closed loses its
// journal; a clean exit removes them all. Owned by the main window.
#pragma once

#include "recovery/recoverablepage.h"

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

struct AppContext;
class DocumentController;
class JournalWriter;
class LeftSession;
class RecoverySession;
class SourceDocument;
class QWidget;

class RecoveryController : public QObject {
    Q_OBJECT
public:
    // Edits reach the disk at most this long after the first of them that is not there yet.
    static constexpr int FlushDelay = 500;

    RecoveryController(AppContext &ctx, DocumentController &docs, QObject *parent);
    ~RecoveryController() override;

    // False when no journals are kept (no folder was given, or it could not be made).
    bool isActive() const;
    // This run's journal folder.
    QString folder() const;
    // The journal of a page, empty while it has none.
    QString journalOf(const SourceDocument &doc) const;

    // Offers the pages of runs that ended without closing them; `choose` decides (the program
    // shows the recovery dialog). Journals that cannot be used are reported and left alone.
    using Chooser = std::function<RecoveryChoice(const QList<RecoverablePage> &)>;
    void offerRecovery(const Chooser &choose);
    void offerRecovery(QWidget *window);

    // Hands every pending edit to the writer now; with `wait`, returns once it is on disk.
    void flushNow(bool wait = false);
    // The run ends cleanly, every page saved or let go: its journals and its folder go.
    void finishCleanly();

    JournalWriter &writer() { return *m_writer; }

private:
    struct Tracker;

    void watch(Tracker &t);
    void unwatch(Tracker &t);
    void track(SourceDocument &doc);
    void untrack(SourceDocument &doc);
    Tracker *trackerOf(const SourceDocument &doc) const;
    Tracker *trackerOf(const QString &journal) const;
    void noteChange(Tracker &t, int position, int removed, int added);
    void noteReplaced(Tracker &t);
    void scheduleSettle();
    void settleAll();
    void settle(Tracker &t);
    void start(Tracker &t, bool changed, qint64 length);
    void record(Tracker &t, qint64 length);
    void writerFailed(const QString &journal, int failure, const QString &reason);
    void dropDuplicates(QList<RecoverablePage> *pages);
    SourceDocument *openRecovered(const RecoverablePage &page);
    void reportRefused(const QList<RecoverablePage> &pages);

    AppContext &m_ctx;
    DocumentController &m_docs;
    std::unique_ptr<RecoverySession> m_session;
    std::unique_ptr<JournalWriter> m_writer;
    std::vector<std::unique_ptr<Tracker>> m_trackers;
    QTimer m_settleTimer;
    QTimer m_flushTimer;
    bool m_failureShown = false;
    bool m_finished = false;
};
