// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StopSignals.h"

#include <csignal>
#include <initializer_list>

namespace quillon::cli {

namespace {

volatile std::sig_atomic_t g_signal = 0;

extern "C" void noteSignal(int signal) {
    if (g_signal == 0)
        g_signal = signal;
}

} // namespace

void catchStopSignals() {
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART needed: the renames are short calls the kernel finishes.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

int stopSignal() {
    return g_signal;
}

} // namespace quillon::cli
