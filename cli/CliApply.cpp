#include "cli/CliApply.h"

#include "cli/ExitCode.h"

#include <ostream>

namespace quillon::cli {

int runApply(Workspace& workspace, const CliOptions& options, std::ostream& out,
             std::ostream& err) {
    // The workspace's save plugs in here, reporting each rename to a ProgressLine.
    (void)workspace;
    (void)options;
    (void)out;
    err << "quillon-cli: --apply is not available in this build\n";
    return exitStatus(ExitCode::RefusedSave);
}

} // namespace quillon::cli
