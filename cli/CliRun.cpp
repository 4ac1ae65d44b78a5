#include "cli/CliRun.h"

#include "cli/CliApply.h"
#include "cli/ExitCode.h"
#include "cli/RenameReport.h"
#include "cli/ReportOutput.h"
#include "cli/TextWriter.h"
#include "engine/Refusals.h"
#include "workspace/Workspace.h"

#include <cstring>
#include <ostream>

namespace quillon::cli {

int runCli(const CliOptions& options, FileSystem& fs, std::ostream& out, std::ostream& err) {
    Workspace workspace(fs);
    workspace.setCaseMode(options.caseMode, options.smartOptions);
    const LoadResult loaded = options.sort == SortOrder::Date
                                  ? workspace.loadByDate(options.folder, options.mask)
                                  : workspace.load(options.folder, options.mask);
    if (!loaded.ok()) {
        err << "quillon-cli: cannot read folder " << quotedForTerminal(options.folder) << ": "
            << std::strerror(loaded.error) << '\n';
        return exitStatus(ExitCode::Usage);
    }

    for (const ReplaceSettings& press : options.presses) {
        if (const auto refusal = workspace.apply(press)) {
            err << refusalMessage(*refusal) << '\n';
            return exitStatus(ExitCode::RefusedPress);
        }
    }

    if (options.apply)
        return runApply(workspace, options, out, err);

    writeReport(reportOf(workspace, options.folder), options.output, out, err);
    return exitStatus(ExitCode::Success);
}

} // namespace quillon::cli
