// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ProgressLine.h"

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <string_view>
#include <unistd.h>

namespace quillon::cli {

ProgressLine::ProgressLine(std::ostream& err, bool enabled, std::size_t count)
    : m_err(err)
    , m_shown(enabled && count >= kMinimumCount)
    , m_count(count) {}

ProgressLine::~ProgressLine() {
    clear();
}

bool ProgressLine::onTerminal() {
    // A terminal that says it is dumb cannot rewrite a line.
    const char* term = std::getenv("TERM");
    if (term != nullptr && std::string_view(term) == "dumb")
        return false;
    return ::isatty(STDERR_FILENO) == 1;
}

void ProgressLine::update(std::size_t done) {
    if (!m_shown)
        return;
    const int percent = static_cast<int>(std::min(done, m_count) * 100 / m_count);
    // Rewriting only on a new percentage keeps a 100,000-file save from
    // spending its time on the terminal.
    if (percent == m_percent && m_onScreen)
        return;
    m_percent = percent;
    m_err << "\rRenaming: " << percent << '%' << std::flush;
    m_onScreen = true;
}

void ProgressLine::clear() {
    if (!m_onScreen)
        return;
    // "\33[K" erases to the end of the line on every terminal in use today.
    m_err << "\r\33[K" << std::flush;
    m_onScreen = false;
}

} // namespace quillon::cli
