// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputCheck.h"

#include "cli/ExitCode.h"
#include "cli/Problem.h"

#include <cerrno>
#include <ostream>
#include <poll.h>

namespace quillon::cli {

namespace {

// A pipe whose reading end is closed polls as an error; the stream may
// have failed long before, its errno lost.
bool readerGone(std::FILE* stream) {
    pollfd polled{::fileno(stream), POLLOUT, 0};
    return ::poll(&polled, 1, 0) == 1 && (polled.revents & POLLERR) != 0;
}

} // namespace

int checkedOutput(int status, std::ostream& out, std::FILE* stream, std::ostream& err) {
    // The reason is known where the last write is the one that fails; a
    // stream that failed earlier has lost it.
    errno = 0;
    out.flush();
    int error = out ? 0 : errno;
    const bool flushed = std::fflush(stream) == 0;
    if (!flushed)
        error = errno;
    if (out && flushed && std::ferror(stream) == 0)
        return status;
    // The reader went away (quillon-cli ... | head -1): what it wanted it
    // has, and the core utilities end as quietly.
    if (error == EPIPE || readerGone(stream))
        return status;
    err << problemLine({ProblemKind::OutputFailed, "write error on standard output", error});
    return status == exitStatus(ExitCode::Success) ? exitStatus(ExitCode::Usage) : status;
}

} // namespace quillon::cli
