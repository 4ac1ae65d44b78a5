// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon::metadata::reader {

/// How far the reader could confine itself.
enum class Confinement {
    /// Resource limits and the system call filter.
    Filtered,
    /// Resource limits only: the kernel refused the filter.
    LimitsOnly,
};

/// Confines the calling process for good before it parses anything: no
/// core file, no file written, a bounded address space, no new privileges,
/// and a system call filter that allows reading the descriptors it is
/// given, memory, and the socket, and kills the process on anything else
/// (opening a file, writing, a new socket or process, ptrace...). Call it
/// once, single-threaded, after everything that needs a file is loaded.
Confinement confineReader();

} // namespace quillon::metadata::reader
