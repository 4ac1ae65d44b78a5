// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/work/CommandRunner.h"

#include "ui/models/WorkspaceSignals.h"
#include "ui/work/WorkControl.h"

#include <QThread>

#include <algorithm>
#include <exception>
#include <new>

namespace quillon {

namespace {

// How often the window looks at the worker's progress.
constexpr int kProgressPollMs = 40;
// Work that ends sooner shows no bar at all, so quick commands never flicker.
constexpr qint64 kShowAfterMs = 250;

} // namespace

// Collects the notices of the copy a command works on, to be told to the
// models once the copy is the workspace.
class CommandRunner::NoticeLog final : public WorkspaceObserver {
public:
    void listsReset() override { m_reset = true; }
    void previewNamesChanged() override { m_names = true; }
    void checksChanged(std::size_t first, std::size_t last) override {
        m_first = m_checks ? std::min(m_first, first) : first;
        m_last = m_checks ? std::max(m_last, last) : last;
        m_checks = true;
    }
    void undoAvailabilityChanged(bool available) override { m_undo = available; }

    bool resets() const { return m_reset; }
    void replayTo(WorkspaceObserver& observer) const {
        if (m_reset) {
            observer.listsReset();
        } else {
            if (m_names)
                observer.previewNamesChanged();
            if (m_checks)
                observer.checksChanged(m_first, m_last);
        }
        if (m_undo)
            observer.undoAvailabilityChanged(*m_undo);
    }

private:
    bool m_reset = false;
    bool m_names = false;
    bool m_checks = false;
    std::size_t m_first = 0;
    std::size_t m_last = 0;
    std::optional<bool> m_undo;
};

CommandRunner::CommandRunner(FileSystem& fs, QObject* parent)
    : QObject(parent)
    , m_disk(fs)
    , m_workspace(std::in_place, fs)
    , m_notices(new WorkspaceSignals(this)) {
    m_workspace->setObserver(m_notices);
    m_progressPoll.setInterval(kProgressPollMs);
    connect(&m_progressPoll, &QTimer::timeout, this, [this] { showProgress(false); });
}

CommandRunner::~CommandRunner() {
    waitForFreeing();
    if (!m_thread)
        return;
    // A save in flight stops after the rename at hand and writes its record.
    m_control->requestStop();
    {
        const std::lock_guard lock(m_askMutex);
        m_closing = true;
    }
    m_answered.notify_all();
    m_thread->wait();
    delete m_thread;
}

void CommandRunner::run(OnCancel onCancel, Work work, Done done) {
    m_waiting.push_back(Command{onCancel, std::move(work), std::move(done)});
    startNext();
}

void CommandRunner::cancel() {
    m_waiting.clear();
    if (m_control)
        m_control->requestStop();
}

bool CommandRunner::edit(const std::function<void(Workspace&)>& change) {
    if (!isIdle())
        return false;
    change(*m_workspace);
    return true;
}

void CommandRunner::startNext() {
    if (m_thread || m_waiting.empty())
        return;
    m_current = std::move(m_waiting.front());
    m_waiting.pop_front();
    m_control = std::make_unique<WorkControl>(m_current->onCancel == OnCancel::Discard);
    m_log = std::make_unique<NoticeLog>();
    m_result.reset();
    m_failure.reset();
    m_shownPercent = WorkControl::kNothingShown;
    m_sinceStart.start();
    // Taken here, on the thread that alone changes the workspace, so the
    // worker never reads an object another thread uses.
    try {
        m_copy = std::make_unique<Workspace>(*m_workspace);
        m_copyDisk = m_disk.makeTwin();
        if (m_copyDisk)
            m_copy->setFileSystem(*m_copyDisk);
    } catch (const std::bad_alloc&) {
        m_copy.reset();
        m_failure = std::string("out of memory");
    }
    m_thread = QThread::create([this] {
        if (m_copy)
            workOnCopy(*m_current, *m_copy);
    });
    connect(m_thread, &QThread::finished, this, &CommandRunner::finishCommand);
    emit started();
    m_thread->start();
    m_progressPoll.start();
}

// On the worker thread, which alone touches the copy until it ends.
void CommandRunner::workOnCopy(const Command& command, Workspace& copy) {
    copy.setObserver(m_log.get());
    copy.setProgressReporter(m_control.get());
    // Reading fields asks for a stop between reads; the grain of the
    // progress steps would be too coarse for a prompt cancel.
    copy.setStopRequest([control = m_control.get()] { return control->stopRequested(); });
    try {
        command.work(copy, *m_control);
    } catch (const WorkAbandoned&) {
        return; // cancelled: the lists stay as they were
    } catch (const std::exception& e) {
        // Told to the user once the work has ended; the lists stay as they were.
        m_failure = std::string(e.what());
        return;
    }
    copy.setObserver(nullptr);
    copy.setProgressReporter(nullptr);
    copy.setStopRequest({});
    // A cancelled command that ended in order (a stop while fields were
    // read) is dropped too: the lists stay as they were, undo copy and all.
    if (command.onCancel == OnCancel::Discard && m_control->stopRequested())
        return;
    m_result = std::move(m_copy);
}

void CommandRunner::finishCommand() {
    m_progressPoll.stop();
    m_thread->wait();
    m_thread->deleteLater();
    m_thread = nullptr;
    std::vector<std::unique_ptr<Workspace>> unused;
    if (m_result)
        adopt(unused);
    if (m_copy)
        unused.push_back(std::move(m_copy));
    freeElsewhere(std::move(unused));
    m_copyDisk.reset();
    const Command command = std::move(*m_current);
    m_current.reset();
    m_control.reset();
    m_log.reset();
    if (m_failure)
        emit failed(QString::fromStdString(*m_failure), command.onCancel == OnCancel::Stop);
    emit finished();
    if (command.done)
        command.done();
    startNext();
}

void CommandRunner::adopt(std::vector<std::unique_ptr<Workspace>>& unused) {
    if (m_log->resets())
        m_notices->listsAboutToReset();
    // Moved out rather than destroyed here: what a move leaves behind is
    // freed elsewhere too.
    unused.push_back(std::make_unique<Workspace>(std::move(*m_workspace)));
    m_workspace.emplace(std::move(*m_result));
    unused.push_back(std::move(m_result));
    m_workspace->setFileSystem(m_disk);
    m_workspace->setObserver(m_notices);
    m_log->replayTo(*m_notices);
}

// A million names take tens of milliseconds to free, which the window's
// thread would spend without painting.
void CommandRunner::freeElsewhere(std::vector<std::unique_ptr<Workspace>> lists) {
    if (lists.empty())
        return;
    waitForFreeing();
    m_freeing = QThread::create([lists = std::move(lists)]() mutable { lists.clear(); });
    m_freeing->start();
}

void CommandRunner::waitForFreeing() {
    if (!m_freeing)
        return;
    m_freeing->wait();
    delete m_freeing;
    m_freeing = nullptr;
}

void CommandRunner::showProgress(bool now) {
    if (!m_control)
        return;
    int percent = m_control->percent();
    if (percent == WorkControl::kNothingShown) {
        if (!now && m_sinceStart.elapsed() < kShowAfterMs)
            return;
        percent = WorkControl::kOpenEnded;
    }
    if (percent == m_shownPercent)
        return;
    m_shownPercent = percent;
    emit progressChanged(percent);
}

bool CommandRunner::callOnWindowThread(const std::function<void()>& call) {
    auto answered = std::make_shared<bool>(false);
    QMetaObject::invokeMethod(
        this,
        [this, &call, answered] {
            // The bar stands while the question asks.
            showProgress(true);
            call();
            const std::lock_guard lock(m_askMutex);
            *answered = true;
            m_answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(m_askMutex);
    m_answered.wait(lock, [&] { return *answered || m_closing; });
    return *answered;
}

} // namespace quillon
