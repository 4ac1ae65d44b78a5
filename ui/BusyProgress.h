// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/ProgressReporter.h"
#include "workspace/SaveCallbacks.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace quillon {

class TopStrip;

/// Shows long work in the main window while it runs: the wait cursor, the
/// top strip's progress bar, and a repaint now and then so that the window
/// never turns blank and a dialog just closed leaves no trace. User input
/// stays queued until the work is done, so no command can start inside
/// another. Busy lasts until the event loop gets control back, so that the
/// stages of one command show as one.
class BusyProgress final : public QObject, public ProgressReporter {
    Q_OBJECT
public:
    BusyProgress(TopStrip& strip, QObject* parent);
    ~BusyProgress() override;

    void begin(WorkStage stage, std::size_t total) override;
    void step(std::size_t done) override;
    void end() override;

    /// Shows the wait cursor and repaints at once: for work about to start
    /// right after a question closed.
    void enterBusy();
    /// Routes the renaming of a save or an undo to the bar, and lifts the
    /// wait cursor while callbacks' questions ask.
    void attach(SaveCallbacks& callbacks);
    /// For the window's own loops over every name (index counts the loop):
    /// repaints when one is due while long work is shown.
    void keepPainting(std::size_t index) {
        if (index % kProgressGrain == 0)
            repaintWhileBusy();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class Asking;

    void beginWork(std::size_t total);
    void setCursor();
    void showPercent(int percent);
    void repaintSoon();
    void repaintWhileBusy();
    void repaintNow();
    void repaintWholeNow();
    void leaveBusy();

    TopStrip& m_strip;
    QTimer m_idle;
    QElapsedTimer m_sinceRepaint;
    std::size_t m_total = 0;
    int m_percent = -1;
    bool m_cursorSet = false;
    bool m_barShown = false;
};

} // namespace quillon
