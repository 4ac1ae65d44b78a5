// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "workspace/disk/ProgressReporter.h"

#include <atomic>

namespace quillon {

/// Thrown from a progress step when the user cancelled a command whose
/// result is thrown away: the copy of the workspace it worked on is dropped.
struct WorkAbandoned {};

/// What a command on the worker thread and the window share: how far the
/// work has come, and whether the user asked it to stop. The worker writes
/// the progress and reads the request; the window does the opposite.
class WorkControl final : public ProgressReporter {
public:
    /// No stage has begun: nothing to show yet.
    static constexpr int kNothingShown = -1;
    /// A stage of unknown length (a folder being listed).
    static constexpr int kOpenEnded = -2;

    /// abandonOnCancel: a cancel ends the work at its next step (load,
    /// press); otherwise the work asks stopRequested itself (save).
    explicit WorkControl(bool abandonOnCancel)
        : m_abandonOnCancel(abandonOnCancel) {}

    void begin(WorkStage stage, std::size_t total) override;
    void step(std::size_t done) override;
    void end() override {}

    /// The renaming of a save or an undo, in percent.
    void showPercent(int percent) { m_percent.store(percent, std::memory_order_relaxed); }

    /// From the window's thread.
    void requestStop() { m_stop.store(true, std::memory_order_relaxed); }
    bool stopRequested() const { return m_stop.load(std::memory_order_relaxed); }
    /// 0 to 100, kOpenEnded or kNothingShown.
    int percent() const { return m_percent.load(std::memory_order_relaxed); }

private:
    const bool m_abandonOnCancel;
    std::size_t m_total = 0;
    std::atomic<int> m_percent{kNothingShown};
    std::atomic<bool> m_stop{false};
};

} // namespace quillon
