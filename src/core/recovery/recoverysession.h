// Where a run of Marlo keeps its recovery journals, and the lock that tells a running Marlo's
// journals from those of a run that ended without closing its pages (killed, crashed, the
// machine stopped). Each run has a folder "<recovery>/<pid>-<time>" and beside it the lock file
// "<pid>-<time>.lock", locked (flock) for the life of the process and never inherited by the
// programs it starts; the system lets go of it however the process ends. A run that can take
// a folder's lock knows that the folder's owner is gone.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class RecoverySession {
public:
    // Makes this run's folder in `recoveryDir` (private to the user) and takes its lock.
    explicit RecoverySession(const QString &recoveryDir);
    // Lets go of the lock; the folder and its journals stay (as after a crash).
    ~RecoverySession();
    RecoverySession(const RecoverySession &) = delete;
    RecoverySession &operator=(const RecoverySession &) = delete;

    bool isValid() const { return m_lockFd >= 0; }
    QString error() const { return m_error; } // why the folder or lock could not be made
    QString recoveryDir() const { return m_recoveryDir; }
    QString folder() const { return m_folder; }
    // A name for one more journal in the folder.
    QString newJournalName();
    // A clean end of the run: the folder, which holds no journal any more, and the lock go.
    void finish();

private:
    QString m_recoveryDir;
    QString m_folder;
    QString m_error;
    int m_lockFd = -1;
    int m_journals = 0;
};

// The folder of a run that has ended, locked by this process while it decides what to do with
// the journals in it.
class LeftSession {
public:
    LeftSession(const QString &folder, int lockFd);
    // Lets go of the folder; when no journal is left in it, the folder and its lock go first.
    ~LeftSession();
    LeftSession(const LeftSession &) = delete;
    LeftSession &operator=(const LeftSession &) = delete;

    QString folder() const { return m_folder; }
    // The journals in it (full names), in the order they were made.
    QStringList journals() const;

private:
    QString m_folder;
    int m_lockFd;
};

// Takes the lock of every run folder in `recoveryDir` whose run has ended; the folders of
// running instances (this one's included) are left to them.
std::vector<std::unique_ptr<LeftSession>> takeLeftSessions(const QString &recoveryDir);

// "$XDG_STATE_HOME/Marlo/recovery", or "~/.local/state/Marlo/recovery" when that is not set.
QString defaultRecoveryDir();
