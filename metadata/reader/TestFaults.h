// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quillon::metadata::reader {

/// Whether the tests asked for faults (QUILLON_READER_TEST_FAULTS=1 in the
/// reader's environment). Read before the reader confines itself.
bool testFaultsEnabled();

/// Misbehaves as the file fd asks, when its first bytes are
/// "QUILLON-TEST-FAULT:" and one of crash, abort, hang, allocate or open:
/// the tests prove with it that one bad file costs only itself.
void actOnTestFault(int fd);

} // namespace quillon::metadata::reader
