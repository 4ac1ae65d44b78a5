// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/OutputCheck.h"

#include "cli/ExitCode.h"
#include "cli/Problem.h"

#include <cerrno>
#include <ostream>

namespace quillon::cli {

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
    err << problemLine({ProblemKind::OutputFailed, "write error on standard output", error});
    return status == exitStatus(ExitCode::Success) ? exitStatus(ExitCode::Usage) : status;
}

} // namespace quillon::cli
