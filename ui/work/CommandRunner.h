// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/Workspace.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class QThread;

namespace quillon {

class WorkControl;
class WorkspaceSignals;

/// Runs the window's long commands (loading, pressing "OK", switching case,
/// resetting, saving, undoing a save) on a worker thread, one at a time.
/// A command works on a copy of the workspace; the copy takes the
/// workspace's place on the window's thread once the command is done, and
/// its notices reach the models then. Until then the window keeps showing
/// and painting the lists as they were, and a cancelled load or press leaves
/// them so. The copy works on a file system of its own (see
/// FileSystem::makeTwin). The workspace itself stays synchronous and knows
/// no threads.
class CommandRunner final : public QObject {
    Q_OBJECT
public:
    /// Runs on the worker thread, on the copy.
    using Work = std::function<void(Workspace& workspace, WorkControl& control)>;
    /// Runs on the window's thread once the result is in place (or dropped).
    using Done = std::function<void()>;

    /// What a cancel does to a command.
    enum class OnCancel : std::uint8_t {
        /// The work ends at its next progress step and its copy is dropped.
        Discard,
        /// The work sees stopRequested and ends in order; its copy is kept.
        Stop,
    };

    CommandRunner(FileSystem& fs, QObject* parent);
    ~CommandRunner() override;
    CommandRunner(const CommandRunner&) = delete;
    CommandRunner& operator=(const CommandRunner&) = delete;

    /// Valid for the runner's life; replaced in place when a command ends.
    Workspace& workspace() { return *m_workspace; }
    const Workspace& workspace() const { return *m_workspace; }
    /// The workspace's notices as signals.
    WorkspaceSignals& notices() const { return *m_notices; }

    bool isRunning() const { return m_thread != nullptr; }
    /// Nothing at work and nothing waiting.
    bool isIdle() const { return !m_thread && m_waiting.empty(); }
    /// Starts work now, or after the commands already asked for.
    void run(OnCancel onCancel, Work work, Done done = {});
    /// Cancels the command at work and drops those waiting.
    void cancel();
    /// A quick change of the lists (a check, a rename of one entry) on the
    /// window's thread. Refused (false, nothing called) while a command
    /// works: its copy would take the lists' place and lose the change.
    bool edit(const std::function<void(Workspace&)>& change);

    /// From the worker: runs call on the window's thread and waits for it.
    /// Returns false, without calling, when the window closes meanwhile.
    bool callOnWindowThread(const std::function<void()>& call);

signals:
    void started();
    /// WorkControl's percent (or kOpenEnded) once the work is worth showing.
    void progressChanged(int percent);
    /// The result is in place and the window may take input again.
    void finished();
    /// A command ended in a failure other than a cancel (before finished);
    /// what: the failure in the words of whatever failed. Its copy was
    /// dropped. stopKind: the command was a save or an undo, which may
    /// have renamed files before it failed.
    void failed(const QString& what, bool stopKind);

private:
    struct Command {
        OnCancel onCancel;
        Work work;
        Done done;
    };
    class NoticeLog;

    void startNext();
    void workOnCopy(const Command& command, Workspace& copy);
    void finishCommand();
    /// unused: receives what the window's thread no longer needs.
    void adopt(std::vector<std::unique_ptr<Workspace>>& unused);
    /// Frees lists nobody uses any more on a thread of their own.
    void freeElsewhere(std::vector<std::unique_ptr<Workspace>> lists);
    void waitForFreeing();
    /// now: also before the work has run long enough to be worth showing.
    void showProgress(bool now);

    /// The window's thread's; the workspace comes back to it from each copy.
    FileSystem& m_disk;
    std::optional<Workspace> m_workspace;
    WorkspaceSignals* m_notices;
    std::deque<Command> m_waiting;

    // The command at work.
    QThread* m_thread = nullptr;
    std::optional<Command> m_current;
    std::unique_ptr<WorkControl> m_control;
    std::unique_ptr<NoticeLog> m_log;
    /// The command's own twin of m_disk (null where m_disk may be shared),
    /// outliving the copy that works on it.
    std::unique_ptr<FileSystem> m_copyDisk;
    /// Taken on the window's thread before the work starts; the result once
    /// the work is done, if it is to be kept.
    std::unique_ptr<Workspace> m_copy;
    std::unique_ptr<Workspace> m_result;
    /// Why the command at work failed, if it did.
    std::optional<std::string> m_failure;
    QTimer m_progressPoll;
    QElapsedTimer m_sinceStart;
    int m_shownPercent = -1;

    /// Frees the lists a command replaced or dropped; alone in touching them.
    QThread* m_freeing = nullptr;

    // A question from the worker waiting for the window's thread.
    std::mutex m_askMutex;
    std::condition_variable m_answered;
    bool m_closing = false;
};

} // namespace quillon
