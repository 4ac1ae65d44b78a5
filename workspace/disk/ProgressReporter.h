// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace quillon {

/// The kinds of long work on the lists that a reporter hears of.
enum class WorkStage : std::uint8_t {
    /// A folder is listed; its size is not known before the end, so the
    /// stage's total is 0 and steps count the entries listed so far.
    Listing,
    /// A folder's entries are matched against the mask, with status calls
    /// where the listing leaves the type open.
    Reading,
    /// The entries read are put in list order; steps count comparisons
    /// against an estimate.
    Sorting,
    /// Preview names are rewritten: a press of "OK", a case switch, a
    /// reset, an undo, or the fresh preview of a reload.
    Preview,
    /// A save lists the folder, plans its renames and writes the undo
    /// record before the first rename; steps count the entries as each
    /// part ends.
    Preparing,
    /// Fields are read from inside the files (tags, dates) for a press
    /// or an order that needs them.
    Fields,
};

/// Hears how far long work has come, so that a window can show it and
/// repaint. Stages follow one another and never nest: begin, steps with
/// rising counts up to total (open-ended where total is 0), end. Calls come
/// at a coarse grain; a stage over fewer entries than kProgressThreshold is
/// not reported at all. A reporter may throw from step to abandon the work
/// (a user's cancel): the lists it was rebuilding are then in no useful
/// state, and the caller drops the workspace it ran on. Saving and undoing
/// stop through SaveCallbacks::shouldStop instead, never by a throw.
class ProgressReporter {
public:
    virtual ~ProgressReporter() = default;
    virtual void begin(WorkStage stage, std::size_t total) = 0;
    virtual void step(std::size_t done) = 0;
    virtual void end() = 0;
};

/// Below this many entries work is quick enough that showing it would
/// only flicker.
inline constexpr std::size_t kProgressThreshold = 100;
/// Entries between two steps: often enough for a window to repaint while a
/// million entries go by, rarely enough to cost nothing measurable.
inline constexpr std::size_t kProgressGrain = 4096;

/// One stage reported to a reporter (which may be null), from construction
/// to destruction. A loop calls advance with its count after each entry.
class ProgressStage final {
public:
    /// grain: the entries between two steps; a loop that reports from a
    /// watcher rather than per entry may ask for finer steps.
    ProgressStage(ProgressReporter* reporter, WorkStage stage, std::size_t total,
                  std::size_t grain = kProgressGrain);
    ~ProgressStage();
    ProgressStage(const ProgressStage&) = delete;
    ProgressStage& operator=(const ProgressStage&) = delete;

    /// Reports done when a grain has passed since the last step, and always
    /// when it reaches the total.
    void advance(std::size_t done) {
        if (done >= m_next)
            report(done);
    }

private:
    void report(std::size_t done);

    ProgressReporter* m_reporter;
    std::size_t m_total;
    std::size_t m_grain;
    /// The count that reports next; never reached when nothing is reported.
    std::size_t m_next;
};

} // namespace quillon
