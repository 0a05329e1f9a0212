#include "documents/recoverycontroller.h"

#include "documents/documentcontroller.h"
#include "documents/recoverydialog.h"
#include "editor/sourcedocument.h"
#include "recovery/journalwriter.h"
#include "recovery/recoverysession.h"
#include "recovery/recoverytexts.h"
#include "shell/appcontext.h"
#include "shell/prompts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace {

// After the disk refused a journal, a new one is tried this much later, then twice as late
// each time up to the longest delay.
constexpr int RetryDelay = 10000;
constexpr int LongestRetryDelay = 300000;

qint64 nowMs() {
    return QDateTime::currentMSecsSinceEpoch();
}

JournalHeader headerOf(const SourceDocument &doc) {
    JournalHeader h;
    h.pageName = doc.fileName();
    h.untitled = isUntitledName(doc.fileName());
    h.format = doc.format();
    h.diskStamp = doc.diskStamp();
    h.created = QDateTime::currentDateTime();
    return h;
}

// What a journal's header says; a page whose name, format or file stamp changes gets a new one.
QString headerKey(const SourceDocument &doc) {
    const TextFormat &format = doc.format();
    const FileStamp &stamp = doc.diskStamp();
    return doc.fileName() + QLatin1Char('|') + QString::number(int(format.encoding)) +
           QLatin1Char(format.bom ? 'b' : '-') + QLatin1Char(format.crlf ? 'c' : '-') +
           QLatin1Char('|') + QString::number(stamp.exists ? stamp.size : -1) + QLatin1Char('|') +
           QString::number(stamp.exists ? stamp.modified.toMSecsSinceEpoch() : 0);
}

bool sameFile(const QString &a, const QString &b) {
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) ==
           QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

struct RecoveryController::Tracker {
    SourceDocument *doc = nullptr;
    QMetaObject::Connection hook;
    QMetaObject::Connection replacedHook;
    QString journal;         // named when the page first needs one
    QString headerKey;       // of the journal as started
    bool journalled = false; // the journal is started (or its start is queued)
    bool failed = false;     // the writer gave up on it: it starts again from the text
    qint64 retryAt = 0;
    int retryDelay = RetryDelay;
    bool diskText = false; // the text is the page file's as read or last written
    qint64 length = -1;    // of the text as journalled so far
    // The stretch of the document changed since the last settle, in its own positions.
    int from = -1;
    int to = -1;
    bool changed = false;
    bool replaced = false;     // the whole text was replaced (and is still unsaved)
    bool stateChanged = false; // saved flag, name or format may have changed
    QByteArray pending;        // edit records not yet handed to the writer
};

RecoveryController::RecoveryController(AppContext &ctx, DocumentController &docs, QObject *parent)
    : QObject(parent), m_ctx(ctx), m_docs(docs) {
    m_settleTimer.setSingleShot(true);
    m_settleTimer.setInterval(0);
    connect(&m_settleTimer, &QTimer::timeout, this, &RecoveryController::settleAll);
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(FlushDelay);
    connect(&m_flushTimer, &QTimer::timeout, this, [this] { flushNow(); });
    if (m_ctx.paths.recoveryDir.isEmpty())
        return;

    m_session = std::make_unique<RecoverySession>(m_ctx.paths.recoveryDir);
    if (!m_session->isValid())
        return;
    m_writer = std::make_unique<JournalWriter>(
        [this](const QString &journal, JournalWriter::Failure failure, const QString &reason) {
            QMetaObject::invokeMethod(
                this, [=] { writerFailed(journal, int(failure), reason); }, Qt::QueuedConnection);
        });

    connect(&m_docs, &DocumentAccess::documentOpened, this, &RecoveryController::track);
    connect(&m_docs, &DocumentAccess::documentClosing, this, &RecoveryController::untrack);
    connect(&m_docs, &DocumentAccess::fileStateChanged, this, [this](SourceDocument &doc) {
        if (Tracker *t = trackerOf(doc)) {
            t->stateChanged = true;
            scheduleSettle();
        }
    });
    // Leaving the program is a moment the user expects the work to be safe.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive)
                    flushNow();
            });
    for (int i = 0; i < m_docs.count(); ++i)
        track(m_docs.document(i));
}

RecoveryController::~RecoveryController() {
    for (auto &t : m_trackers)
        unwatch(*t);
    m_writer.reset(); // finishes what is queued
}

bool RecoveryController::isActive() const {
    return m_session && m_session->isValid();
}

QString RecoveryController::folder() const {
    return m_session ? m_session->folder() : QString();
}

QString RecoveryController::journalOf(const SourceDocument &doc) const {
    const Tracker *t = trackerOf(doc);
    return t && t->journalled ? t->journal : QString();
}

// ---------------------------------------------------------------------------------------------
// Following the documents

void RecoveryController::track(SourceDocument &doc) {
    auto t = std::make_unique<Tracker>();
    t->doc = &doc;
    t->stateChanged = true;
    watch(*t);
    m_trackers.push_back(std::move(t));
    scheduleSettle();
}

void RecoveryController::watch(Tracker &t) {
    // The one place that hears a page's changes, in positions of its text: typing, commands
    // (an edit group reports once), undo and redo, and a text replaced as a whole.
    Tracker *tracker = &t;
    t.hook = connect(t.doc, &SourceDocument::textChanged, this,
                     [this, tracker](int position, int removed, int added) {
                         noteChange(*tracker, position, removed, added);
                     });
    t.replacedHook = connect(t.doc, &SourceDocument::textReplaced, this,
                             [this, tracker] { noteReplaced(*tracker); });
}

void RecoveryController::unwatch(Tracker &t) {
    disconnect(t.hook);
    disconnect(t.replacedHook);
}

void RecoveryController::untrack(SourceDocument &doc) {
    for (auto it = m_trackers.begin(); it != m_trackers.end(); ++it) {
        Tracker &t = **it;
        if (t.doc != &doc)
            continue;
        // A page that is closed was saved or let go: its journal has done its work.
        unwatch(t);
        if (t.journalled && !m_finished)
            m_writer->remove(t.journal);
        m_trackers.erase(it);
        return;
    }
}

RecoveryController::Tracker *RecoveryController::trackerOf(const SourceDocument &doc) const {
    for (const auto &t : m_trackers)
        if (t->doc == &doc)
            return t.get();
    return nullptr;
}

RecoveryController::Tracker *RecoveryController::trackerOf(const QString &journal) const {
    for (const auto &t : m_trackers)
        if (t->journal == journal)
            return t.get();
    return nullptr;
}

void RecoveryController::noteChange(Tracker &t, int position, int removed, int added) {
    // Undo of a whole-text change may report more than the text holds.
    const int docLength = t.doc->loadedLength();
    added = qBound(0, added, docLength - position);
    if (t.from < 0) {
        t.from = position;
        t.to = position + added;
    } else {
        // The stretch so far moves with the change and grows to take it in.
        auto moved = [&](int p, bool end) {
            if (p >= position + removed)
                return p + added - removed;
            if (p > position)
                return end ? position + added : position;
            return p;
        };
        t.from = qMin(moved(t.from, false), position);
        t.to = qMax(moved(t.to, true), position + added);
    }
    t.to = qMin(t.to, docLength);
    t.changed = true;
    scheduleSettle();
}

void RecoveryController::noteReplaced(Tracker &t) {
    t.replaced = true;
    t.from = t.to = -1;
    scheduleSettle();
}

void RecoveryController::scheduleSettle() {
    if (!m_settleTimer.isActive() && !m_finished)
        m_settleTimer.start();
}

void RecoveryController::settleAll() {
    for (auto &t : m_trackers)
        if (t->changed || t->replaced || t->stateChanged)
            settle(*t);
}

void RecoveryController::settle(Tracker &t) {
    if (m_finished)
        return;
    const bool changed = t.changed;
    const bool stateChanged = t.stateChanged;
    const bool replaced = t.replaced;
    t.changed = t.replaced = t.stateChanged = false;
    const SourceDocument &doc = *t.doc;
    if (!doc.isModified()) {
        // Saved, reverted, reloaded, or undone back to the text last saved.
        if (t.journalled)
            m_writer->remove(t.journal);
        t.journalled = t.failed = false;
        t.pending.clear();
        t.diskText = !isUntitledName(doc.fileName()) && doc.diskStamp().exists;
        t.retryDelay = RetryDelay;
        t.length = -1;
        t.from = t.to = -1;
        return;
    }
    const qint64 length = doc.textLength();
    if (t.failed && nowMs() < t.retryAt) {
        t.from = t.to = -1; // the next start takes the whole text
        return;
    }
    // A new name, format or file stamp always comes with a change of the file state; a text
    // replaced as a whole is journalled afresh.
    if (!t.journalled || t.failed || replaced || (stateChanged && headerKey(doc) != t.headerKey)) {
        start(t, changed && !replaced && !t.journalled && t.diskText && t.from >= 0, length);
        return;
    }
    if (changed && t.from >= 0)
        record(t, length);
}

void RecoveryController::start(Tracker &t, bool fromPage, qint64 length) {
    const SourceDocument &doc = *t.doc;
    if (t.journal.isEmpty())
        t.journal = m_session->newJournalName();
    t.headerKey = headerKey(doc);
    const JournalHeader header = headerOf(doc);
    if (fromPage) {
        // The page's file is the base; the writer reads it, so a large page costs this thread
        // nothing but the edit.
        const int from = qBound(0, t.from, int(length));
        const int to = qBound(from, t.to, int(length));
        JournalWriter::FirstEdit edit;
        edit.position = from;
        edit.inserted = doc.textRange(from, to - from);
        edit.lengthAfter = length;
        edit.timeMs = nowMs();
        m_writer->startWithPage(t.journal, header, doc.fileName(), edit);
    } else {
        m_writer->startWithText(t.journal, header, doc.text(), nowMs());
    }
    t.journalled = true;
    t.failed = false;
    t.length = length;
    t.pending.clear();
    t.from = t.to = -1;
}

void RecoveryController::record(Tracker &t, qint64 length) {
    const SourceDocument &doc = *t.doc;
    const qint64 from = qBound(0, t.from, int(length));
    const qint64 to = qBound(int(from), t.to, int(length));
    const qint64 removed = (to - from) - (length - t.length);
    if (removed < 0 || from + removed > t.length) {
        // The changes do not read as one edit of the text journalled: take the whole text.
        start(t, false, length);
        return;
    }
    t.pending +=
        Journal::encodeEdit(from, removed, doc.textRange(int(from), int(to - from)), nowMs());
    t.length = length;
    t.from = t.to = -1;
    if (!m_flushTimer.isActive())
        m_flushTimer.start();
}

void RecoveryController::flushNow(bool wait) {
    if (!isActive() || m_finished)
        return;
    m_settleTimer.stop();
    settleAll();
    m_flushTimer.stop();
    for (auto &t : m_trackers) {
        if (!t->pending.isEmpty() && t->journalled && !t->failed)
            m_writer->append(t->journal, t->pending);
        t->pending.clear();
    }
    if (wait)
        m_writer->waitUntilIdle();
}

void RecoveryController::writerFailed(const QString &journal, int failure, const QString &reason) {
    Tracker *t = trackerOf(journal);
    if (!t || !t->journalled || m_finished)
        return;
    t->failed = true;
    t->pending.clear();
    if (JournalWriter::Failure(failure) == JournalWriter::Failure::NeedsText) {
        t->retryAt = 0;
    } else {
        t->retryAt = nowMs() + t->retryDelay;
        QTimer::singleShot(t->retryDelay + 50, this, [this, journal] {
            if (Tracker *again = trackerOf(journal)) {
                again->stateChanged = true;
                scheduleSettle();
            }
        });
        t->retryDelay = qMin(t->retryDelay * 2, LongestRetryDelay);
        if (!m_failureShown) {
            m_failureShown = true;
            m_ctx.prompt().message(Prompts::Kind::Warning,
                                   RecoveryTexts::cannotKeepJournals(reason));
        }
    }
    t->stateChanged = true;
    scheduleSettle();
}

// ---------------------------------------------------------------------------------------------
// The start after a run that did not end cleanly

void RecoveryController::offerRecovery(QWidget *window) {
    offerRecovery([window](const QList<RecoverablePage> &pages) {
        return RecoveryDialog::choose(pages, window);
    });
}

void RecoveryController::offerRecovery(const Chooser &choose) {
    if (!m_session)
        return;
    if (!m_session->isValid()) {
        m_ctx.prompt().message(Prompts::Kind::Warning,
                               RecoveryTexts::cannotKeepJournals(m_session->error()));
        return;
    }
    // Held until the choice is carried out, so that another instance starting meanwhile
    // does not offer the same pages.
    const auto left = takeLeftSessions(m_session->recoveryDir());
    QList<RecoverablePage> pages;
    for (const auto &session : left)
        for (const QString &journal : session->journals())
            pages << readRecoverablePage(journal);
    dropDuplicates(&pages);
    if (pages.isEmpty())
        return;
    const bool anyRecoverable =
        std::any_of(pages.begin(), pages.end(), [](const auto &p) { return p.recoverable(); });
    if (!anyRecoverable) {
        reportRefused(pages);
        return;
    }

    const RecoveryChoice choice = choose(pages);
    QList<int> chosen;
    for (int i : choice.pages)
        if (i >= 0 && i < pages.size() && pages[i].recoverable())
            chosen << i;
    if (choice.action == RecoveryChoice::Action::Discard && !chosen.isEmpty()) {
        if (m_ctx.prompt().askYesNo(Prompts::Kind::Warning,
                                    RecoveryTexts::confirmDiscard(int(chosen.size()))) ==
            Prompts::Answer::Yes)
            for (int i : chosen)
                QFile::remove(pages[i].journal);
    } else if (choice.action == RecoveryChoice::Action::Recover && !chosen.isEmpty()) {
        QList<SourceDocument *> opened;
        for (int i : chosen)
            opened << openRecovered(pages[i]);
        // The old journal goes only once the page's new one is on disk.
        flushNow(true);
        for (int k = 0; k < chosen.size(); ++k) {
            const Tracker *t = trackerOf(*opened[k]);
            if (t && t->journalled && m_writer->isWritten(t->journal))
                QFile::remove(pages[chosen[k]].journal);
        }
    }
}

void RecoveryController::dropDuplicates(QList<RecoverablePage> *pages) {
    // A kill between writing a recovered page's new journal and removing its old one leaves the
    // same page twice with the same text: only the later journal is offered, the other goes.
    auto same = [](const RecoverablePage &a, const RecoverablePage &b) {
        return a.recoverable() && b.recoverable() &&
               a.contents.header.pageName == b.contents.header.pageName &&
               a.contents.text == b.contents.text;
    };
    for (qsizetype i = 0; i < pages->size(); ++i)
        for (qsizetype j = pages->size() - 1; j > i; --j)
            if (same((*pages)[i], (*pages)[j])) {
                const bool laterFirst =
                    (*pages)[i].contents.lastChange > (*pages)[j].contents.lastChange;
                const qsizetype older = laterFirst ? j : i;
                QFile::remove((*pages)[older].journal);
                if (!laterFirst)
                    (*pages)[i] = (*pages)[j];
                pages->removeAt(j);
            }
}

SourceDocument *RecoveryController::openRecovered(const RecoverablePage &page) {
    const JournalHeader &h = page.contents.header;
    SourceDocument *doc = nullptr;
    // A tab showing the page's file without changes takes the recovered text, as does the
    // untouched untitled first tab; otherwise the page gets a tab of its own.
    for (int i = 0; i < m_docs.count() && !doc; ++i) {
        SourceDocument &d = m_docs.document(i);
        if (!d.isModified() && !h.untitled && !isUntitledName(d.fileName()) &&
            sameFile(d.fileName(), h.pageName))
            doc = &d;
    }
    if (!doc && m_docs.count() == 1 && !m_docs.current().isModified() &&
        isUntitledName(m_docs.current().fileName()))
        doc = &m_docs.current();
    if (!doc)
        doc = &m_docs.addDocument();
    // The file as the page's document knew it: a save notices what changed there since.
    doc->takeUnsavedText(page.contents.text, m_ctx.settings.colorCoding, h.pageName, h.format,
                         h.diskStamp);
    m_docs.activate(*doc);
    return doc;
}

void RecoveryController::reportRefused(const QList<RecoverablePage> &pages) {
    QStringList texts;
    for (const RecoverablePage &p : pages)
        if (!p.recoverable())
            texts << RecoveryTexts::refused(p.journal, p.contents.problem);
    if (!texts.isEmpty())
        m_ctx.prompt().message(Prompts::Kind::Warning, texts.join(QStringLiteral("\n\n")));
}

void RecoveryController::finishCleanly() {
    if (!isActive() || m_finished)
        return;
    m_settleTimer.stop();
    m_flushTimer.stop();
    for (auto &t : m_trackers) {
        unwatch(*t);
        if (t->journalled)
            m_writer->remove(t->journal);
        t->journalled = false;
    }
    m_writer->waitUntilIdle();
    m_session->finish();
    m_finished = true;
}
