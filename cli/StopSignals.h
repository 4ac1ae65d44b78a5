// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon::cli {

/// From now on SIGINT, SIGTERM and SIGHUP no longer end the program at once:
/// they are noted, so that a save can finish the rename in flight, bring
/// its undo record up to date and say what it did.
void catchStopSignals();

/// The signal that asked the program to stop, or 0.
int stopSignal();

/// The exit status after a stop by signal: 128 plus its number.
inline int stoppedStatus(int signal) {
    return 128 + signal;
}

} // namespace quillon::cli
