// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/BusyProgress.h"

#include "ui/TopStrip.h"

#include <QApplication>

namespace quillon {

namespace {

// How often the window repaints during long work: often enough to look
// alive, seldom enough that painting costs the work nothing to speak of.
constexpr qint64 kRepaintIntervalMs = 60;
// Saving and undoing tell their progress in percent.
constexpr std::size_t kPercent = 100;

} // namespace

// Lifts the wait cursor while a question asks, and clears its box from the
// window once it has closed.
class BusyProgress::Asking final {
public:
    explicit Asking(BusyProgress& busy)
        : m_busy(busy)
        , m_idleWasActive(busy.m_idle.isActive()) {
        // Busy ends with the work, not inside the question's own event loop.
        m_busy.m_idle.stop();
        if (m_busy.m_cursorSet)
            QApplication::restoreOverrideCursor();
    }
    ~Asking() {
        if (m_busy.m_cursorSet)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        m_busy.repaintWholeNow();
        if (m_idleWasActive)
            m_busy.m_idle.start();
    }
    Asking(const Asking&) = delete;
    Asking& operator=(const Asking&) = delete;

private:
    BusyProgress& m_busy;
    bool m_idleWasActive;
};

BusyProgress::BusyProgress(TopStrip& strip, QObject* parent)
    : QObject(parent)
    , m_strip(strip) {
    // A timer of no delay fires once the event loop has control again: by
    // then every stage of the command has run.
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &BusyProgress::leaveBusy);
}

BusyProgress::~BusyProgress() {
    if (m_cursorSet)
        QApplication::restoreOverrideCursor();
}

void BusyProgress::begin(WorkStage, std::size_t total) {
    beginWork(total);
}

void BusyProgress::step(std::size_t done) {
    if (m_total > 0)
        showPercent(static_cast<int>(std::min(done, m_total) * kPercent / m_total));
    repaintSoon();
}

void BusyProgress::end() {
    m_idle.start();
}

void BusyProgress::enterBusy() {
    m_idle.stop();
    setCursor();
    repaintWholeNow();
    m_idle.start();
}

void BusyProgress::attach(SaveCallbacks& callbacks) {
    if (auto tell = std::move(callbacks.tell)) {
        callbacks.tell = [this, tell](const SaveNotice& notice) {
            const Asking asking(*this);
            tell(notice);
        };
    }
    if (auto confirm = std::move(callbacks.confirm)) {
        callbacks.confirm = [this, confirm](bool& createUndoFile) {
            const bool yes = confirm(createUndoFile);
            if (yes)
                enterBusy();
            return yes;
        };
    }
    if (auto renameFailed = std::move(callbacks.renameFailed)) {
        callbacks.renameFailed = [this, renameFailed](const RenameFailure& failure) {
            const Asking asking(*this);
            return renameFailed(failure);
        };
    }
    callbacks.renaming = [this](bool renaming) {
        if (renaming)
            beginWork(kPercent);
        else
            end();
    };
    callbacks.progress = [this](int percent) {
        step(static_cast<std::size_t>(std::max(percent, 0)));
    };
    // Asked between two renames: the window's chance to repaint when the
    // percent moves slowly.
    callbacks.shouldStop = [this, stop = std::move(callbacks.shouldStop)] {
        repaintSoon();
        return stop && stop();
    };
}

void BusyProgress::beginWork(std::size_t total) {
    m_idle.stop();
    const bool wasBusy = m_cursorSet;
    setCursor();
    m_total = total;
    m_percent = 0;
    if (m_barShown) {
        m_strip.setProgress(0);
    } else {
        m_strip.showProgress(true);
        m_barShown = true;
    }
    if (wasBusy)
        repaintSoon();
    else
        repaintWholeNow();
}

void BusyProgress::setCursor() {
    if (m_cursorSet)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursorSet = true;
}

void BusyProgress::showPercent(int percent) {
    if (percent == m_percent)
        return;
    m_percent = percent;
    m_strip.setProgress(percent);
}

void BusyProgress::repaintSoon() {
    if (!m_sinceRepaint.isValid() || m_sinceRepaint.elapsed() >= kRepaintIntervalMs)
        repaintNow();
}

void BusyProgress::repaintWhileBusy() {
    if (m_cursorSet)
        repaintSoon();
}

// Paints what is pending (the bar, a window just uncovered) and leaves the
// user's input queued for later.
void BusyProgress::repaintNow() {
    QCoreApplication::instance()->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QCoreApplication::instance()->removeEventFilter(this);
    m_sinceRepaint.start();
}

// A repaint asked for a moment ago may still wait for the platform's next
// frame; before long work the whole window paints at once instead, over
// the place of a dialog just closed too.
void BusyProgress::repaintWholeNow() {
    repaintNow();
    m_strip.window()->repaint();
}

// A timer (the tree's pause after a key, a dropped folder's load) may start
// a command of its own, which must not run inside the one at work: it stays
// due and fires once the work is done. A drag finds no place to drop.
bool BusyProgress::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Timer:
        return qobject_cast<QTimer*>(watched) || watched->inherits("QSingleShotTimer");
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    default:
        return false;
    }
}

void BusyProgress::leaveBusy() {
    if (m_barShown) {
        m_strip.showProgress(false);
        m_barShown = false;
    }
    if (m_cursorSet) {
        QApplication::restoreOverrideCursor();
        m_cursorSet = false;
    }
}

} // namespace quillon
