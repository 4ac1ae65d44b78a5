// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <iosfwd>

namespace quillon::cli {

/// The "Renaming: 37%" line that --apply keeps rewriting on standard error
/// while a long save runs. It is only wanted on a terminal: in a log or a pipe
/// the carriage returns would be noise.
class ProgressLine final {
public:
    /// Runs shorter than this finish before anyone would look at a progress line.
    static constexpr std::size_t kMinimumCount = 100;

    /// Shows nothing unless enabled (see onTerminal) and count reaches kMinimumCount.
    ProgressLine(std::ostream& err, bool enabled, std::size_t count);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    /// True when standard error is a terminal, and not one that TERM calls
    /// "dumb".
    static bool onTerminal();

    /// done of count renames are through; rewrites the line when the whole
    /// percentage changed.
    void update(std::size_t done);
    /// Wipes the line, so that a message can be printed on a clean line; the
    /// next update draws it again.
    void clear();

private:
    std::ostream& m_err;
    bool m_shown;
    std::size_t m_count;
    int m_percent = -1;
    bool m_onScreen = false;
};

} // namespace quillon::cli
