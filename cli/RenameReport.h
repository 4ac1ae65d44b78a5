#pragma once

#include "engine/Name.h"

#include <string>
#include <vector>

namespace quillon {
class Workspace;
}

namespace quillon::cli {

/// One file of the folder list beside its preview entry.
struct ReportEntry {
    Name oldName;
    Name newName;
    bool checked = false;
};

/// A rename that saving could not do, with the message the window shows.
struct RenameFailure {
    Name oldName;
    Name newName;
    std::string message;
};

/// What a run prints, in list order: every entry, whether it changes or not.
struct RenameReport {
    /// The folder as given on the command line (raw bytes).
    std::string folder;
    std::vector<ReportEntry> entries;
    std::vector<RenameFailure> failed;
};

/// The lists of workspace as a report without failures.
RenameReport reportOf(const Workspace& workspace, const std::string& folder);

} // namespace quillon::cli
